#include "link/framecodec.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/settings.h"

namespace {

using P = ParameterSet;
using E = FieldEncoding;

const char kInitialS[] = "S00100000787878787878787870707070707070707070707070707070424210424242424213027E2Y";
const char kInitialG[] = "G41E2D3C4855680DCDCDCDCDC1409632A696674747474747474740074746474647464640135006D2Z";

QString initialFrame(FrameKind kind)
{
    switch (kind) {
    case FrameKind::S:
        return QString::fromLatin1(kInitialS);
    case FrameKind::G:
        return QString::fromLatin1(kInitialG);
    case FrameKind::H:
        return QLatin1Char('H') + QString(kFrameLength - 2, QLatin1Char('0')) + QLatin1Char('X');
    case FrameKind::I:
        break;
    }
    return QLatin1Char('I') + QString(kFrameLength - 2, QLatin1Char('0')) + QLatin1Char('V');
}

// A run of consecutive fields sharing one encoding, in frame order.
struct FieldGroup
{
    E encoding;
    std::vector<IntRef> members;
};

IntRef dr(int (P::*table)[4], int i)
{
    return IntRef(table, i);
}

int fieldWidth(E encoding)
{
    switch (encoding) {
    case E::Hex16:
    case E::Hex116:
    case E::Hex120:
        return 2;
    case E::Decimal3:
        return 3;
    case E::Digit:
    case E::Constant6:
        break;
    }
    return 1;
}

int fieldOffset(E encoding)
{
    switch (encoding) {
    case E::Hex16:
        return 16;
    case E::Hex116:
        return 116;
    case E::Hex120:
        return 120;
    default:
        return 0;
    }
}

FrameLayout makeLayout(FrameKind kind, char letter, const std::vector<FieldGroup> &groups)
{
    FrameLayout layout{kind, QLatin1Char(letter), 1, {}};
    for (const FieldGroup &g : groups) {
        for (const IntRef &member : g.members) {
            layout.fields.append({g.encoding, member});
            layout.prefixLength += fieldWidth(g.encoding);
        }
    }
    return layout;
}

const std::vector<FrameLayout> &layouts()
{
    static const std::vector<FrameLayout> all = {
        makeLayout(FrameKind::S, 'S', {
            {E::Digit, {&P::Rev1, &P::Rev2, &P::Rev3, &P::Rev4, &P::Rev5, &P::Rev6, &P::Rev7, &P::Rev8}},
            {E::Hex120, {&P::Sub1, &P::Sub2, &P::Sub3, &P::Sub4, &P::Sub5, &P::Sub6, &P::Sub7, &P::Sub8}},
            {E::Hex16, {&P::Lepa1, &P::Lepa2, &P::Lepa3, &P::Lepa4, &P::Lepa5, &P::Lepa6, &P::Lepa7, &P::Lepa8}},
            {E::Hex16, {&P::Repa1, &P::Repa2, &P::Repa3, &P::Repa4, &P::Repa5, &P::Repa6, &P::Repa7, &P::Repa8}},
            {E::Hex16, {&P::FS1, &P::FS2, &P::FS3, &P::FS4, &P::FS5, &P::FS6, &P::FS7, &P::FS8}},
            {E::Digit, {&P::Aux5, &P::Aux6, &P::Aux7, &P::Aux8}},
            {E::Hex16, {&P::TxVoltTenths}},
            {E::Digit, {&P::Mode}},
        }),
        makeLayout(FrameKind::G, 'G', {
            {E::Digit, {&P::AttiM}},
            {E::Hex16, {&P::Atti1, &P::Atti2, &P::Atti3, &P::Atti4, &P::Atti5, &P::Atti6}},
            {E::Digit, {&P::EleMix}},
            {E::Hex120, {&P::Elev1, &P::Elev5, &P::Elev2, &P::Elev6, &P::Elev3, &P::Elev4}},
            {E::Digit, {&P::RuMix}},
            {E::Hex116, {&P::Ru1, &P::Ru2, &P::Ru3, &P::Ru4}},
            {E::Constant6, {IntRef()}},
            {E::Hex16, {&P::Delay1, &P::Delay2, &P::Delay3, &P::Delay4, &P::Delay5, &P::Delay6, &P::Delay7, &P::Delay8}},
            {E::Digit, {&P::DrMix, &P::DrCh}},
            {E::Hex16, {&P::DrUpShown, &P::DrDownShown}},
            {E::Hex116, {&P::Prm1Data2, &P::Prm2Data2, &P::Prm1Data3, &P::Prm2Data3, &P::Prm1Data1, &P::Prm2Data1}},
            {E::Digit, {&P::Prm1Master, &P::Prm2Master, &P::Prm1Slave, &P::Prm2Slave, &P::Prm1Mix, &P::Prm2Mix}},
        }),
        makeLayout(FrameKind::H, 'H', {
            {E::Hex16, {dr(&P::DrRateUp, 0), dr(&P::DrRateUp, 1), dr(&P::DrRateUp, 2), dr(&P::DrRateUp, 3)}},
            {E::Hex16, {dr(&P::DrRateDown, 0), dr(&P::DrRateDown, 1), dr(&P::DrRateDown, 2), dr(&P::DrRateDown, 3)}},
            {E::Digit, {&P::Prm3Mix, &P::Prm3Master, &P::Prm3Slave}},
            {E::Hex116, {&P::Prm3Data1, &P::Prm3Data2, &P::Prm3Data3}},
            {E::Digit, {&P::Prm4Mix, &P::Prm4Master, &P::Prm4Slave}},
            {E::Hex116, {&P::Prm4Data1, &P::Prm4Data2, &P::Prm4Data3}},
            {E::Digit, {&P::ThCureMix, &P::ThCureExtra}},
            {E::Hex16, {&P::ThCure1, &P::ThCure2, &P::ThCure3, &P::ThCure4, &P::ThCure5, &P::ThCure6, &P::ThCure7}},
            {E::Digit, {&P::DrPosi}},
            {E::Hex116, {dr(&P::DrExpUp, 0), dr(&P::DrExpUp, 1), dr(&P::DrExpUp, 2), dr(&P::DrExpUp, 3)}},
            {E::Hex116, {dr(&P::DrExpDown, 0), dr(&P::DrExpDown, 1), dr(&P::DrExpDown, 2), dr(&P::DrExpDown, 3)}},
            {E::Decimal3, {&P::ExtVoltTenths}},
            {E::Hex120, {&P::RssiAlarm}},
            {E::Digit, {&P::DrSw}},
            {E::Hex16, {&P::RxVoltTenths}},
        }),
        makeLayout(FrameKind::I, 'I', {
            {E::Hex16, {&P::Trim4, &P::Trim3, &P::Trim2, &P::Trim1}},
        }),
    };
    return all;
}

// A voltage and the tenths member that carries it in a frame. The tenths are
// kept inside what the field can encode, so a frame never changes length.
struct VoltLink
{
    FrameKind kind;
    int P::*tenths;
    double P::*volts;
    int minTenths;
    int maxTenths;
};

// In frame-build order: RxVoltTenths is stored before ExtVoltTenths.
const VoltLink kVoltLinks[] = {
    {FrameKind::S, &P::TxVoltTenths, &P::TxVolt, -16, 239},
    {FrameKind::H, &P::RxVoltTenths, &P::RxVolt, -16, 239},
    {FrameKind::H, &P::ExtVoltTenths, &P::ExtVolt, 0, 999},
};

// The member values a field can carry; anything beyond goes out as the
// nearest end, so the field keeps its width.
struct CarryRange
{
    int min;
    int max;
};

CarryRange carryRange(E encoding)
{
    switch (encoding) {
    case E::Digit:
        return {0, 9};
    case E::Decimal3:
        return {0, 999};
    case E::Constant6:
        return {0, 0};
    case E::Hex16:
    case E::Hex116:
    case E::Hex120:
        break;
    }
    const int offset = fieldOffset(encoding);
    return {-offset, 255 - offset};
}

int carried(E encoding, int value)
{
    const CarryRange range = carryRange(encoding);
    return qBound(range.min, value, range.max);
}

// The configuration member behind each field of a layout, in field order
// (nullptr for the constant "6").
const std::vector<const Setting *> &fieldParameters(FrameKind kind)
{
    static const std::vector<std::vector<const Setting *>> all = [] {
        std::vector<std::vector<const Setting *>> out;
        for (const FrameLayout &layout : layouts()) {
            std::vector<const Setting *> params;
            for (const FrameField &field : layout.fields) {
                const auto found = std::find_if(intSettings().cbegin(), intSettings().cend(),
                                                [&field](const Setting *s) { return s->member == field.member; });
                params.push_back(field.member.isNull() || found == intSettings().cend() ? nullptr : *found);
            }
            out.push_back(params);
        }
        return out;
    }();
    return all[size_t(kind)];
}

bool insideValidRange(const Setting &setting, int value)
{
    return setting.checked && value >= int(setting.validMin) && value <= int(setting.validMax);
}

bool insideValidRange(double ParameterSet::*volts, double value)
{
    for (const Setting *s : voltSettings()) {
        if (s->volts == volts)
            return value >= s->validMin && value <= s->validMax;
    }
    return false;
}

// The characters after the rebuilt prefix: the same in every frame of a kind.
const QString &constantTail(FrameKind kind)
{
    static const QString tails[] = {
        initialFrame(FrameKind::S).mid(frameLayout(FrameKind::S).prefixLength),
        initialFrame(FrameKind::G).mid(frameLayout(FrameKind::G).prefixLength),
        initialFrame(FrameKind::H).mid(frameLayout(FrameKind::H).prefixLength),
        initialFrame(FrameKind::I).mid(frameLayout(FrameKind::I).prefixLength),
    };
    return tails[int(kind)];
}

QChar hexDigit(int v)
{
    return QLatin1Char("0123456789ABCDEF"[v & 0xF]);
}

QChar decimalDigit(int v)
{
    return QLatin1Char(char('0' + v));
}

void appendField(QString &out, const FrameField &field, const ParameterSet &p)
{
    switch (field.encoding) {
    case E::Digit:
        out += decimalDigit(carried(field.encoding, field.member.of(p)));
        return;
    case E::Hex16:
    case E::Hex116:
    case E::Hex120: {
        const int v = carried(field.encoding, field.member.of(p)) + fieldOffset(field.encoding);
        out += hexDigit(v >> 4);
        out += hexDigit(v);
        return;
    }
    case E::Decimal3: {
        const int v = carried(field.encoding, field.member.of(p));
        out += decimalDigit(v / 100);
        out += decimalDigit(v / 10 % 10);
        out += decimalDigit(v % 10);
        return;
    }
    case E::Constant6:
        out += QLatin1Char('6');
        return;
    }
}

int readHex(const QString &text, int pos, int width)
{
    return text.mid(pos, width).toInt(nullptr, 16); // non-hex text reads 0
}

} // namespace

ParameterFrames::ParameterFrames()
    : FrameS(initialFrame(FrameKind::S)),
      FrameG(initialFrame(FrameKind::G)),
      FrameH(initialFrame(FrameKind::H)),
      FrameI(initialFrame(FrameKind::I))
{
}

const FrameLayout &frameLayout(FrameKind kind)
{
    return layouts()[size_t(kind)];
}

QString &frameString(ParameterFrames &f, FrameKind kind)
{
    switch (kind) {
    case FrameKind::S:
        return f.FrameS;
    case FrameKind::G:
        return f.FrameG;
    case FrameKind::H:
        return f.FrameH;
    case FrameKind::I:
        break;
    }
    return f.FrameI;
}

const QString &frameString(const ParameterFrames &f, FrameKind kind)
{
    return frameString(const_cast<ParameterFrames &>(f), kind);
}

int voltsToTenths(double volts)
{
    if (std::isnan(volts))
        return 0;
    // Bound the product before narrowing: a double beyond float or int range
    // would make either conversion undefined.
    const double product = std::clamp(volts * 10.0, -1e9, 1e9);
    return int(float(product));
}

QString buildFramePrefix(FrameKind kind, ParameterSet &p)
{
    // A value the sanitizer accepts but the field cannot carry (24.0 V and
    // more in two hex digits, 100.0 V in three decimal ones, a mix channel of
    // 10 in one digit) is replaced by what goes out, so the set-up the tool
    // holds afterwards is the one it sent or saved. Values outside their
    // valid range are left to the sanitizer.
    for (const VoltLink &link : kVoltLinks) {
        if (link.kind != kind)
            continue;
        const int tenths = voltsToTenths(p.*link.volts);
        const int sent = qBound(link.minTenths, tenths, link.maxTenths);
        p.*link.tenths = sent;
        if (sent != tenths && insideValidRange(link.volts, p.*link.volts))
            p.*link.volts = sent / 10.0;
    }

    const FrameLayout &layout = frameLayout(kind);
    const std::vector<const Setting *> &params = fieldParameters(kind);
    QString out;
    out.reserve(layout.prefixLength);
    out += layout.letter;
    for (int i = 0; i < layout.fields.size(); ++i) {
        const FrameField &field = layout.fields.at(i);
        appendField(out, field, p);
        if (const Setting *param = params[size_t(i)]) {
            int &value = field.member.of(p);
            if (insideValidRange(*param, value))
                value = carried(field.encoding, value);
        }
    }
    return out;
}

QByteArray rebuildFrame(FrameKind kind, ParameterSet &p, ParameterFrames &f)
{
    // Only the prefix depends on p; the tail is constant and is put back
    // every time, so a frame string that lost its shape heals here.
    QString &frame = frameString(f, kind);
    frame = buildFramePrefix(kind, p) + constantTail(kind);
    return frame.toUtf8();
}

bool frameFieldsValid(FrameKind kind, const QString &text, int offset)
{
    const auto isHex = [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
                || (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
    };
    const auto isDecimal = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    int pos = offset + 1; // after the letter
    for (const FrameField &field : frameLayout(kind).fields) {
        const int width = fieldWidth(field.encoding);
        for (int i = 0; i < width && field.encoding != E::Constant6; ++i) {
            const QChar c = text.at(pos + i);
            const bool decimal = field.encoding == E::Digit || field.encoding == E::Decimal3;
            if (!(decimal ? isDecimal(c) : isHex(c)))
                return false;
        }
        pos += width;
    }
    return true;
}

void decodeFrameFields(FrameKind kind, const QString &text, int offset, ParameterSet &p)
{
    int pos = offset + 1; // after the letter
    for (const FrameField &field : frameLayout(kind).fields) {
        const int width = fieldWidth(field.encoding);
        switch (field.encoding) {
        case E::Constant6:
            break;
        case E::Decimal3:
            field.member.of(p) = 100 * readHex(text, pos, 1) + 10 * readHex(text, pos + 1, 1)
                    + readHex(text, pos + 2, 1);
            break;
        default:
            field.member.of(p) = readHex(text, pos, width) - fieldOffset(field.encoding);
            break;
        }
        pos += width;
    }
    for (const VoltLink &link : kVoltLinks) {
        if (link.kind == kind)
            p.*link.volts = p.*link.tenths / 10.0;
    }
}

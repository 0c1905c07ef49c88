#include "fuzz/fuzzchecks.h"

#include <QBuffer>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

#include "files/parameterfile.h"
#include "fuzz/fuzzinput.h"
#include "link/framecodec.h"
#include "link/inboundframer.h"
#include "link/inboundparser.h"
#include "link/livevalues.h"
#include "model/defaults.h"
#include "model/dualrate.h"
#include "model/parameterset.h"
#include "model/settings.h"

namespace FuzzChecks {

QStringList membersOutOfRange(const ParameterSet &p)
{
    QStringList out;
    for (const Setting *param : intSettings()) {
        const int v = param->member.of(p);
        if (param->checked && (v < int(param->validMin) || v > int(param->validMax)))
            out << QStringLiteral("%1=%2").arg(param->key).arg(v);
    }
    for (const Setting *volt : voltSettings()) {
        const double v = p.*volt->volts;
        if (!(v >= volt->validMin && v <= volt->validMax))
            out << QStringLiteral("%1=%2").arg(volt->key).arg(v);
    }
    return out;
}

namespace {

constexpr FrameKind kKinds[] = {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I};

QString kindName(FrameKind kind)
{
    return frameLayout(kind).letter;
}

QString outOfRangeMembers(const ParameterSet &p)
{
    const QStringList out = membersOutOfRange(p);
    return out.isEmpty() ? QString() : QStringLiteral("out of range: ") + out.join(QLatin1Char(' '));
}

// The constant characters of a frame: letter, the G frame's "6", the tail.
QString misplacedConstants(FrameKind kind, const QString &frame)
{
    static ParameterFrames initialFrames;
    const QString &initial = frameString(initialFrames, kind);
    if (frame.size() != kFrameLength)
        return QStringLiteral("%1 frame has %2 characters: %3").arg(kindName(kind)).arg(frame.size()).arg(frame);
    const FrameLayout &layout = frameLayout(kind);
    if (frame.at(0) != layout.letter)
        return QStringLiteral("%1 frame starts with %2").arg(kindName(kind), frame.at(0));
    if (frame.mid(layout.prefixLength) != initial.mid(layout.prefixLength))
        return QStringLiteral("%1 frame tail changed: %2").arg(kindName(kind), frame);
    if (kind == FrameKind::G && frame.at(36) != QLatin1Char('6'))
        return QStringLiteral("G frame without its 6: %1").arg(frame);
    for (int i = 1; i < layout.prefixLength; ++i) {
        const QChar c = frame.at(i);
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))))
            return QStringLiteral("%1 frame has %2 at %3: %4").arg(kindName(kind), c).arg(i).arg(frame);
    }
    // A file holding it must be taken back: decimal digits where they belong.
    if (!frameFieldsValid(kind, frame, 0))
        return QStringLiteral("%1 frame has a field out of its encoding: %2").arg(kindName(kind), frame);
    return QString();
}

// Rebuilds all four frames from p into f and checks their shape, both the
// bytes for the wire and the kept strings.
QString rebuildAll(ParameterSet &p, ParameterFrames &f)
{
    for (FrameKind kind : kKinds) {
        const QByteArray wire = rebuildFrame(kind, p, f);
        if (wire.size() != kFrameLength)
            return QStringLiteral("%1 frame is %2 bytes on the wire").arg(kindName(kind)).arg(wire.size());
        const QString problem = misplacedConstants(kind, frameString(f, kind));
        if (!problem.isEmpty())
            return problem;
        if (wire != frameString(f, kind).toLatin1())
            return QStringLiteral("%1 frame on the wire differs from the kept one").arg(kindName(kind));
    }
    return QString();
}

QString differingMembers(const ParameterSet &a, const ParameterSet &b)
{
    QStringList out;
    for (const Setting *param : intSettings()) {
        if (param->member.of(a) != param->member.of(b))
            out << QStringLiteral("%1 %2/%3").arg(param->key).arg(param->member.of(a)).arg(param->member.of(b));
    }
    for (const Setting *volt : voltSettings()) {
        const double x = a.*volt->volts;
        const double y = b.*volt->volts;
        if (!(x == y || (std::isnan(x) && std::isnan(y))))
            out << QStringLiteral("%1 %2/%3").arg(volt->key).arg(x).arg(y);
    }
    return out.join(QLatin1Char(' '));
}

QString readAsFile(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readParameterFileText(buffer);
}

// What a field of the given encoding carries for value: the same value when
// it fits, otherwise the nearest value that does. Written out here rather
// than taken from the codec, so the two can disagree.
int carried(FieldEncoding encoding, qint64 value)
{
    switch (encoding) {
    case FieldEncoding::Digit:
        return int(std::clamp<qint64>(value, 0, 9));
    case FieldEncoding::Hex16:
        return int(std::clamp<qint64>(value, -16, 239));
    case FieldEncoding::Hex116:
        return int(std::clamp<qint64>(value, -116, 139));
    case FieldEncoding::Hex120:
        return int(std::clamp<qint64>(value, -120, 135));
    case FieldEncoding::Decimal3:
        return int(std::clamp<qint64>(value, 0, 999));
    case FieldEncoding::Constant6:
        break;
    }
    return 0;
}

bool insideValidRange(const Setting &param, int value)
{
    return param.checked && value >= int(param.validMin) && value <= int(param.validMax);
}

// Every member a frame carries, with its field and its parameter entry.
struct CarriedMember
{
    FrameField field;
    const Setting *param;
};

const QVector<CarriedMember> &carriedMembers()
{
    static const QVector<CarriedMember> all = [] {
        QVector<CarriedMember> out;
        for (FrameKind kind : kKinds) {
            for (const FrameField &field : frameLayout(kind).fields) {
                for (const Setting *param : intSettings()) {
                    if (!field.member.isNull() && param->member == field.member)
                        out.append({field, param});
                }
            }
        }
        return out;
    }();
    return all;
}

// What building all four frames does to a set: the tenths follow their
// voltages, as far as their fields carry them; a member or voltage inside
// its valid range that its field cannot carry takes the carried value;
// nothing else changes.
ParameterSet expectedAfterBuild(const ParameterSet &before)
{
    struct Tenths
    {
        int ParameterSet::*tenths;
        double ParameterSet::*volts;
        FieldEncoding encoding;
    };
    const Tenths links[] = {
        {&ParameterSet::TxVoltTenths, &ParameterSet::TxVolt, FieldEncoding::Hex16},
        {&ParameterSet::RxVoltTenths, &ParameterSet::RxVolt, FieldEncoding::Hex16},
        {&ParameterSet::ExtVoltTenths, &ParameterSet::ExtVolt, FieldEncoding::Decimal3},
    };
    ParameterSet out = before;
    for (const Tenths &link : links) {
        const int tenths = voltsToTenths(before.*link.volts);
        out.*link.tenths = carried(link.encoding, tenths);
        const Setting *volt = nullptr;
        for (const Setting *s : voltSettings())
            volt = s->volts == link.volts ? s : volt;
        const double v = before.*link.volts;
        if (out.*link.tenths != tenths && v >= volt->validMin && v <= volt->validMax)
            out.*link.volts = out.*link.tenths / 10.0;
    }
    for (const CarriedMember &m : carriedMembers()) {
        int &value = m.field.member.of(out);
        if (insideValidRange(*m.param, value))
            value = carried(m.field.encoding, value);
    }
    return out;
}

} // namespace

namespace {

// How the framer takes a chunk apart, with nothing after it ever: into whole
// messages, each of which the decoder takes for a message of its kind, and
// lost bytes, with no byte lost, doubled or moved.
QString framingProblem(const QByteArray &chunk)
{
    InboundFraming framing;
    QVector<InboundPiece> pieces = framing.feed(chunk);
    pieces += framing.timeUp();
    pieces += framing.end();
    QByteArray joined;
    for (const InboundPiece &piece : pieces) {
        if (piece.whole) {
            ParameterSet p;
            LiveValues live;
            const InboundResult r = decodeChunk(piece.bytes, p, live);
            if (r.kind == InboundResult::Empty || r.kind == InboundResult::Unrecognised)
                return QStringLiteral("framer gave %1 as a message").arg(QString::fromLatin1(piece.bytes.toHex()));
        }
        joined += piece.bytes;
    }
    if (joined != chunk)
        return QStringLiteral("framer lost or moved bytes of %1").arg(QString::fromLatin1(chunk.toHex()));
    if (framing.holding())
        return QStringLiteral("framer still holds bytes of %1 when the stream ends").arg(QString::fromLatin1(chunk.toHex()));
    return QString();
}

} // namespace

QString inbound(const QByteArray &data)
{
    const ChunkedInput input = cutIntoChunks(data);
    ParameterSet p;
    LiveValues live;
    std::optional<TrimHoldScope> hold;
    if (input.trimHold)
        hold.emplace(p);
    const int trims[] = {p.Trim1, p.Trim2, p.Trim3, p.Trim4};
    for (const QByteArray &chunk : input.chunks) {
        const QString framing = framingProblem(chunk);
        if (!framing.isEmpty())
            return framing;
        const InboundResult result = decodeChunk(chunk, p, live);
        if (chunk.isEmpty() != (result.kind == InboundResult::Empty))
            return QStringLiteral("a chunk of %1 bytes taken as empty or the other way round").arg(chunk.size());
        if ((result.blockNumber != 0) != (result.kind == InboundResult::ParamBlock || result.kind == InboundResult::AuxBlock))
            return QStringLiteral("block number %1 for a chunk of kind %2").arg(result.blockNumber).arg(result.kind);
        if (result.blockNumber < 0 || result.blockNumber > 19)
            return QStringLiteral("block number %1").arg(result.blockNumber);
        if (chunk.isEmpty())
            continue;
        selectDualRate(p);
        sanitizeParameters(p);
    }
    QString problem = outOfRangeMembers(p);
    if (!problem.isEmpty())
        return problem;
    if (input.trimHold && QVector<int>{p.Trim1, p.Trim2, p.Trim3, p.Trim4} != QVector<int>(std::begin(trims), std::end(trims)))
        return QStringLiteral("trims changed while held");

    ParameterFrames f;
    problem = rebuildAll(p, f);
    if (problem.isEmpty())
        problem = outOfRangeMembers(p);
    return problem;
}

QString parameterFile(const QByteArray &data)
{
    ParameterSet loaded;
    decodeParameterFile(readAsFile(data), loaded);
    sanitizeParameters(loaded);
    QString problem = outOfRangeMembers(loaded);
    if (!problem.isEmpty())
        return QStringLiteral("loaded: ") + problem;

    ParameterFrames saved;
    problem = rebuildAll(loaded, saved);
    if (!problem.isEmpty())
        return QStringLiteral("saved: ") + problem;
    const QByteArray bytes = parameterFileBytes(saved);
    if (bytes.size() != kParameterFileLength)
        return QStringLiteral("saved file has %1 bytes").arg(bytes.size());

    ParameterSet again;
    const FileDecodeResult result = decodeParameterFile(readAsFile(bytes), again);
    if (!(result.s && result.g && result.h && result.i))
        return QStringLiteral("a saved frame is not recognised: %1").arg(QString::fromLatin1(bytes));
    sanitizeParameters(again);
    // Only frames whose fields are all written in their encoding are taken,
    // so whatever a file brings, the frames carry as it is: even a trim,
    // which has no valid range the builder could hold it to.
    const QString differing = differingMembers(loaded, again);
    if (!differing.isEmpty())
        return QStringLiteral("loading the saved file changes (saved/loaded): ") + differing;
    return QString();
}

QString frameCodec(const QByteArray &data)
{
    FuzzInput in(data);
    ParameterSet p;
    for (const Setting *param : intSettings())
        param->member.of(p) = in.takeInt();
    for (const Setting *volt : voltSettings())
        p.*volt->volts = in.takeDouble();

    // Frame strings that lost their shape: any length, any text.
    ParameterFrames f;
    const int damaged = in.takeByte();
    for (FrameKind kind : kKinds) {
        if (damaged & (1 << int(kind)))
            frameString(f, kind) = QString::fromLatin1(in.takeBytes(in.takeByte()));
    }

    for (int round = 0; round < 2; ++round) {
        const ParameterSet before = p;
        const QString problem = rebuildAll(p, f);
        if (!problem.isEmpty())
            return problem;

        // Every field reads back as the value it carries: the member's own
        // value when the field can hold it, else the nearest it can.
        for (FrameKind kind : kKinds) {
            ParameterSet decoded;
            decodeFrameFields(kind, frameString(f, kind), 0, decoded);
            for (const FrameField &field : frameLayout(kind).fields) {
                if (field.member.isNull())
                    continue;
                const int expected = carried(field.encoding, field.member.of(p));
                if (field.member.of(decoded) != expected)
                    return QStringLiteral("%1 frame: a field holding %2 reads back as %3")
                            .arg(kindName(kind)).arg(field.member.of(p)).arg(field.member.of(decoded));
            }
        }
        const QString changed = differingMembers(expectedAfterBuild(before), p);
        if (!changed.isEmpty())
            return QStringLiteral("building frames changed (before/after): ") + changed;
    }
    return QString();
}

void silenceDebugOutput()
{
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
        if (type != QtDebugMsg && previous)
            previous(type, context, text);
    });
}

} // namespace FuzzChecks

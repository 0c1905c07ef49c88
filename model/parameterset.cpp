#include "model/parameterset.h"

#include <initializer_list>
#include <vector>

namespace {

using P = ParameterSet;

// A family of members that share a name pattern, a valid range and a reset
// routine. Start values are given once for the whole family or per member.
struct Family
{
    const char *pattern;   // "%1" is replaced by the member's number
    int firstNumber;       // number of the first member
    std::vector<IntRef> members;
    std::vector<int> starts; // one value for all, or one per member
    bool checked;
    int validMin;
    int validMax;
    ResetRoutine reset;
};

constexpr auto First = ResetRoutine::First;
constexpr auto Second = ResetRoutine::Second;
constexpr auto None = ResetRoutine::None;

std::vector<IntRef> table4(int (P::*member)[4])
{
    return {IntRef(member, 0), IntRef(member, 1), IntRef(member, 2), IntRef(member, 3)};
}

const std::vector<Family> &families()
{
    static const std::vector<Family> all = {
        {"Rev%1", 1, {&P::Rev1, &P::Rev2, &P::Rev3, &P::Rev4, &P::Rev5, &P::Rev6, &P::Rev7, &P::Rev8},
         {0, 0, 1, 0, 0, 0, 0, 0}, true, 0, 1, First},
        {"Sub%1", 1, {&P::Sub1, &P::Sub2, &P::Sub3, &P::Sub4, &P::Sub5, &P::Sub6, &P::Sub7, &P::Sub8},
         {0}, true, -100, 100, First},
        {"Lepa%1", 1, {&P::Lepa1, &P::Lepa2, &P::Lepa3, &P::Lepa4, &P::Lepa5, &P::Lepa6, &P::Lepa7, &P::Lepa8},
         {96}, true, 0, 120, First},
        {"Repa%1", 1, {&P::Repa1, &P::Repa2, &P::Repa3, &P::Repa4, &P::Repa5, &P::Repa6, &P::Repa7, &P::Repa8},
         {96}, true, 0, 120, First},
        {"FS%1", 1, {&P::FS1, &P::FS2, &P::FS3, &P::FS4, &P::FS5, &P::FS6, &P::FS7, &P::FS8},
         {50, 50, 0, 50, 50, 50, 50, 50}, true, 0, 100, First},
        {"Delay%1", 1, {&P::Delay1, &P::Delay2, &P::Delay3, &P::Delay4, &P::Delay5, &P::Delay6, &P::Delay7, &P::Delay8},
         {100}, true, 0, 100, First},
        {"DrMix", 0, {&P::DrMix}, {0}, true, 0, 1, First},
        {"DrCh", 0, {&P::DrCh}, {0}, true, 0, 4, First},
        {"DrSw", 0, {&P::DrSw}, {0}, true, 0, 2, First},
        {"DrUpShown", 0, {&P::DrUpShown}, {100}, true, 0, 100, First},
        {"DrRateUp%1", 0, table4(&P::DrRateUp), {100}, true, 0, 100, First},
        {"DrDownShown", 0, {&P::DrDownShown}, {100}, true, 0, 100, First},
        {"DrRateDown%1", 0, table4(&P::DrRateDown), {100}, true, 0, 100, First},
        {"AttiM", 0, {&P::AttiM}, {4}, true, 0, 5, First},
        {"Atti%1", 1, {&P::Atti1, &P::Atti2, &P::Atti3, &P::Atti4, &P::Atti5, &P::Atti6},
         {14, 29, 44, 56, 69, 88}, true, 0, 100, First},
        {"EleMix", 0, {&P::EleMix}, {0}, true, 0, 1, First},
        {"Elev%1", 1, {&P::Elev1, &P::Elev2, &P::Elev3, &P::Elev4, &P::Elev5, &P::Elev6},
         {100, 100, 100, -100, 100, 100}, true, -100, 100, First},
        {"RuMix", 0, {&P::RuMix}, {0}, true, 0, 1, First},
        {"Ru%1", 1, {&P::Ru1, &P::Ru2, &P::Ru3, &P::Ru4}, {50, -50, 50, 50}, true, -100, 100, First},
        {"Aux%1", 5, {&P::Aux5, &P::Aux6, &P::Aux7, &P::Aux8}, {1, 3, 0, 2}, true, 0, 5, First},
        {"TxVoltTenths", 0, {&P::TxVoltTenths}, {37}, true, 0, 500, First},
        {"Mode", 0, {&P::Mode}, {1}, true, 0, 4, First}, // factory value differs, see below
        {"Prm%1Mix", 1, {&P::Prm1Mix, &P::Prm2Mix}, {0}, true, 0, 2, First},
        {"Prm%1Master", 1, {&P::Prm1Master, &P::Prm2Master}, {0, 1}, true, 0, 10, First},
        {"Prm%1Slave", 1, {&P::Prm1Slave, &P::Prm2Slave}, {3, 5}, true, 0, 10, First},
        {"Prm%1Data1", 1, {&P::Prm1Data1, &P::Prm2Data1}, {0}, true, -100, 100, First},
        {"Prm%1Data2", 1, {&P::Prm1Data2, &P::Prm2Data2}, {0}, true, -100, 100, First},
        {"Prm%1Data3", 1, {&P::Prm1Data3, &P::Prm2Data3}, {0}, true, -100, 100, First},

        {"Prm%1Mix", 3, {&P::Prm3Mix, &P::Prm4Mix}, {0}, true, 0, 2, Second},
        {"Prm%1Master", 3, {&P::Prm3Master, &P::Prm4Master}, {0, 1}, true, 0, 10, Second},
        {"Prm%1Slave", 3, {&P::Prm3Slave, &P::Prm4Slave}, {3, 5}, true, 0, 10, Second},
        {"Prm%1Data1", 3, {&P::Prm3Data1, &P::Prm4Data1}, {0}, true, -100, 100, Second},
        {"Prm%1Data2", 3, {&P::Prm3Data2, &P::Prm4Data2}, {0}, true, -100, 100, Second},
        {"Prm%1Data3", 3, {&P::Prm3Data3, &P::Prm4Data3}, {0}, true, -100, 100, Second},
        {"RxVoltTenths", 0, {&P::RxVoltTenths}, {40}, true, 0, 1000, Second},
        {"ExtVoltTenths", 0, {&P::ExtVoltTenths}, {110}, true, 0, 1000, Second},
        {"RssiAlarm", 0, {&P::RssiAlarm}, {-100}, true, -100, 0, Second},
        {"ThCureMix", 0, {&P::ThCureMix}, {0}, true, 0, 5, Second},
        {"ThCureExtra", 0, {&P::ThCureExtra}, {0}, true, 0, 4, Second},
        {"ThCure%1", 1, {&P::ThCure1, &P::ThCure2, &P::ThCure3, &P::ThCure4, &P::ThCure5, &P::ThCure6, &P::ThCure7},
         {0, 16, 33, 50, 67, 84, 100}, true, 0, 100, Second},
        {"DrPosi", 0, {&P::DrPosi}, {0}, true, 0, 4, Second},
        {"DrExpUp%1", 0, table4(&P::DrExpUp), {0}, true, -100, 100, Second},
        {"DrExpShown", 0, {&P::DrExpShown}, {0}, true, -100, 100, Second},
        {"DrExpDown%1", 0, table4(&P::DrExpDown), {0}, true, -100, 100, Second},
        {"Trim%1", 1, {&P::Trim1, &P::Trim2, &P::Trim3, &P::Trim4}, {120}, false, 0, 0, Second},

        // Kept as they are by both the resets and the sanitizer.
        {"DrRateShown", 0, {&P::DrRateShown}, {100}, false, 0, 0, None},
        {"Vertion", 0, {&P::Vertion}, {0}, false, 0, 0, None},
    };
    return all;
}

QVector<IntParameter> expandFamilies()
{
    QVector<IntParameter> out;
    for (const Family &f : families()) {
        for (size_t i = 0; i < f.members.size(); ++i) {
            const QString pattern = QString::fromLatin1(f.pattern);
            const QString name = pattern.contains(QLatin1String("%1"))
                    ? pattern.arg(f.firstNumber + int(i))
                    : pattern;
            const int start = f.starts.size() == 1 ? f.starts.front() : f.starts.at(i);
            out.append({name, f.members[i], start, start, f.checked, f.validMin, f.validMax, f.reset});
        }
    }
    // The factory reset puts the stick mode to 2 while a fresh start and the
    // sanitizer use 1.
    for (IntParameter &p : out) {
        if (p.ref == IntRef(&P::Mode))
            p.factory = 2;
    }
    return out;
}

} // namespace

const QVector<IntParameter> &intParameters()
{
    static const QVector<IntParameter> table = expandFamilies();
    return table;
}

const QVector<VoltParameter> &voltParameters()
{
    // The transmitter-voltage alarm starts at 11.0 V, is reset to 3.7 V and
    // falls back to 0.0 V when it is out of range.
    static const QVector<VoltParameter> table = {
        {QStringLiteral("TxVolt"), &P::TxVolt, 11.0, 3.7, 0.0, 50.0, 0.0, First},
        {QStringLiteral("RxVolt"), &P::RxVolt, 4.0, 4.0, 0.0, 100.0, 4.0, Second},
        {QStringLiteral("ExtVolt"), &P::ExtVolt, 11.0, 11.0, 0.0, 100.0, 11.0, Second},
    };
    return table;
}

const IntParameter *findIntParameter(QLatin1String name)
{
    for (const IntParameter &p : intParameters()) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

const VoltParameter *findVoltParameter(QLatin1String name)
{
    for (const VoltParameter &p : voltParameters()) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

IntRef channelOutput(int channel)
{
    static constexpr int P::*outputs[8] = {&P::ChOut1, &P::ChOut2, &P::ChOut3, &P::ChOut4,
                                           &P::ChOut5, &P::ChOut6, &P::ChOut7, &P::ChOut8};
    return IntRef(outputs[channel]);
}

ParameterSet::ParameterSet()
{
    for (const IntParameter &p : intParameters())
        p.ref.of(*this) = p.start;
    for (const VoltParameter &v : voltParameters())
        this->*v.ref = v.start;
    for (int ch = 0; ch < 8; ++ch)
        channelOutput(ch).of(*this) = 1000;
    LangChinese = 1;
    TrimHold = 0;
}

ParameterSet &params()
{
    static ParameterSet instance;
    return instance;
}

void keepRunTimeValues(ParameterSet &set, const ParameterSet &current)
{
    for (int channel = 0; channel < 8; ++channel)
        channelOutput(channel).of(set) = channelOutput(channel).of(current);
    set.LangChinese = current.LangChinese;
    set.TrimHold = current.TrimHold;
}

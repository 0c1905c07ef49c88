#include "transfer/replyrules.h"

#include "model/parameterset.h"
#include "model/settings.h"

namespace {

bool isTrim(const Setting &setting)
{
    const IntRef trims[] = {&ParameterSet::Trim1, &ParameterSet::Trim2, &ParameterSet::Trim3, &ParameterSet::Trim4};
    for (const IntRef &trim : trims) {
        if (setting.member == trim)
            return true;
    }
    return false;
}
} // namespace

int ReplyRules::quietLimitMs(int distinctBlocks, const Protocol::Pacing &pacing)
{
    if (distinctBlocks >= ReadReply::kBlockCount)
        return 0;
    return distinctBlocks == 0 ? pacing.firstBlockMs : pacing.quietAfterBlockMs;
}

QVector<const Setting *> readBackDifferences(const ParameterSet &sent, const ParameterSet &held, bool trimsRead)
{
    QVector<const Setting *> out;
    for (const Setting &setting : settings()) {
        if ((isReadBack(setting) || (trimsRead && isTrim(setting))) && !settingEquals(setting, sent, held))
            out.append(&setting);
    }
    return out;
}

SendCheck SendCheck::judge(bool heard, const TransmitterRecord::ReadOutcome &readBack)
{
    SendCheck check;
    check.received = readBack.received;
    if (!heard || readBack.received == 0)
        check.result = Result::Silent;
    else if (!readBack.complete || !readBack.compared)
        check.result = Result::Incomplete;
    else if (!readBack.differences.isEmpty())
        check.result = Result::Differs;
    else
        check.result = Result::Verified;
    if (check.result == Result::Differs)
        check.differences = readBack.differences;
    return check;
}

SendCheck SendCheck::silent()
{
    SendCheck check;
    check.result = Result::Silent;
    return check;
}

#include "transfer/replyrules.h"

#include <QElapsedTimer>

#include "link/transmittersession.h"
#include "link/waitms.h"
#include "model/parameterset.h"
#include "model/settings.h"

namespace {
constexpr int kPollMs = 20;

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

ReadReply readReply(TransmitterSession &session, int wholeReplyMs)
{
    if (wholeReplyMs <= 0)
        wholeReplyMs = session.pacing().wholeReplyMs;
    session.requestRead();
    QElapsedTimer sinceRequest;
    sinceRequest.start();
    QElapsedTimer sinceNewBlock = sinceRequest;
    int distinctBefore = 0;
    while (!session.reply().complete() && !session.portLost() && session.isOpen()
           && sinceRequest.elapsed() < wholeReplyMs) {
        waitMs(kPollMs);
        if (session.reply().received() != distinctBefore) {
            distinctBefore = session.reply().received();
            sinceNewBlock.start();
        }
        if (sinceNewBlock.elapsed() >= ReplyRules::quietLimitMs(distinctBefore, session.pacing()))
            break;
    }
    return session.reply();
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

TransmitterRecord::ReadOutcome finishRead(TransmitterRecord &record, const ParameterSet &current)
{
    TransmitterRecord::ReadOutcome outcome = record.finishRead(current);
    if (outcome.compared)
        outcome.differences = readBackDifferences(record.lastSent(), record.known(), false);
    return outcome;
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

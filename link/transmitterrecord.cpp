#include "link/transmitterrecord.h"

#include "link/parameterblocks.h"

namespace {

bool blockCarries(const ParameterBlock &block, const Setting &setting)
{
    for (const BlockSlot &slot : block.fields) {
        if (slot.member.isNull())
            continue;
        if (setting.volts ? slot.volts == setting.volts : slot.member == setting.member)
            return true;
    }
    return false;
}

// What the live stream keeps current: the trims and the channel outputs.
void takeStreamedValues(ParameterSet &set, const ParameterSet &current)
{
    set.Trim1 = current.Trim1;
    set.Trim2 = current.Trim2;
    set.Trim3 = current.Trim3;
    set.Trim4 = current.Trim4;
    keepRunTimeValues(set, current);
}

} // namespace

bool isReadBack(const Setting &setting)
{
    for (const ParameterBlock &block : parameterBlocks()) {
        if (blockCarries(block, setting))
            return true;
    }
    return false;
}

QStringList pagesOfBlocks(const QVector<int> &blockNumbers)
{
    QStringList pages;
    for (const Setting &setting : settings()) {
        if (pages.contains(setting.page))
            continue;
        for (int number : blockNumbers) {
            if (number >= 1 && number <= parameterBlocks().size()
                    && blockCarries(parameterBlocks().at(number - 1), setting)) {
                pages.append(setting.page);
                break;
            }
        }
    }
    return pages;
}

ParameterSet readKeepingEdits(const ParameterSet &read, const ParameterSet &current,
                              const QVector<SettingChange> &edits)
{
    ParameterSet out = read;
    takeStreamedValues(out, current);
    applyChanges(out, edits, true);
    return out;
}

ParameterSet decodeFrames(const ParameterFrames &frames, const ParameterSet &base)
{
    ParameterSet out = base;
    for (FrameKind kind : {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I}) {
        const QString &frame = frameString(frames, kind);
        if (frame.size() == kFrameLength)
            decodeFrameFields(kind, frame, 0, out);
    }
    return out;
}

void TransmitterRecord::connectionEnded()
{
    TransmitterRecord ended;
    ended.m_known = m_known;
    ended.m_hasKnown = m_hasKnown;
    ended.m_uncertain = m_uncertain;
    ended.m_reply = m_reply;
    *this = ended;
}

void TransmitterRecord::startRead(const ParameterSet &current)
{
    m_replySet = current;
    m_reply.restart();
    m_reading = true;
}

void TransmitterRecord::blockArrived(int number)
{
    if (m_reading)
        m_reply.add(number);
}

TransmitterRecord::ReadOutcome TransmitterRecord::finishRead(const ParameterSet &current)
{
    ReadOutcome outcome;
    outcome.received = m_reply.received();
    outcome.complete = m_reply.complete();
    m_reading = false;
    if (!outcome.complete) {
        outcome.stalePages = pagesOfBlocks(m_reply.missing());
        return outcome;
    }
    m_known = m_replySet;
    takeStreamedValues(m_known, current);
    m_hasKnown = true;
    m_hasCompleteRead = true;
    m_uncertain = false;
    outcome.compared = m_hasSent;
    return outcome;
}

void TransmitterRecord::sent(const ParameterFrames &frames, const ParameterSet &base)
{
    m_knownBeforeSend = m_known;
    m_hadKnownBeforeSend = m_hasKnown;
    m_sent = decodeFrames(frames, base);
    m_hasSent = true;
    m_known = m_sent;
    m_hasKnown = true;
    m_uncertain = false;
}

void TransmitterRecord::sendUnconfirmed()
{
    m_known = m_knownBeforeSend;
    m_hasKnown = m_hadKnownBeforeSend;
    m_uncertain = true;
    m_hasCompleteRead = false;
}

void TransmitterRecord::sendCut(const ParameterFrames &frames, const ParameterSet &base)
{
    m_sent = decodeFrames(frames, base);
    m_hasSent = true;
    m_uncertain = true;
    // No backup may be taken of what is not known to be there.
    m_hasCompleteRead = false;
}

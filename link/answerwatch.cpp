#include "link/answerwatch.h"

#include "link/inboundparser.h"

AnswerWatch::AnswerWatch(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &AnswerWatch::missing);
}

void AnswerWatch::start(int ms)
{
    m_started = true;
    m_heard = false;
    m_timer.start(ms);
}

void AnswerWatch::outbound(const QByteArray &bytes)
{
    m_traffic.record(TrafficHistory::Out, bytes);
}

void AnswerWatch::inbound(const QByteArray &message, const InboundResult &result)
{
    m_traffic.record(TrafficHistory::In, message);
    const bool live = result.kind == InboundResult::ChannelPacket || result.kind == InboundResult::StatusPacket;
    if (live && m_started) {
        m_heard = true;
        m_timer.stop();
    }
}

ListenResult::Answer AnswerWatch::answer() const
{
    if (m_heard)
        return ListenResult::Answered;
    return m_timer.isActive() ? ListenResult::NotTried : ListenResult::Silent;
}

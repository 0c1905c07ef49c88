#pragma once

#include <QObject>
#include <QTimer>

#include "link/connectioncheck.h"
#include "link/traffichistory.h"

struct InboundResult;

// What the transmitter said since the port opened: whether a live packet
// answered "OK" within its time (missing() when not), and the last messages
// both ways for a diagnostic report.
class AnswerWatch : public QObject
{
    Q_OBJECT

public:
    explicit AnswerWatch(QObject *parent = nullptr);

    // "OK" went out: the wait of ms for a live packet starts again.
    void start(int ms = ConnectionCheck::kAnswerMs);
    void outbound(const QByteArray &bytes);
    void inbound(const QByteArray &message, const InboundResult &result);

    // Answered, still waiting (NotTried), or silent since the last start().
    ListenResult::Answer answer() const;
    QStringList trafficLines() const { return m_traffic.lines(); }

signals:
    // Nothing answered in time.
    void missing();

private:
    TrafficHistory m_traffic;
    QTimer m_timer;
    bool m_heard = false;
    bool m_started = false;
};

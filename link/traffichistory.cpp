#include "link/traffichistory.h"

TrafficHistory::TrafficHistory(int capacity) : m_capacity(qMax(1, capacity)) {}

void TrafficHistory::record(Direction direction, const QByteArray &bytes, const QDateTime &when)
{
    const Entry entry{when, direction, bytes};
    if (m_entries.size() < m_capacity) {
        m_entries.append(entry);
        return;
    }
    m_entries[m_next] = entry;
    m_next = (m_next + 1) % m_capacity;
}

QStringList TrafficHistory::lines() const
{
    QStringList out;
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry &e = m_entries.at((m_next + i) % m_entries.size());
        out.append(QStringLiteral("%1 %2 %3")
                           .arg(e.when.toLocalTime().toString(QStringLiteral("HH:mm:ss.zzz")),
                                e.direction == Out ? QStringLiteral("out") : QStringLiteral("in "),
                                QString::fromLatin1(e.bytes.toHex(' '))));
    }
    return out;
}

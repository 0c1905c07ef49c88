#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <QVector>

// The last messages that went over the link, both ways, for a report of
// what the transmitter and the tool said to each other. Holds at most
// capacity entries; the oldest go first.
class TrafficHistory
{
public:
    static constexpr int kDefaultCapacity = 32;
    enum Direction { In, Out };

    explicit TrafficHistory(int capacity = kDefaultCapacity);

    // Taken in UTC: fifty live packets a second would each look up the
    // time zone otherwise. The lines show local time.
    void record(Direction direction, const QByteArray &bytes,
                const QDateTime &when = QDateTime::currentDateTimeUtc());
    int size() const { return int(m_entries.size()); }
    void clear() { m_entries.clear(); m_next = 0; }

    // Oldest first, one line each: "10:42:07.123 out 4f 4b" / "... in  ...".
    QStringList lines() const;

private:
    struct Entry
    {
        QDateTime when;
        Direction direction = In;
        QByteArray bytes;
    };
    int m_capacity;
    QVector<Entry> m_entries;
    int m_next = 0; // where the next entry goes once full
};

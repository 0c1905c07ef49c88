#pragma once

#include <QVector>

// The parameter blocks that arrived since the last "RR". A reply is complete
// only when all nineteen distinct blocks came; a block that comes twice
// counts once.
class ReadReply
{
public:
    static constexpr int kBlockCount = 19;

    void restart() { m_seen = 0; m_repeats = 0; }
    void add(int blockNumber); // 1..19; anything else is ignored
    bool has(int blockNumber) const;
    int received() const;
    bool complete() const { return received() == kBlockCount; }
    QVector<int> missing() const;
    // Blocks that came again after their first arrival.
    int repeats() const { return m_repeats; }

private:
    quint32 m_seen = 0;
    int m_repeats = 0;
};

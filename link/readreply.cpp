#include "link/readreply.h"

void ReadReply::add(int blockNumber)
{
    if (blockNumber < 1 || blockNumber > kBlockCount)
        return;
    if (has(blockNumber))
        ++m_repeats;
    m_seen |= 1u << blockNumber;
}

bool ReadReply::has(int blockNumber) const
{
    return blockNumber >= 1 && blockNumber <= kBlockCount && (m_seen & (1u << blockNumber));
}

int ReadReply::received() const
{
    int n = 0;
    for (int b = 1; b <= kBlockCount; ++b)
        n += has(b) ? 1 : 0;
    return n;
}

QVector<int> ReadReply::missing() const
{
    QVector<int> out;
    for (int b = 1; b <= kBlockCount; ++b) {
        if (!has(b))
            out.append(b);
    }
    return out;
}

#pragma once

#include <QByteArray>
#include <QVector>

// Reads a fuzzer's input front to back as the values a target needs. Once
// the bytes run out every value reads as zero, so any input is usable.
class FuzzInput
{
public:
    explicit FuzzInput(const QByteArray &data) : m_data(data) {}

    bool atEnd() const { return m_pos >= m_data.size(); }
    int remaining() const { return qMax(0, m_data.size() - m_pos); }

    int takeByte();
    // Any int; one selector byte makes the extremes (INT_MIN, INT_MAX, 0,
    // -1, the edges of a byte) as likely as four raw bytes.
    int takeInt();
    // Any double, NaN and both infinities included.
    double takeDouble();
    QByteArray takeBytes(int count);
    QByteArray takeRest();

private:
    QByteArray m_data;
    int m_pos = 0;
};

// Cuts data into the chunks one readyRead after another would deliver. The
// first byte says how many length bytes follow (1..8) and whether the trims
// are held; the lengths (0..31 each, so the message sizes 8, 12 and 20 and
// the empty chunk are all reachable) are used in turn until the rest of the
// input is used up, for at most kMaxChunks chunks: longer bursts find
// nothing new and only slow the fuzzer down.
constexpr int kMaxChunkLength = 32;
constexpr int kMaxChunks = 64;

struct ChunkedInput
{
    QVector<QByteArray> chunks;
    bool trimHold = false;
};
ChunkedInput cutIntoChunks(const QByteArray &data);

// The other way round, for seed inputs: the header for schedule (1..8
// lengths, each 0..31) followed by payload.
QByteArray chunkedInput(const QVector<int> &schedule, bool trimHold, const QByteArray &payload);

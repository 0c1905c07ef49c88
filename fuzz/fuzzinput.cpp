#include "fuzz/fuzzinput.h"

#include <QtEndian>

#include <climits>
#include <cstring>
#include <limits>

int FuzzInput::takeByte()
{
    if (atEnd())
        return 0;
    return static_cast<unsigned char>(m_data.at(m_pos++));
}

int FuzzInput::takeInt()
{
    static constexpr int kEdgeValues[] = {INT_MIN, INT_MAX, 0, -1, 1, 255, 256, -256, INT_MIN + 1, INT_MAX - 1};
    constexpr int kEdgeCount = int(sizeof kEdgeValues / sizeof kEdgeValues[0]);
    const int selector = takeByte();
    if (selector < kEdgeCount)
        return kEdgeValues[selector];
    if (selector < 128)
        return selector - 64 - kEdgeCount; // small values around the ranges
    const QByteArray raw = takeBytes(4).leftJustified(4, '\0');
    return qFromLittleEndian<qint32>(raw.constData());
}

double FuzzInput::takeDouble()
{
    using L = std::numeric_limits<double>;
    static constexpr double kEdgeValues[] = {L::quiet_NaN(), L::infinity(), -L::infinity(), L::max(),
                                             L::lowest(), L::denorm_min(), -0.0, 0.0, 23.95, 99.95,
                                             100.0, 50.05};
    constexpr int kEdgeCount = int(sizeof kEdgeValues / sizeof kEdgeValues[0]);
    const int selector = takeByte();
    if (selector < kEdgeCount)
        return kEdgeValues[selector];
    if (selector < 128)
        return (takeByte() * 256 + takeByte()) / 10.0 - 100.0; // tenths around the ranges
    const QByteArray raw = takeBytes(8).leftJustified(8, '\0');
    double value;
    std::memcpy(&value, raw.constData(), sizeof value);
    return value;
}

QByteArray FuzzInput::takeBytes(int count)
{
    const QByteArray out = m_data.mid(m_pos, qMax(0, count));
    m_pos += out.size();
    return out;
}

QByteArray FuzzInput::takeRest()
{
    return takeBytes(remaining());
}

QByteArray chunkedInput(const QVector<int> &schedule, bool trimHold, const QByteArray &payload)
{
    Q_ASSERT(!schedule.isEmpty() && schedule.size() <= 8);
    QByteArray out;
    out.append(char((trimHold ? 0x80 : 0) | (schedule.size() - 1)));
    for (int length : schedule)
        out.append(char(length));
    return out + payload;
}

ChunkedInput cutIntoChunks(const QByteArray &data)
{
    FuzzInput in(data);
    ChunkedInput out;
    const int header = in.takeByte();
    out.trimHold = header & 0x80;
    QVector<int> lengths;
    for (int i = 0, n = 1 + (header & 0x07); i < n; ++i)
        lengths.append(in.takeByte() % kMaxChunkLength);

    const QByteArray payload = in.takeRest();
    int pos = 0;
    int emptyInARow = 0;
    for (int i = 0; pos < payload.size() && out.chunks.size() < kMaxChunks; i = (i + 1) % lengths.size()) {
        const int length = lengths.at(i);
        out.chunks.append(payload.mid(pos, length));
        pos += length;
        // A schedule of nothing but zeros would never end.
        emptyInARow = length == 0 ? emptyInARow + 1 : 0;
        if (emptyInARow > lengths.size())
            break;
    }
    return out;
}

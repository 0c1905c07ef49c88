#include "link/inboundframer.h"

#include <QVector>

#include "link/parameterblocks.h"

namespace {

constexpr int kLivePacketLength = 20;
constexpr int kChannelPacketType = 0x18;
constexpr int kStatusPacketType = 0x19;

int byteAt(const QByteArray &b, int i)
{
    return i >= 0 && i < b.size() ? static_cast<unsigned char>(b.at(i)) : -1;
}

bool startsLivePacket(const QByteArray &b, int i)
{
    return byteAt(b, i) == kBlockMarker
            && (byteAt(b, i + 1) == kChannelPacketType || byteAt(b, i + 1) == kStatusPacketType);
}

// The ways a message can begin at index i, each with its length; the first
// whose rest of the chunk also splits wins.
int livePacketAt(const QByteArray &b, int i)
{
    return startsLivePacket(b, i) && i + kLivePacketLength <= b.size() ? kLivePacketLength : 0;
}

int paramBlockAt(const QByteArray &b, int i)
{
    return byteAt(b, i) == kBlockMarker && byteAt(b, i + kParamBlockLength - 1) == kBlockMarker
            ? kParamBlockLength
            : 0;
}

int auxBlockAt(const QByteArray &b, int i)
{
    return i + kAuxBlockLength <= b.size() && byteAt(b, i + 2) == kAuxBlockType ? kAuxBlockLength : 0;
}

// Whether the bytes from i to the end can begin a live packet or a 12-byte
// block that is still to be completed.
bool unfinishedStartAt(const QByteArray &b, int i)
{
    const int rest = b.size() - i;
    if (rest <= 0 || byteAt(b, i) != kBlockMarker)
        return false;
    if (rest < kParamBlockLength)
        return true;
    return rest < kLivePacketLength && startsLivePacket(b, i);
}

} // namespace

bool splitInboundMessages(const QByteArray &chunk, QVector<QByteArray> *messages, QByteArray *tail)
{
    const int n = chunk.size();
    // splits[i]: how the bytes from i on begin, 0 when they cannot be split;
    // -1 marks an unfinished start that runs to the end.
    QVector<int> splits(n + 1, 0);
    QVector<bool> ok(n + 1, false);
    ok[n] = true;
    for (int i = n - 1; i >= 0; --i) {
        const bool unfinished = unfinishedStartAt(chunk, i);
        // An 8-byte aux block at the end may as well be the head of a live
        // packet, or of the 12-byte block of the same type when it does not
        // end with the marker: wait for the rest.
        const bool auxOrHead = unfinished && n - i == kAuxBlockLength && auxBlockAt(chunk, i)
                && (startsLivePacket(chunk, i) || byteAt(chunk, n - 1) != kBlockMarker);
        for (int length : {livePacketAt(chunk, i), paramBlockAt(chunk, i),
                           auxOrHead ? -1 : auxBlockAt(chunk, i), unfinished ? -1 : 0}) {
            if (length == -1) {
                splits[i] = -1;
                ok[i] = true;
                break;
            }
            if (length > 0 && i + length <= n && ok[i + length]) {
                splits[i] = length;
                ok[i] = true;
                break;
            }
        }
    }
    if (!ok[0])
        return false;
    messages->clear();
    tail->clear();
    for (int i = 0; i < n;) {
        if (splits[i] == -1) {
            *tail = chunk.mid(i);
            break;
        }
        messages->append(chunk.mid(i, splits[i]));
        i += splits[i];
    }
    return true;
}

InboundFramer::InboundFramer(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kHoldMs);
    connect(&m_timer, &QTimer::timeout, this, &InboundFramer::heldTimedOut);
}

QVector<QByteArray> InboundFramer::feed(const QByteArray &chunk)
{
    QVector<QByteArray> out;
    if (chunk.isEmpty())
        return out;
    QVector<QByteArray> messages;
    QByteArray tail;
    bool judged = false;
    if (!m_held.isEmpty()) {
        judged = splitInboundMessages(m_held + chunk, &messages, &tail);
        // A start whose rest was lost would swallow whole messages that
        // follow; a chunk that begins with the marker and is whole messages
        // by itself wins then.
        QVector<QByteArray> alone;
        QByteArray aloneTail;
        if (judged && messages.isEmpty() && static_cast<unsigned char>(chunk.at(0)) == kBlockMarker
                && splitInboundMessages(chunk, &alone, &aloneTail) && aloneTail.isEmpty())
            judged = false;
        if (!judged) {
            // The rest never came: what was held goes as it stands, and the
            // chunk is judged on its own.
            out = takeHeld();
        }
    }
    if (!judged && !splitInboundMessages(chunk, &messages, &tail)) {
        // The chunk begins with the rest of a message that was given up:
        // those bytes go as they stand, and the framing starts again at the
        // first marker from which the chunk splits.
        messages.clear();
        tail.clear();
        int from = 1;
        for (; from < chunk.size(); ++from) {
            if (static_cast<unsigned char>(chunk.at(from)) == kBlockMarker
                    && splitInboundMessages(chunk.mid(from), &messages, &tail))
                break;
        }
        messages.prepend(chunk.left(from));
    }
    out += messages;
    m_held = tail;
    if (m_held.isEmpty())
        m_timer.stop();
    else
        m_timer.start();
    return out;
}

QVector<QByteArray> InboundFramer::takeHeld()
{
    m_timer.stop();
    QVector<QByteArray> out;
    if (!m_held.isEmpty())
        out.append(m_held);
    m_held.clear();
    return out;
}

void InboundFramer::reset()
{
    m_timer.stop();
    m_held.clear();
}

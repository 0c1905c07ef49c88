#include "link/inboundframer.h"

#include <algorithm>
#include <array>

#include "link/parameterblocks.h"

namespace {

constexpr int kLongest = kLivePacketLength;
// Readings that stay apart over this many bytes are settled as when time is
// up, so that noise cannot make the held bytes grow without bound.
constexpr int kMostHeld = 4 * kLongest;

bool isBlockType(unsigned char type)
{
    static const std::array<bool, 256> known = [] {
        std::array<bool, 256> k{};
        for (int t = 0; t < 256; ++t)
            k[t] = findParamBlock(t) != nullptr;
        return k;
    }();
    return known[type];
}

// Whether the m bytes at b (1 <= m <= the kind's length) are how a message of
// the kind begins, by its fixed bytes.
bool beginsLivePacket(const unsigned char *b, int m)
{
    return b[0] == kBlockMarker && (m < 2 || b[1] == kChannelPacketType || b[1] == kStatusPacketType);
}

bool beginsBlock(const unsigned char *b, int m)
{
    return b[0] == kBlockMarker && (m < 3 || isBlockType(b[2]))
            && (m < kParamBlockLength || b[kParamBlockLength - 1] == kBlockMarker);
}

bool beginsAuxBlock(const unsigned char *b, int m)
{
    return m < 3 || b[2] == kAuxBlockType;
}

// The m bytes at b begin a message and are not all of it.
bool isHead(const unsigned char *b, int m)
{
    return (m < kAuxBlockLength && beginsAuxBlock(b, m))
            || (m < kParamBlockLength && beginsBlock(b, m))
            || (m < kLivePacketLength && beginsLivePacket(b, m));
}

// The most bytes still to come of a message that begins with the m bytes at
// b; 0 when no message begins so.
int restAfterHead(const unsigned char *b, int m)
{
    if (m < kLivePacketLength && beginsLivePacket(b, m))
        return kLivePacketLength - m;
    if (m < kParamBlockLength && beginsBlock(b, m))
        return kParamBlockLength - m;
    if (m < kAuxBlockLength && beginsAuxBlock(b, m))
        return kAuxBlockLength - m;
    return 0;
}

// What is known of one place in the bytes.
enum Mark : unsigned char {
    AuxHere = 1,     // a whole aux block begins here
    BlockHere = 2,   // a whole block
    LiveHere = 4,    // a whole live packet
    WholeHere = AuxHere | BlockHere | LiveHere,
    HeadHere = 8,    // the bytes from here to the end are a head
    TearsHere = 16,  // a live packet's head from here stops where two chunks met
    Ahead = 32,      // some reading goes on from here to the end
    AheadWhole = 64, // ... beginning with a whole message
    Behind = 128,    // some reading from the front comes here
};

constexpr int lengthOf(unsigned char kind)
{
    return kind == AuxHere ? kAuxBlockLength : kind == BlockHere ? kParamBlockLength : kLivePacketLength;
}

struct Tear
{
    int from;
    int to;
};

// The readings of n bytes as a graph: every place is a node; a whole message,
// a head at the end, the head of a live packet given up where two chunks met
// (a tear) and, at the front, bytes that may be the late rest of a message
// are its edges. A reading is a path from the front to the end.
class Readings
{
public:
    Readings(const QByteArray &bytes, const QVarLengthArray<int, 8> &cuts, bool timeIsUp)
        : m_b(reinterpret_cast<const unsigned char *>(bytes.constData()))
        , m_n(bytes.size())
        , m_timeIsUp(timeIsUp)
        , m_marks(m_n + 1)
    {
        for (int i = 0; i < m_n; ++i) {
            const int rest = m_n - i;
            unsigned char mark = 0;
            if (rest >= kAuxBlockLength && beginsAuxBlock(m_b + i, kAuxBlockLength))
                mark |= AuxHere;
            if (rest >= kParamBlockLength && beginsBlock(m_b + i, kParamBlockLength))
                mark |= BlockHere;
            if (rest >= kLivePacketLength && beginsLivePacket(m_b + i, kLivePacketLength))
                mark |= LiveHere;
            if (rest < kLongest && isHead(m_b + i, rest))
                mark |= HeadHere;
            m_marks[i] = mark;
        }
        m_marks[m_n] = 0;
        for (int cut : cuts) {
            for (int i = qMax(0, cut - kLongest + 1); i < cut; ++i) {
                const bool whole = wholeEndsAt(m_marks[i], i, cut);
                if (!whole && beginsLivePacket(m_b + i, cut - i)) {
                    m_tears.append({i, cut});
                    m_marks[i] |= TearsHere;
                }
            }
        }
        for (int i = m_n; i >= 0; --i)
            markAhead(i);
    }

    int size() const { return m_n; }
    bool ahead(int i) const { return m_marks[i] & Ahead; }
    bool useful(int i) const { return (m_marks[i] & (Ahead | Behind)) == (Ahead | Behind); }
    bool endsWithHead(int i) const { return m_marks[i] & HeadHere; }

    // Bytes before front are settled; up to lateRest bytes from the front
    // may be the late rest of a message already given up.
    void setFront(int front, int lateRest)
    {
        m_front = front;
        m_lateRest = lateRest;
        markAhead(front);
    }

    // Whether some reading from the front ends with a whole message at the
    // end of the bytes: they may be complete as they stand.
    bool mayBeComplete() const
    {
        QVarLengthArray<unsigned char, 128> reached(m_n + 1); // 1: reached, 2: by a whole message
        std::fill(reached.begin(), reached.end(), 0);
        reached[m_front] = 1;
        for (int i = m_front; i < m_n; ++i) {
            if (!reached[i])
                continue;
            forEachEdge(i, [&](int to, bool, bool whole) {
                if (to <= m_n)
                    reached[to] |= whole ? 2 : 1;
            });
        }
        return reached[m_n] & 2;
    }

    // Once, after the front is settled.
    void markBehind()
    {
        m_marks[m_front] |= Behind;
        for (int i = m_front; i < m_n; ++i) {
            if (!useful(i))
                continue;
            forEachEdge(i, [this](int to, bool, bool) {
                if (to <= m_n)
                    m_marks[to] |= Behind;
            });
        }
    }

    // Calls f(to, settled, whole) for every edge from i that some reading
    // can take: to is where it ends (m_n + 1: beyond the bytes there are),
    // settled whether later bytes can still take it away, whole whether it
    // is a message.
    template<typename F>
    void forEachEdge(int i, F f) const
    {
        const unsigned char mark = m_marks[i];
        for (unsigned char kind : {AuxHere, BlockHere, LiveHere}) {
            if ((mark & kind) && (m_marks[i + lengthOf(kind)] & Ahead))
                f(i + lengthOf(kind), true, true);
        }
        if (mark & HeadHere)
            f(m_timeIsUp ? m_n : m_n + 1, m_timeIsUp, false);
        if (mark & TearsHere) {
            for (const Tear &tear : m_tears) {
                if (tear.from == i)
                    tearTo(tear.to, f);
            }
        }
        if (i == m_front) {
            for (int to = i + 1; to <= qMin(m_n, i + m_lateRest); ++to) {
                if (m_marks[to] & Ahead)
                    f(to, true, false);
            }
        }
    }

private:
    static bool wholeEndsAt(unsigned char mark, int i, int end)
    {
        for (unsigned char kind : {AuxHere, BlockHere, LiveHere}) {
            if ((mark & kind) && i + lengthOf(kind) == end)
                return true;
        }
        return false;
    }

    // A live packet given up where two chunks met: a reading only when a
    // whole message follows there, or may still follow.
    template<typename F>
    void tearTo(int to, F f) const
    {
        if (m_marks[to] & AheadWhole)
            f(to, true, false);
        else if (!m_timeIsUp && (m_marks[to] & HeadHere))
            f(to, false, false);
    }

    void markAhead(int i)
    {
        m_marks[i] &= ~(Ahead | AheadWhole);
        if (i == m_n) {
            m_marks[i] |= Ahead;
            return;
        }
        bool any = false;
        bool whole = false;
        forEachEdge(i, [&](int, bool, bool isWhole) {
            any = true;
            whole = whole || isWhole;
        });
        if (any)
            m_marks[i] |= Ahead;
        if (whole)
            m_marks[i] |= AheadWhole;
    }

    const unsigned char *m_b;
    int m_n;
    bool m_timeIsUp;
    int m_front = 0;
    int m_lateRest = 0;
    QVarLengthArray<unsigned char, 128> m_marks;
    QVarLengthArray<Tear, 8> m_tears;
};

void append(QVector<InboundPiece> *out, const QByteArray &bytes, int from, int to, bool whole)
{
    if (!whole && !out->isEmpty() && !out->last().whole) {
        out->last().bytes += bytes.mid(from, to - from);
        return;
    }
    out->append({bytes.mid(from, to - from), whole});
}

} // namespace

QVector<InboundPiece> InboundFraming::feed(const QByteArray &chunk)
{
    QVector<InboundPiece> out;
    if (chunk.isEmpty())
        return out;
    if (m_held.isEmpty()) {
        m_cuts.clear();
        resolve(chunk, false, &out);
    } else {
        m_cuts.append(m_held.size());
        resolve(m_held + chunk, false, &out);
    }
    return out;
}

QVector<InboundPiece> InboundFraming::timeUp()
{
    QVector<InboundPiece> out;
    if (m_held.isEmpty())
        return out;
    Readings readings(m_held, m_cuts, false);
    readings.setFront(0, m_lateRest);
    if (!readings.mayBeComplete())
        resolve(QByteArray(m_held), true, &out);
    return out;
}

QVector<InboundPiece> InboundFraming::end()
{
    QVector<InboundPiece> out;
    if (!m_held.isEmpty())
        resolve(QByteArray(m_held), true, &out);
    m_lateRest = 0;
    return out;
}

void InboundFraming::reset()
{
    m_held.clear();
    m_cuts.clear();
    m_lateRest = 0;
}

void InboundFraming::resolve(const QByteArray &bytes, bool timeIsUp, QVector<InboundPiece> *out)
{
    Readings readings(bytes, m_cuts, timeIsUp);
    const int n = readings.size();
    int lostFrom = -1; // where the lost bytes at the end of out begin
    const auto give = [&](int from, int to, bool whole) {
        append(out, bytes, from, to, whole);
        lostFrom = whole ? -1 : lostFrom < 0 ? from : lostFrom;
    };

    // No reading from the front: the bytes are the rest of a message whose
    // head was lost. Start again at the next place a reading goes on from.
    int front = 0;
    readings.setFront(front, m_lateRest);
    while (!readings.ahead(front)) {
        int next = front + 1;
        while (!readings.ahead(next))
            ++next;
        give(front, next, false);
        front = next;
        readings.setFront(front, 0);
    }
    readings.markBehind();

    // Every reading passes a place that no edge of any reading jumps over;
    // between two such places the readings either agree on one message or
    // the bytes are lost.
    int last = front;
    int reach = front;
    for (int k = front + 1; k <= n; ++k) {
        if (readings.useful(k - 1)) {
            readings.forEachEdge(k - 1, [&](int to, bool settled, bool) {
                reach = qMax(reach, settled ? to : n + 1);
            });
        }
        if (!readings.useful(k) || reach > k)
            continue;
        int edges = 0;
        bool whole = false;
        readings.forEachEdge(last, [&](int, bool, bool isWhole) {
            ++edges;
            whole = isWhole;
        });
        give(last, k, edges == 1 && whole);
        last = k;
    }

    if (timeIsUp) {
        // Every reading ends with the bytes. A reading that ends with a
        // head, or bytes that fit no reading, may have a rest that is late:
        // as many bytes as the longest such rest may be skipped later. When
        // all of it is lost, it may itself be part of a late rest.
        if (last < n)
            give(last, n, false);
        m_lateRest = lostFrom == 0 ? qMax(0, m_lateRest - n) : 0;
        if (lostFrom >= 0) {
            const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData());
            for (int i = qMax(lostFrom, n - kLongest + 1); i < n; ++i) {
                if (i < front || (readings.useful(i) && readings.endsWithHead(i)))
                    m_lateRest = qMax(m_lateRest, restAfterHead(b + i, n - i));
            }
        }
        m_held.clear();
        m_cuts.clear();
        return;
    }
    if (last > 0)
        m_lateRest = 0;
    if (!m_cuts.isEmpty()) {
        QVarLengthArray<int, 8> cuts;
        for (int cut : qAsConst(m_cuts)) {
            if (cut > last)
                cuts.append(cut - last);
        }
        m_cuts = cuts;
    }
    m_held = last < n ? bytes.mid(last) : QByteArray();
    if (m_held.size() > kMostHeld)
        resolve(QByteArray(m_held), true, out);
}

InboundFramer::InboundFramer(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kHoldMs);
    connect(&m_timer, &QTimer::timeout, this, &InboundFramer::heldTimedOut);
}

QVector<InboundPiece> InboundFramer::feed(const QByteArray &chunk)
{
    const QVector<InboundPiece> out = m_framing.feed(chunk);
    if (chunk.isEmpty())
        return out;
    if (m_framing.holding())
        m_timer.start();
    else
        m_timer.stop();
    return out;
}

QVector<InboundPiece> InboundFramer::takeHeld()
{
    m_timer.stop();
    return m_framing.timeUp();
}

void InboundFramer::reset()
{
    m_timer.stop();
    m_framing.reset();
}

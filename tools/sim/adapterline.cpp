#include "sim/adapterline.h"

#include <algorithm>

AdapterLine::AdapterLine(std::unique_ptr<SimLink> line, const AdapterBehaviour &behaviour, QObject *parent)
    : SimLink(parent)
    , m_line(std::move(line))
    , m_behaviour(behaviour)
    , m_random(behaviour.seed)
{
    connect(m_line.get(), &SimLink::received, this, &SimLink::received);
    m_mergeTimer.setSingleShot(true);
    m_mergeTimer.setInterval(AdapterBehaviour::kMergeWaitMs);
    connect(&m_mergeTimer, &QTimer::timeout, this, [this] {
        // No second message came: the first goes alone.
        toLatency(m_mergeWaiting);
        m_mergeWaiting.clear();
    });
    m_latencyTimer.setSingleShot(true);
    connect(&m_latencyTimer, &QTimer::timeout, this, [this] {
        toSplit(m_latencyBuffer);
        m_latencyBuffer.clear();
    });
    m_pieceTimer.setSingleShot(true);
    connect(&m_pieceTimer, &QTimer::timeout, this, &AdapterLine::writeDuePieces);
}

void AdapterLine::close()
{
    clearStages();
    m_line->close();
}

bool AdapterLine::write(const QByteArray &bytes)
{
    if (m_failed) {
        m_failed = false;
        return false;
    }
    if (!m_behaviour.merge) {
        toLatency(bytes);
    } else if (m_mergeWaiting.isEmpty()) {
        m_mergeWaiting = bytes;
        m_mergeTimer.start();
    } else {
        m_mergeTimer.stop();
        toLatency(m_mergeWaiting + bytes);
        m_mergeWaiting.clear();
    }
    return true;
}

void AdapterLine::discardUnread()
{
    clearStages();
    m_line->discardUnread();
}

QVector<int> AdapterLine::cutPoints(int size, bool once, QRandomGenerator &random)
{
    QVector<int> cuts;
    if (size < 2)
        return cuts;
    const int wanted = size < 3 || once ? 1 : 1 + int(random.bounded(2));
    while (cuts.size() < wanted) {
        const int at = 1 + int(random.bounded(size - 1));
        if (!cuts.contains(at))
            cuts.append(at);
    }
    std::sort(cuts.begin(), cuts.end());
    return cuts;
}

void AdapterLine::toLatency(const QByteArray &bytes)
{
    if (m_behaviour.latencyMs <= 0) {
        toSplit(bytes);
        return;
    }
    // The timer runs from the first byte of a buffer, like an adapter's
    // latency timer: whatever comes meanwhile goes with it.
    m_latencyBuffer += bytes;
    if (!m_latencyTimer.isActive())
        m_latencyTimer.start(m_behaviour.latencyMs);
}

void AdapterLine::toSplit(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    int from = 0;
    if (m_behaviour.split) {
        for (int cut : cutPoints(bytes.size(), m_behaviour.inTwo, m_random)) {
            m_pieces.append({bytes.mid(from, cut - from), from == 0 ? 0 : gapMs()});
            from = cut;
        }
    }
    m_pieces.append({bytes.mid(from), from == 0 ? 0 : gapMs()});
    if (!m_pieceTimer.isActive())
        writeDuePieces();
}

int AdapterLine::gapMs()
{
    if (m_behaviour.inTwo)
        return qMax(1, m_behaviour.maxGapMs);
    return 1 + int(m_random.bounded(qMax(1, m_behaviour.maxGapMs)));
}

void AdapterLine::writeDuePieces()
{
    // The first piece of the queue is due now; write it and every piece
    // after it without a gap, then wait for the next gap.
    bool first = true;
    while (!m_pieces.isEmpty() && (first || m_pieces.first().gapMs == 0)) {
        first = false;
        if (!m_line->write(m_pieces.takeFirst().bytes))
            m_failed = true;
    }
    if (!m_pieces.isEmpty())
        m_pieceTimer.start(m_pieces.first().gapMs);
}

void AdapterLine::clearStages()
{
    m_mergeTimer.stop();
    m_latencyTimer.stop();
    m_pieceTimer.stop();
    m_mergeWaiting.clear();
    m_latencyBuffer.clear();
    m_pieces.clear();
}

#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <QTimer>
#include <QVector>
#include <memory>

#include "sim/simlink.h"

// How a USB-serial adapter between the transmitter and the PC treats what
// the transmitter sends.
struct AdapterBehaviour
{
    bool split = false;  // every message in two or three pieces, gaps of 1..maxGapMs
    bool inTwo = false;  // with split: every message in two, the rest maxGapMs later
    int maxGapMs = 16;   // an adapter's 16 ms latency timer
    bool merge = false;  // every two messages in one write
    int latencyMs = 0;   // bytes wait this long from the first one, then go together
    quint32 seed = 1;    // for the cuts and gaps

    // How long a message waits for a second one to merge with.
    static constexpr int kMergeWaitMs = 40;

    bool isPlain() const { return !split && !merge && latencyMs <= 0; }
};

// A line that passes what the transmitter writes through an adapter's
// habits before the tool reads it: the stages run merge, latency timer,
// then split, in order, so nothing is reordered. What the tool writes comes
// through unchanged.
class AdapterLine : public SimLink
{
    Q_OBJECT
public:
    AdapterLine(std::unique_ptr<SimLink> line, const AdapterBehaviour &behaviour, QObject *parent = nullptr);

    bool open() override { return m_line->open(); }
    void close() override;
    QString devicePath() const override { return m_line->devicePath(); }
    QString errorString() const override { return m_line->errorString(); }
    // Takes the bytes; false when an earlier piece could not be handed on.
    bool write(const QByteArray &bytes) override;
    void discardUnread() override;

    // Where split cuts a message of size bytes (ascending, inside it): once,
    // or once or twice.
    static QVector<int> cutPoints(int size, bool once, QRandomGenerator &random);

private:
    void toLatency(const QByteArray &bytes);
    void toSplit(const QByteArray &bytes);
    void writeDuePieces();
    int gapMs();
    void clearStages();

    struct Piece
    {
        QByteArray bytes;
        int gapMs; // after the piece before it
    };

    std::unique_ptr<SimLink> m_line;
    AdapterBehaviour m_behaviour;
    QRandomGenerator m_random;
    QByteArray m_mergeWaiting;
    QTimer m_mergeTimer;
    QByteArray m_latencyBuffer;
    QTimer m_latencyTimer;
    QVector<Piece> m_pieces;
    QTimer m_pieceTimer;
    bool m_failed = false;
};

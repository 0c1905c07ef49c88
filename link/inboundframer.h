#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <QVarLengthArray>
#include <QVector>

// What the framer gives: a whole message, or bytes that make none.
struct InboundPiece
{
    QByteArray bytes;
    bool whole = true; // false: lost (the rest of a message that never came,
                       // or bytes that could be read as two different things)

    bool operator==(const InboundPiece &other) const { return bytes == other.bytes && whole == other.whole; }
};

// Puts the transmitter's messages back together from the chunks a serial
// adapter delivers. An adapter's latency timer cuts a message in two, or
// hands over two messages in one read; the decoder (decodeChunk) takes one
// whole message at a time, so the chunks are cut and joined here first.
//
// A message is given only when its fixed bytes check out: a live packet is
// 20 bytes beginning FE 18 or FE 19, a block 12 bytes FE, any, a known type,
// eight data bytes, FE, and the aux block 8 bytes with 0xAA at index 2.
//
// The same bytes can often be read in more than one way, so every reading is
// followed until they agree. A message is given when every reading has it
// there; bytes on which they disagree are given as lost, never guessed. A
// reading is whole messages in a row, where
//
// - the last one may still be unfinished, its rest to come (a head);
// - a live packet's head may stop where one chunk ended, followed by a whole
//   message from the start of the next: the transmitter broke the packet off
//   (so a head and block 2 that would make one packet give neither);
// - when time is up, the bytes may end with a head whose rest is late;
//   but bytes that may be complete as they stand stay held past the hold
//   until the next bytes tell them apart, however late they come (an aux
//   block that begins like block 17 or a live packet: in a Read the next
//   block follows it only after the acknowledgement). For them the silence
//   is only a gap; they are lost only when the stream ends;
// - after that, the bytes that come first may be such a late rest.
//
// It never writes: the acknowledgement of every chunk stays with the owner.
// Plain and without timers; InboundFramer adds the hold.
class InboundFraming
{
public:
    // Adds one chunk; returns what it completes, in order.
    QVector<InboundPiece> feed(const QByteArray &chunk);
    // Time is up: what is held, read as it stands (a message cut at the end
    // by the silence counts as a reading), unless the held bytes may be
    // complete: those stay held for the next bytes to decide.
    QVector<InboundPiece> timeUp();
    // The stream ended: everything held, read as when time is up.
    QVector<InboundPiece> end();
    // Forgets what is held (the port closed).
    void reset();

    bool holding() const { return !m_held.isEmpty(); }

private:
    void resolve(const QByteArray &bytes, bool timeIsUp, QVector<InboundPiece> *out);

    QByteArray m_held;
    QVarLengthArray<int, 8> m_cuts; // where chunks met inside m_held
    int m_lateRest = 0;             // how many bytes from the front may be a late rest
};

// The framing with its hold: each piece of a message waits at most kHoldMs
// for the next; then heldTimedOut() asks the owner to call takeHeld().
class InboundFramer : public QObject
{
    Q_OBJECT
public:
    // Longer than an adapter's latency timer: 16 ms by default on FTDI
    // chips, more on some CH340 cables (40 ms has been seen).
    static constexpr int kHoldMs = 60;

    explicit InboundFramer(QObject *parent = nullptr);

    QVector<InboundPiece> feed(const QByteArray &chunk);
    // Time is up: what is held, read as it stands (none when nothing is held
    // or the held bytes wait for the next ones to decide; the hold is then
    // not started again until bytes come).
    QVector<InboundPiece> takeHeld();
    void reset();

    bool holding() const { return m_framing.holding(); }

signals:
    // Nothing completed what is held within kHoldMs: call takeHeld().
    void heldTimedOut();

private:
    InboundFraming m_framing;
    QTimer m_timer;
};

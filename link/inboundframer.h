#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <QVector>

// Puts the transmitter's messages back together from the chunks a serial
// adapter delivers. An adapter's latency timer cuts a message in two, or
// hands over two messages in one read; the decoder (decodeChunk) takes one
// whole message at a time, so the chunks are cut and joined here first.
//
// - A chunk that is one message, or several in a row, gives them at once, in
//   order.
// - A chunk that ends with the start of a live packet or a parameter block
//   keeps that start until the rest comes. Each further piece waits again at
//   most kHoldMs; when time is up (heldTimedOut(), then takeHeld()) the held
//   bytes are given as they stand, so the decoder judges them as one chunk.
// - An 8-byte chunk with 0xAA at index 2 is the aux block, unless it begins
//   like a live packet (0xFE 0x18 or 0x19), or begins with 0xFE and does not
//   end with it, as the head of the 12-byte block of type 0xAA does: that is
//   kept like a start, and taken as the aux block only when nothing
//   completes it in time.
// - Bytes that fit no message (the rest of one given up) are given as one
//   chunk, as they arrived, up to the first marker byte from which the
//   chunk splits into messages again.
//
// It never writes: the acknowledgement of every chunk stays with the owner.
class InboundFramer : public QObject
{
    Q_OBJECT
public:
    // Longer than the 16 ms latency timer of common USB-serial adapters.
    static constexpr int kHoldMs = 20;

    explicit InboundFramer(QObject *parent = nullptr);

    // Adds one chunk; returns the messages it completes, in order.
    QVector<QByteArray> feed(const QByteArray &chunk);
    // Time is up: the held bytes as one chunk (none when nothing is held).
    QVector<QByteArray> takeHeld();
    // Forgets what is held (the port closed).
    void reset();

    bool holding() const { return !m_held.isEmpty(); }

signals:
    // Nothing completed what is held within kHoldMs: call takeHeld().
    void heldTimedOut();

private:
    QByteArray m_held;
    QTimer m_timer;
};

// The messages chunk is made of, in order, and in *tail the start of one
// still incomplete at its end; false when the chunk is not such a row.
bool splitInboundMessages(const QByteArray &chunk, QVector<QByteArray> *messages, QByteArray *tail);

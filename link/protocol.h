#pragma once

#include <QByteArray>

#include "link/framecodec.h"

// What the tool says to the transmitter, and the pauses that pace it. Every
// front end (the window, the command-line tool) takes them from here.
namespace Protocol {

inline QByteArray hello() { return QByteArrayLiteral("OK"); }          // after opening: start streaming
inline QByteArray goodbye() { return QByteArrayLiteral("DIS"); }       // before closing
inline QByteArray readRequest() { return QByteArrayLiteral("RR"); }    // send the parameter blocks
inline QByteArray acknowledge() { return QByteArrayLiteral("WWW"); }   // after a written set and every chunk

// The pauses that pace a conversation. The defaults are the transmitter's
// real ones and the only ones a user ever sees; a test that does not look
// at timing may hand shorter ones to the window or the session.
struct Pacing
{
    int debounceMs = 200;   // every command starts with this pause
    int framePauseMs = 800; // after each of the four frames
    int readPauseMs = 500;  // after "RR"
    // When a reply to "RR" is over (transfer/replyrules.h): no block this
    // long after "RR", no new block this long after the last new one, and
    // however it trickles, this long after "RR".
    int firstBlockMs = 2000;
    int quietAfterBlockMs = 1000;
    int wholeReplyMs = 8000;
};

// A bound on the wait for "DIS" to leave, not a pause of the protocol.
constexpr int kGoodbyeFlushMs = 100;

// The frames of a write, in the order they go out.
constexpr FrameKind kFrameOrder[] = {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I};

// 1..4: where kind stands in kFrameOrder.
int frameStep(FrameKind kind);

} // namespace Protocol

#pragma once

#include <QByteArray>

#include <functional>

#include "link/framecodec.h"

class QSerialPort;

// What the tool says to the transmitter, and the pauses that pace it. Every
// front end (the window, the command-line tool) takes them from here.
namespace Protocol {

inline QByteArray hello() { return QByteArrayLiteral("OK"); }          // after opening: start streaming
inline QByteArray goodbye() { return QByteArrayLiteral("DIS"); }       // before closing
inline QByteArray readRequest() { return QByteArrayLiteral("RR"); }    // send the parameter blocks
inline QByteArray acknowledge() { return QByteArrayLiteral("WWW"); }   // after a written set and every chunk

constexpr int kDebounceMs = 200;   // every command starts with this pause
constexpr int kFramePauseMs = 800; // after each of the four frames
constexpr int kReadPauseMs = 500;  // after "RR"
constexpr int kGoodbyeFlushMs = 100;

// The frames of a write, in the order they go out.
constexpr FrameKind kFrameOrder[] = {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I};

// 115200 baud, 8 data bits, no parity, one stop bit, no flow control.
void applyLineSettings(QSerialPort &port);

// Writes bytes when the port is open; a command that runs on after the port
// closed drops them silently.
void writeIfOpen(QSerialPort &port, const QByteArray &bytes);

// Rebuilds the frame of kind from p, writes it (no event is processed in
// between, so the frame is never seen half-built), runs written and pauses
// kFramePauseMs.
void sendFrame(QSerialPort &port, FrameKind kind, ParameterSet &p, ParameterFrames &f,
               const std::function<void()> &written = {});

// 1..4: where kind stands in kFrameOrder.
int frameStep(FrameKind kind);

} // namespace Protocol

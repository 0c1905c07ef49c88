#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include <functional>

#include "link/framecodec.h"
#include "link/inboundframer.h"
#include "link/inboundparser.h"
#include "link/protocol.h"

struct LiveValues;
struct ParameterSet;

// The conversation with a transmitter, shared by the window and the session.
// Every chunk of input is put back into messages, each decoded into the
// settings and live values the owner gave, then settled and acknowledged with
// one "WWW". The owner hears what happens through the signals.
class Conversation : public QObject
{
    Q_OBJECT

public:
    Conversation(ParameterSet &params, LiveValues &live, ParameterFrames &frames, QObject *parent = nullptr);

    QSerialPort &port() { return m_port; }
    // What the conversation decodes into and builds its frames from.
    ParameterSet &params() const { return m_params; }
    LiveValues &live() const { return m_live; }
    ParameterFrames &frames() const { return m_frames; }
    bool isOpen() const { return m_port.isOpen(); }
    // A device went away while open (unplugged, hung up); until the next open.
    bool deviceLost() const { return m_lost; }
    void setPacing(const Protocol::Pacing &pacing) { m_pacing = pacing; }
    const Protocol::Pacing &pacing() const { return m_pacing; }

    // Where the settings of a parameter block go: the conversation's own
    // unless set; nullptr: a block is told apart and counted, stored nowhere.
    void setBlockTarget(ParameterSet *target) { m_blockTarget = target; }

    // Opens portName as given (115200 baud, 8N1, no flow control) and says
    // "OK"; on failure the port says why until the next open or close.
    bool open(const QString &portName);
    // Says "DIS" when asked and the device is still there (nothing after it,
    // a bounded wait for it to leave), then closes.
    void close(bool sayGoodbye = true);

    // True when the open port took all of bytes; nothing after "DIS".
    bool write(const QByteArray &bytes);
    // Rebuilds the frame of kind, writes it unless write is false (a cut send
    // still builds and paces), tells taken whether it went out, then pauses.
    void sendFrame(FrameKind kind, bool write = true, const std::function<void(bool taken)> &taken = {});
    // Takes one chunk of input: the owner calls it on the port's readyRead.
    void readInput();

    // The dual-rate view and the repair of anything out of range.
    void settle();

signals:
    void written(const QByteArray &bytes);
    void chunkArrived(); // before its messages are handled
    // One whole message, before and after it is decoded. Bytes that make no
    // message come only as decoded, Unrecognised.
    void messageArrived(const QByteArray &message);
    void messageDecoded(const QByteArray &message, const InboundResult &result);
    // The device went away; the owner closes the port (queued: not inside
    // the port's own notification).
    void lost();

private:
    void onHeldTimedOut();
    void handlePiece(const InboundPiece &piece);
    void onError(QSerialPort::SerialPortError error);

    ParameterSet &m_params;
    LiveValues &m_live;
    ParameterFrames &m_frames;
    ParameterSet *m_blockTarget = &m_params;
    QSerialPort m_port;
    InboundFramer m_framer;
    Protocol::Pacing m_pacing;
    bool m_lost = false;
    bool m_goodbyeSaid = false; // "DIS" is on its way: nothing more is written
};

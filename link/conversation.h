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

// The one conversation with a transmitter on a serial port, shared by the
// window and the command-line session: the line settings and "OK" on opening,
// "DIS" and its bounded flush on closing, noticing a port that went away,
// the frames with their pauses, and the inbound stream (chunks put back into
// messages, each decoded into the settings and live values it is given, then
// the dual-rate view and the repair of anything out of range, then one "WWW"
// for the chunk). The owner keeps the settings, live values and frame
// strings and hears what happens through the signals; everything runs on the
// calling thread.
class Conversation : public QObject
{
    Q_OBJECT

public:
    Conversation(ParameterSet &params, LiveValues &live, ParameterFrames &frames, QObject *parent = nullptr);

    QSerialPort &port() { return m_port; }
    const QSerialPort &port() const { return m_port; }
    bool isOpen() const { return m_port.isOpen(); }
    // True from a device that went away while open (unplugged, hung up)
    // until the next open.
    bool deviceLost() const { return m_lost; }

    // The pauses of the frames; the real ones unless set.
    void setPacing(const Protocol::Pacing &pacing) { m_pacing = pacing; }
    const Protocol::Pacing &pacing() const { return m_pacing; }

    // Opens portName as given with the line settings and says "OK". On
    // failure the port's error and its text are kept in openError() and
    // openErrorString(), and the port's error is cleared.
    bool open(const QString &portName);
    QSerialPort::SerialPortError openError() const { return m_openError; }
    QString openErrorString() const { return m_openErrorString; }
    // Says "DIS" when asked and the device is still there (a bounded wait
    // for it to leave, nothing after it), then closes and forgets what was
    // held of the input.
    void close(bool sayGoodbye = true);

    // Writes bytes while the port is open and no goodbye is on its way; true
    // when the port took all of them.
    bool write(const QByteArray &bytes);
    // Rebuilds the frame of kind and writes it unless write is false (a send
    // cut short keeps building and pacing but writes nothing further), runs
    // taken with whether the port took it, then pauses.
    void sendFrame(FrameKind kind, bool write = true, const std::function<void(bool taken)> &taken = {});

    // The dual-rate view and the repair of anything out of range; every
    // chunk of input ends with it.
    void settle();

signals:
    // The port took these bytes.
    void written(const QByteArray &bytes);
    // A chunk of input arrived (before its messages are handled).
    void chunkArrived();
    // One whole message, before and after it is decoded.
    void messageArrived(const QByteArray &message);
    void messageDecoded(const QByteArray &message, const InboundResult &result);
    // The device went away while the port was open. The port is still open:
    // the owner closes it, outside the port's own notification.
    void lost();

private:
    void readInput();
    void onHeldTimedOut();
    void handleMessage(const QByteArray &message);
    void onError(QSerialPort::SerialPortError error);

    ParameterSet &m_params;
    LiveValues &m_live;
    ParameterFrames &m_frames;
    QSerialPort m_port;
    InboundFramer m_framer;
    Protocol::Pacing m_pacing;
    QSerialPort::SerialPortError m_openError = QSerialPort::NoError;
    QString m_openErrorString;
    bool m_lost = false;
    bool m_goodbyeSaid = false; // "DIS" is on its way: nothing more is written
};

#pragma once

#include <QObject>
#include <QString>

#include "link/conversation.h"
#include "link/livevalues.h"
#include "link/sendtally.h"
#include "model/parameterset.h"

// A transmitter on a serial port, without any window: the pieces a second
// front end needs. It speaks through the same Conversation as the window
// (line settings, "OK"/"DIS", the four frames with their pauses and "WWW",
// "RR" and an acknowledgement for every chunk) and keeps its own
// configuration, live values and frame strings, as each window does.
// Everything runs on the calling thread; waits process events.
class TransmitterSession : public QObject
{
    Q_OBJECT

public:
    explicit TransmitterSession(QObject *parent = nullptr);
    ~TransmitterSession() override;

    enum class OpenError { None, UnknownPort, Busy, Other };

    // Opens the port with the line settings and says "OK". On failure says
    // why in errorString().
    bool open(const QString &portName);
    OpenError openError() const { return m_openError; }
    QString errorString() const { return m_error; }
    bool isOpen() const { return m_conversation.isOpen(); }
    // True once the device went away while open (unplugged, hung up).
    bool portLost() const { return m_conversation.deviceLost(); }
    // Says "DIS" (bounded wait for it to leave) and closes.
    void close() { m_conversation.close(); }

    // The pauses of sendConfiguration(); the real ones unless set.
    void setPacing(const Protocol::Pacing &pacing) { m_conversation.setPacing(pacing); }
    const Protocol::Pacing &pacing() const { return m_conversation.pacing(); }

    ParameterSet &parameters() { return m_params; }
    const ParameterSet &parameters() const { return m_params; }
    const LiveValues &liveValues() const { return m_live; }

    // Waits until a status packet has brought the trims, at most timeoutMs.
    bool waitForStatus(int timeoutMs) { return waitForPacket(timeoutMs, false); }
    // Waits until a live packet (channels or status) arrives, at most
    // timeoutMs; false also once the port went away.
    bool waitForLivePacket(int timeoutMs) { return waitForPacket(timeoutMs, true); }

    // Sends the configuration: S, G, H, I, each followed by its pause, then
    // "WWW". The trims stay as they are meanwhile (live packets keep being
    // acknowledged but do not replace them), as for a file load. Once the
    // port went away nothing more is written (the pauses still run); the
    // tally says how many frames the port took before that.
    SendTally sendConfiguration();

    // The conversation itself, for the transfer workflow that reads the
    // transmitter's set-up over it (transfer/transferworkflow.h).
    Conversation &conversation() { return m_conversation; }

signals:
    // One message of input was decoded (its chunk is acknowledged on
    // arrival; a message held for its rest is decoded when that comes or
    // when time is up).
    void chunkHandled(const InboundResult &result);

private:
    bool waitForPacket(int timeoutMs, bool channelsToo);

    ParameterSet m_params;
    LiveValues m_live;
    ParameterFrames m_frames;
    Conversation m_conversation{m_params, m_live, m_frames};
    OpenError m_openError = OpenError::None;
    QString m_error;
};

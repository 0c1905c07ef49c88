#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <memory>

struct ParameterSet;
class QSocketNotifier;

// One thing the tool wrote, as the transmitter side sees it. kind is "OK",
// "DIS", "RR", "WWW", the frame letter "S", "G", "H" or "I" for an 81-byte
// parameter frame, or "garbage" for bytes that fit none of these.
struct TransmitterMessage
{
    QByteArray bytes;
    qint64 atMs = 0; // when the read that completed it happened
    QString kind;
};
Q_DECLARE_METATYPE(TransmitterMessage)

// One read() on the master side, exactly as it came.
struct ReceivedChunk
{
    QByteArray bytes;
    qint64 atMs = 0;
};

// What the live stream reports; sent as a channel packet and a status packet
// in turn.
struct LiveFeed
{
    QVector<int> channels = QVector<int>(8, 1000); // ChOut1..ChOut8
    int txVoltHundredths = 1200;
    int rssi = 80;
    int rxVoltTenths = 50;
    int extVoltTenths = 74;
    int trim1 = 120;
    int trim2 = 120;
    int trim3 = 120;
    int trim4 = 120;
};

// Plays the transmitter at the far end of a pseudo-terminal. The tool under
// test opens devicePath() as its serial port; everything it writes is
// recorded with a timestamp and split into messages, and the transmitter can
// answer Read requests and stream live packets like the real device.
//
// Pseudo-terminals exist on Unix only: elsewhere isOpen() is false and every
// call does nothing, so tests skip themselves.
class FakeTransmitter : public QObject
{
    Q_OBJECT
public:
    explicit FakeTransmitter(QObject *parent = nullptr);
    ~FakeTransmitter() override;

    static bool isSupported(); // false where there are no pseudo-terminals

    bool isOpen() const { return masterFd_ >= 0; }
    QString errorString() const { return error_; }
    QString devicePath() const { return devicePath_; } // e.g. "/dev/pts/5"

    // Recording
    QVector<TransmitterMessage> messages() const { return messages_; }
    QVector<TransmitterMessage> messagesOfKind(const QString &kind) const;
    int count(const QString &kind) const;
    QStringList kinds() const; // the kinds of messages(), in order
    QVector<ReceivedChunk> chunks() const { return chunks_; }
    QByteArray allBytes() const;
    void clear(); // forgets what was received and stops a Read reply
    bool waitForMessage(const QString &kind, int timeoutMs = 5000);
    bool waitForCount(const QString &kind, int count, int timeoutMs = 5000);
    qint64 elapsedMs() const { return clock_.elapsed(); }

    // Sending. One send() is one write(); the tool's readAll sees it as one
    // chunk as long as nothing else follows within a few milliseconds.
    bool send(const QByteArray &chunk);
    void sendChunksSpaced(const QVector<QByteArray> &chunks, int gapMs);
    int bytesSent() const { return bytesSent_; }

    // Read replies: on "RR", block 1 goes out as soon as every chunk sent so
    // far is answered, and each further block only after the "WWW" for the
    // one before. The reply ends with the "WWW" for the last block.
    void answerReads(bool on) { answerReads_ = on; }
    void setReadReply(const QVector<QByteArray> &blocks) { replyBlocks_ = blocks; }
    void setConfiguration(const ParameterSet &set); // the nineteen encoded blocks
    // Like the device, takes the frames written to it into its configuration
    // (once setConfiguration gave it one), so a Read afterwards returns them;
    // on unless switched off.
    void storeWrittenFrames(bool on) { storeFrames_ = on; }
    // Faults: a frame of this kind ("S".."I") arrives and is acknowledged but
    // not stored; after this many frames the transmitter says nothing more
    // (no live packets, no reply); the blocks of a reply leave gapMs apart.
    void ignoreFrame(const QString &kind) { ignoredFrame_ = kind; }
    void goSilentAfterFrames(int frames) { silentAfterFrames_ = frames; }
    void setBlockGap(int gapMs) { blockGapMs_ = gapMs; }
    // Like a USB adapter that cuts messages: every reply block goes out in two
    // writes gapMs apart, block n cut after 1 + n % (its length - 1) bytes.
    void splitReplyBlocks(int gapMs) { splitGapMs_ = gapMs; }
    bool isSilent() const { return silent_; }
    int replyBlocksSent() const { return replyNext_; } // of the current or last reply
    bool replyInProgress() const { return replyActive_; }

    // Handshake: "OK" connects, "DIS" disconnects (and discards whatever the
    // tool left unread, so a later open starts clean).
    bool isConnected() const { return connected_; }
    // Chunks sent that the tool has not yet answered with "WWW".
    int unansweredChunks() const { return unanswered_; }

    // Live stream: channel and status packets alternately, one every
    // intervalMs, while connected (like the device, which streams after the
    // tool's "OK"). The stream holds back while a Read reply is running, so a
    // block never shares a chunk with a live packet.
    void setLiveFeed(const LiveFeed &feed) { feed_ = feed; }
    LiveFeed liveFeed() const { return feed_; }
    void startLiveStream(int intervalMs);
    void startLiveStream(int intervalMs, const LiveFeed &feed);
    void stopLiveStream();
    int livePacketsSent() const { return livePacketsSent_; }

    // Unplugging. closeMaster() ends the line for good: the tool's port stays
    // open but reports errors without pause (QSerialPort: ReadError, then
    // ResourceError once it tries to write) until the tool closes it, and it
    // cannot be opened again. send() returns false from then on. closeSlave() drops the slave descriptor this object
    // keeps so that the master stays usable while the tool has the port
    // closed; without it the master reports a hang-up whenever the tool closes.
    void closeMaster();
    void closeSlave();

signals:
    void messageReceived(const TransmitterMessage &message);

private:
    void readMaster();
    void splitPending(bool flushAll);
    void emitMessage(const QByteArray &bytes, const QString &kind);
    void onMessage(const TransmitterMessage &message);
    void sendNextBlock();
    void sendLivePacket();

    int masterFd_ = -1;
    int slaveFd_ = -1;
    QString devicePath_;
    QString error_;
    QSocketNotifier *notifier_ = nullptr;
    QElapsedTimer clock_;
    QTimer flushTimer_;   // turns an unfinished tail into garbage
    QTimer retryTimer_;   // re-arms the notifier after a hang-up
    QTimer liveTimer_;

    QByteArray pending_;
    QVector<ReceivedChunk> chunks_;
    QVector<TransmitterMessage> messages_;
    int bytesSent_ = 0;

    bool answerReads_ = false;
    QVector<QByteArray> replyBlocks_;
    bool replyActive_ = false;
    int replyNext_ = 0;

    bool connected_ = false;
    int unanswered_ = 0;

    bool storeFrames_ = true;
    std::unique_ptr<ParameterSet> stored_;
    QString ignoredFrame_;
    int silentAfterFrames_ = -1;
    int framesHeard_ = 0;
    bool silent_ = false;
    int blockGapMs_ = 0;
    int splitGapMs_ = 0;
    bool restPending_ = false; // the second piece of a split block is still to go

    LiveFeed feed_;
    bool nextIsStatus_ = false;
    int livePacketsSent_ = 0;
};

// Runs probe once, when the transmitter has the first message of kind, for
// as long as scope lives. A command runs its pauses in nested event loops;
// the transmitter lives on this thread, so it hears the message within the
// pause that follows it, while the command is still running.
template<class F>
void onArrival(const FakeTransmitter &tx, const QString &kind, const QObject *scope, F probe)
{
    QObject::connect(&tx, &FakeTransmitter::messageReceived, scope,
                     [kind, probe, done = false](const TransmitterMessage &m) mutable {
                         if (!done && m.kind == kind) {
                             done = true;
                             probe();
                         }
                     });
}

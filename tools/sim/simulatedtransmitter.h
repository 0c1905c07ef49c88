#pragma once

// Ahead of every Qt header, like everywhere the block tables are used.
#include "link/parameterblocks.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>
#include <QString>
#include <QTimer>
#include <QVector>

#include "model/parameterset.h"
#include "sim/messagesplitter.h"
#include "sim/simulatorfaults.h"

struct SimulatorOptions
{
    int packetsPerSecond = 50; // live packets, channel and status together
    QString configPath;        // empty: the configuration lives in memory only
    SimulatorFaults faults;    // none unless switched on
};

// The transmitter's side of the link, without the line itself: bytes the
// tool wrote go in through receive(), everything the transmitter sends comes
// out of transmit(), one emission per write. The owner connects both to a
// port; tests connect them to themselves.
//
// Behaviour:
// - "OK" starts the live stream (channel and status packets in turn), "DIS"
//   stops it until the next "OK".
// - "RR" is answered with the nineteen parameter blocks of the configuration.
//   Block 1 goes out once the line is quiet, every further block only after
//   the tool's "WWW" for the previous one (the tool acknowledges every chunk
//   it receives, live packets included, so the count of unanswered chunks
//   decides). The live stream holds back for the whole reply. A block that
//   stays unanswered for a while is taken as lost and the reply goes on.
// - A well-formed S, G, H or I frame takes effect at once: the tool
//   acknowledges live packets between the frames of one write, so "WWW"
//   cannot mark the end of a write. The first "WWW" after accepted frames
//   ends the write and saves the configuration file. Malformed frames are
//   logged and dropped.
// - The faults of options.faults change this on purpose: an ignored frame is
//   logged but not stored; after the last frame it hears before going silent
//   it ignores everything, "OK" included, and sends nothing; a repeated
//   block comes again for every acknowledgement (or after the stall time)
//   and the blocks after it never; a block gap replaces the short pause
//   between acknowledgement and next block.
class SimulatedTransmitter : public QObject
{
    Q_OBJECT
public:
    explicit SimulatedTransmitter(const SimulatorOptions &options = SimulatorOptions(),
                                  QObject *parent = nullptr);
    ~SimulatedTransmitter() override;

    // Loads the configuration file, when one is given, and logs the outcome.
    void start();
    // Saves what an unfinished write left unsaved.
    void stop();

    const ParameterSet &configuration() const { return config_; }
    void setConfiguration(const ParameterSet &config) { config_ = config; }

    bool isConnected() const { return connected_; }
    bool replyInProgress() const { return replyActive_; }
    int livePacketsSent() const { return livePacketsSent_; }
    int framesAccepted() const { return framesAccepted_; }
    int framesRejected() const { return framesRejected_; }

public slots:
    void receive(const QByteArray &bytes);
    // The line takes no more bytes: nobody has read it for a long while (the
    // tool ended without "DIS"). Quiet until the next "OK", as after "DIS".
    void lineStalled();

signals:
    void transmit(const QByteArray &bytes);
    void logLine(const QString &line);
    // "DIS": whatever the tool left unread on the line is stale now.
    void lineReset();

private:
    void handle(const ToolMessage &message);
    void goQuiet(const QString &why);
    void handleFrame(const QByteArray &frame);
    void goSilent();
    void startReply();
    void sendNextBlock();
    void finishReply();
    void sendLivePacket();
    void send(const QByteArray &bytes);
    void saveIfChanged();
    void log(const QString &kind, const QString &summary);

    SimulatorOptions options_;
    ParameterSet config_;
    MessageSplitter splitter_;
    QRandomGenerator noise_;
    QElapsedTimer clock_;      // since power-on, drives the live signals
    QElapsedTimer sinceSend_;  // since the last write
    QTimer idleTimer_;         // judges an unfinished message once the line is quiet
    QTimer liveTimer_;
    QTimer blockTimer_;        // the next reply block, after a short gap
    QTimer stallTimer_;        // a reply block nobody acknowledged

    bool connected_ = false;
    bool nextIsStatus_ = false;
    int livePacketsSent_ = 0;
    int unanswered_ = 0;       // chunks sent that the tool has not yet acknowledged

    bool replyActive_ = false;
    QVector<QByteArray> replyBlocks_;
    int replyNext_ = 0;        // index of the next block to send
    int replySent_ = 0;        // blocks sent in this reply, repeats included
    int lastBlockSent_ = 0;    // its number, 1..19

    int framesHeard_ = 0;      // parameter frames, whatever became of them
    bool silent_ = false;      // the silent-after fault has struck

    bool unsaved_ = false;
    int framesAccepted_ = 0;
    int framesRejected_ = 0;
};

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include "link/transmitterrecord.h"
#include "transfer/replyrules.h"

class Conversation;
struct InboundResult;
class QEventLoop;

// What a command tells and asks its front end on the way: the window shows
// a note or a box, the command-line tool answers from its options.
class TransferQuestions
{
public:
    virtual ~TransferQuestions() = default;

    enum class Unread { ReadAgain, WriteAnyway, DontWrite };
    // The set-up could not be read before a command that overwrites it
    // (received of the nineteen blocks came), so there is nothing to back up.
    virtual Unread unreadSetup(int received) = 0;

    struct Backup
    {
        enum class Kind {
            Written,    // path holds what the transmitter held
            Failed,     // path could not be written: error says why
            NoneUnread, // the pilot chose to write without reading first
        };
        Kind kind = Kind::Written;
        QString path;
        QString error;
    };
    // A backup was taken, or not; said before anything is asked about it.
    virtual void backupTaken(const Backup &backup) = 0;
    // The backup failed: true writes anyway.
    virtual bool writeWithoutBackup(const Backup &failed) = 0;
};

// The sequence a command that talks to the transmitter runs, for the window
// and the command-line tool alike, over one conversation: a Read with its
// end-of-reply rule and bound, the read-first when the set-up is unknown,
// the backup, and after a send the read-back and its verdict. It owns what
// the transmitter is known to hold. Everything runs on the calling thread;
// a wait runs the events.
class TransferWorkflow : public QObject
{
    Q_OBJECT

public:
    enum class ReadPurpose {
        Show,   // the pilot's Read: each block goes into the conversation's settings as it comes
        Backup, // before a command: only the record collects the reply
        Verify, // after a send: only the record collects the reply
    };
    // What a step before the send came to.
    enum class Step { Go, Cancelled, Stopped };

    // Blocks go only where a read awaits them: from now on the
    // conversation stores none of its own.
    explicit TransferWorkflow(Conversation &conversation, QObject *parent = nullptr);
    ~TransferWorkflow() override;

    const TransmitterRecord &record() const { return m_record; }
    TransmitterRecord &record() { return m_record; }

    // Asks with "RR" and waits until the reply is over by the reply rule,
    // the connection ended or stop(); bounded by wholeReplyMs.
    TransmitterRecord::ReadOutcome read(ReadPurpose purpose);
    bool reading() const { return m_record.reading(); }

    // Anything came from the transmitter within ReplyRules::kSilentAfterMs.
    bool heardRecently() const;
    // Blocks that came when no read awaited them, since clearLateBlocks().
    int lateBlocks() const { return m_lateBlocks; }
    void clearLateBlocks() { m_lateBlocks = 0; }

    // Before a command overwrites the transmitter: while it is present and
    // its set-up not known from a complete read, the set-up is read;
    // readNow: this call read it whole. An incomplete read is asked about.
    Step knowBefore(bool present, TransferQuestions &ask, bool *readNow);
    // What the transmitter holds goes into a backup in dir, named after
    // command, with the port; one that fails is asked about.
    Step backUp(const QString &command, const QString &portName, const QString &dir, TransferQuestions &ask);
    // After a send that went out whole: a silent transmitter is not asked;
    // with verify the send is read back (once more when a block was lost)
    // and judged. What nothing confirmed leaves the record uncertain.
    SendCheck proveAfter(bool verify);

    // The connection ended (closed, lost, opened again): a waiting read
    // ends with what came, and nothing is known for certain any more.
    void connectionEnded();
    // The front end is going: every wait ends now and nothing more is asked.
    void stop();
    bool stopped() const { return m_stopped; }
    // Neither stopped nor the connection gone.
    bool goesOn() const;

signals:
    // "RR" went out (received 0), and each new block of its reply.
    void readProgress(TransferWorkflow::ReadPurpose purpose, int received);
    void readFinished(TransferWorkflow::ReadPurpose purpose, const TransmitterRecord::ReadOutcome &outcome);
    // A block came when no read awaited it (lateBlocks() counts them).
    void lateBlock();

private:
    void onDecoded(const InboundResult &result);
    void finishReading();

    Conversation &m_conversation;
    TransmitterRecord m_record;
    ReadPurpose m_purpose = ReadPurpose::Show;
    TransmitterRecord::ReadOutcome m_lastRead;
    QTimer m_replyTimer;
    QEventLoop *m_loop = nullptr; // runs while a read waits for its reply
    QElapsedTimer m_lastInbound;  // the last chunk of any kind
    int m_lateBlocks = 0;
    bool m_overwriteUnread = false; // the pilot chose to write without a backup
    bool m_stopped = false;
};

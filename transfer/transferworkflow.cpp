#include "transfer/transferworkflow.h"

#include <QDateTime>
#include <QEventLoop>

#include "files/backups.h"
#include "link/conversation.h"
#include "link/inboundparser.h"
#include "link/parameterblocks.h"
#include "link/waitms.h"

TransferWorkflow::TransferWorkflow(Conversation &conversation, QObject *parent)
    : QObject(parent)
    , m_conversation(conversation)
{
    m_conversation.setBlockTarget(nullptr);
    m_replyTimer.setSingleShot(true);
    connect(&m_replyTimer, &QTimer::timeout, this, &TransferWorkflow::finishReading);
    connect(&m_conversation, &Conversation::chunkArrived, this, [this] { m_lastInbound.start(); });
    connect(&m_conversation, &Conversation::messageDecoded, this,
            [this](const QByteArray &, const InboundResult &result) { onDecoded(result); });
}

TransferWorkflow::~TransferWorkflow()
{
    m_conversation.setBlockTarget(&m_conversation.params());
}

bool TransferWorkflow::heardRecently() const
{
    return m_conversation.isOpen() && m_lastInbound.isValid()
            && m_lastInbound.elapsed() <= ReplyRules::kSilentAfterMs;
}

bool TransferWorkflow::goesOn() const
{
    return !m_stopped && m_conversation.isOpen();
}

TransmitterRecord::ReadOutcome TransferWorkflow::read(ReadPurpose purpose)
{
    const Protocol::Pacing pacing = m_conversation.pacing();
    m_purpose = purpose;
    m_conversation.write(Protocol::readRequest());
    m_record.startRead(m_conversation.params());
    m_conversation.setBlockTarget(&m_record.replySet());
    m_replyTimer.start(ReplyRules::quietLimitMs(0, pacing));
    emit readProgress(purpose, 0);
    waitMs(pacing.readPauseMs);
    if (m_record.reading() && !m_stopped) {
        QEventLoop loop;
        m_loop = &loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, this, &TransferWorkflow::finishReading);
        deadline.start(qMax(0, pacing.wholeReplyMs - pacing.readPauseMs));
        loop.exec();
        m_loop = nullptr;
    }
    // Stopped, its loops end at once: the reply ends here.
    finishReading();
    m_purpose = ReadPurpose::Show;
    return m_lastRead;
}

void TransferWorkflow::onDecoded(const InboundResult &result)
{
    if (result.kind != InboundResult::ParamBlock && result.kind != InboundResult::AuxBlock)
        return;
    if (!m_record.reading()) {
        ++m_lateBlocks;
        emit lateBlock();
        return;
    }
    const int before = m_record.blocksReceived();
    m_record.blockArrived(result.blockNumber);
    // Only the pilot's own Read puts the transmitter's blocks into what the
    // front end shows and edits.
    if (m_purpose == ReadPurpose::Show)
        copyBlockFields(result.blockNumber, m_record.replySet(), m_conversation.params());
    const int received = m_record.blocksReceived();
    if (received != before)
        emit readProgress(m_purpose, received);
    if (received != before || received == ReadReply::kBlockCount)
        m_replyTimer.start(ReplyRules::quietLimitMs(received, m_conversation.pacing()));
}

void TransferWorkflow::finishReading()
{
    if (!m_record.reading())
        return;
    m_replyTimer.stop();
    m_conversation.setBlockTarget(nullptr);
    m_lastRead = m_record.finishRead(m_conversation.params());
    // A reply that follows a send is compared with what was sent (no trims:
    // they are read live).
    if (m_lastRead.compared)
        m_lastRead.differences = readBackDifferences(m_record.lastSent(), m_record.known(), false);
    if (m_loop)
        m_loop->quit();
    emit readFinished(m_purpose, m_lastRead);
}

TransferWorkflow::Step TransferWorkflow::knowBefore(bool present, TransferQuestions &ask, bool *readNow)
{
    *readNow = false;
    if (!present || m_record.hasCompleteRead())
        return Step::Go;
    for (;;) {
        const TransmitterRecord::ReadOutcome outcome = read(ReadPurpose::Backup);
        if (m_stopped)
            return Step::Stopped;
        if (!m_conversation.isOpen())
            return Step::Cancelled;
        if (outcome.complete) {
            *readNow = true;
            return Step::Go;
        }
        const TransferQuestions::Unread answer = ask.unreadSetup(outcome.received);
        if (m_stopped)
            return Step::Stopped;
        if (!m_conversation.isOpen() || answer == TransferQuestions::Unread::DontWrite)
            return Step::Cancelled;
        if (answer == TransferQuestions::Unread::WriteAnyway) {
            m_overwriteUnread = true;
            return Step::Go;
        }
    }
}

TransferWorkflow::Step TransferWorkflow::backUp(const QString &command, const QString &portName,
                                                const QString &dir, TransferQuestions &ask)
{
    const bool overwriteUnread = m_overwriteUnread;
    m_overwriteUnread = false;
    if (!m_conversation.isOpen())
        return Step::Go;
    TransferQuestions::Backup backup;
    if (!m_record.hasCompleteRead()) {
        if (overwriteUnread) {
            backup.kind = TransferQuestions::Backup::Kind::NoneUnread;
            ask.backupTaken(backup);
        }
        return Step::Go;
    }
    const Backups::Result result = Backups::write(m_record.known(), command, QDateTime::currentDateTime(), dir,
                                                  portName);
    backup.kind = result.ok ? TransferQuestions::Backup::Kind::Written : TransferQuestions::Backup::Kind::Failed;
    backup.path = result.path;
    backup.error = result.error;
    ask.backupTaken(backup);
    if (result.ok)
        return Step::Go;
    const bool anyway = ask.writeWithoutBackup(backup);
    if (m_stopped)
        return Step::Stopped;
    return anyway && m_conversation.isOpen() ? Step::Go : Step::Cancelled;
}

SendCheck TransferWorkflow::proveAfter(bool verify)
{
    if (!goesOn())
        return {};
    SendCheck check;
    if (!heardRecently()) {
        check = SendCheck::silent();
    } else if (verify) {
        check = SendCheck::judge(true, read(ReadPurpose::Verify));
        // A reply that lost a block on the line gets one more chance, as a
        // pilot would press Read again; a silent one does not.
        if (check.result == SendCheck::Result::Incomplete && goesOn())
            check = SendCheck::judge(true, read(ReadPurpose::Verify));
    }
    // What a send that nothing confirmed left in the transmitter is not known.
    if (check.result == SendCheck::Result::Silent || check.result == SendCheck::Result::Incomplete)
        m_record.sendUnconfirmed();
    return check;
}

void TransferWorkflow::connectionEnded()
{
    // A command waiting for a reply learns that none will come.
    m_lastRead = TransmitterRecord::ReadOutcome();
    m_lastRead.received = m_record.reading() ? m_record.blocksReceived() : 0;
    if (m_loop)
        m_loop->quit();
    m_conversation.setBlockTarget(nullptr);
    m_lastInbound.invalidate();
    m_record.connectionEnded();
    m_lateBlocks = 0;
    m_replyTimer.stop();
}

void TransferWorkflow::stop()
{
    m_stopped = true;
    if (m_loop)
        m_loop->quit();
}

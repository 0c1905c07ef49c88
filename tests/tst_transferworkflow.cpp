// The transfer workflow without any window: where each read puts its reply,
// what the questions on the way decide, and what a read-back proves; over a
// conversation with the transmitter on a pseudo-terminal.
#include <QDir>
#include <QFile>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <deque>

#include "link/conversation.h"
#include "link/framecodec.h"
#include "link/livevalues.h"
#include "link/parameterblocks.h"
#include "model/defaults.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "support/appstate.h"
#include "support/faketransmitter.h"
#include "transfer/transferworkflow.h"

namespace {

// Answers from a list, and keeps what it was told.
struct ListedAnswers : TransferQuestions
{
    std::deque<Unread> unread;
    bool withoutBackup = false;
    int asked = 0;
    QVector<Backup> backups;

    Unread unreadSetup(int) override
    {
        ++asked;
        const Unread answer = unread.empty() ? Unread::DontWrite : unread.front();
        if (!unread.empty())
            unread.pop_front();
        return answer;
    }
    void backupTaken(const Backup &backup) override { backups.append(backup); }
    bool writeWithoutBackup(const Backup &) override
    {
        ++asked;
        return withoutBackup;
    }
};

ParameterSet heldSet()
{
    ParameterSet held;
    held.Sub2 = -30;
    held.Delay5 = 40;
    sanitizeParameters(held);
    return held;
}

struct Line
{
    FakeTransmitter tx;
    ParameterSet set;
    LiveValues live;
    ParameterFrames frames;
    Conversation talk{set, live, frames};
    TransferWorkflow workflow{talk};

    bool open()
    {
        QObject::connect(&talk.port(), &QSerialPort::readyRead, &talk, &Conversation::readInput);
        talk.setPacing(quickPacing());
        tx.setConfiguration(heldSet());
        tx.answerReads(true);
        return tx.isOpen() && talk.open(tx.devicePath()) && tx.waitForMessage(QStringLiteral("OK"));
    }
};

} // namespace

class TestTransferWorkflow : public QObject
{
    Q_OBJECT

private slots:
    // A read for a backup or a check leaves the pilot's edits alone, a block
    // no read awaits changes nothing, and only the pilot's own Read puts the
    // reply into the set-up; what is known takes the trims from the stream.
    void eachReplyGoesWhereItsReadWantsIt()
    {
        Line line;
        if (!line.open())
            QSKIP("pseudo-terminals are not available here");
        LiveFeed feed;
        feed.trim1 = 130;
        line.tx.startLiveStream(40, feed);
        QTRY_COMPARE(line.set.Trim1, 130);
        line.set.Sub2 = 7; // the pilot's edit

        const TransmitterRecord::ReadOutcome backup = line.workflow.read(TransferWorkflow::ReadPurpose::Backup);
        QVERIFY(backup.complete && line.workflow.record().hasCompleteRead());
        QCOMPARE(line.set.Sub2, 7);
        QCOMPARE(line.workflow.record().known().Sub2, -30);
        QCOMPARE(line.workflow.record().known().Trim1, 130);

        const ParameterSet before = line.set;
        QVERIFY(line.tx.send(encodeParameterBlocks(heldSet()).at(1)));
        QTRY_COMPARE(line.workflow.lateBlocks(), 1);
        QVERIFY(differingSettings(line.set, before).isEmpty());

        QVERIFY(line.workflow.read(TransferWorkflow::ReadPurpose::Show).complete);
        QCOMPARE(line.set.Sub2, -30);
        QCOMPARE(line.set.Delay5, 40);
        QCOMPARE(line.workflow.lateBlocks(), 1);
    }

    // The read-first asks until it is told what to do; a backup that cannot
    // be written is asked about; stop() ends every wait and asks nothing.
    void questionsDecideWhatGoesOn()
    {
        Line line;
        if (!line.open())
            QSKIP("pseudo-terminals are not available here");
        line.tx.answerReads(false);
        bool readNow = true;
        ListedAnswers ask;
        QCOMPARE(line.workflow.knowBefore(false, ask, &readNow), TransferWorkflow::Step::Go);
        QCOMPARE(line.tx.count(QStringLiteral("RR")), 0);

        ask.unread = {TransferQuestions::Unread::ReadAgain, TransferQuestions::Unread::DontWrite};
        QCOMPARE(line.workflow.knowBefore(true, ask, &readNow), TransferWorkflow::Step::Cancelled);
        QVERIFY(!readNow);
        QCOMPARE(ask.asked, 2);
        QTRY_COMPARE(line.tx.count(QStringLiteral("RR")), 2);

        // Written without a read: said so, and no backup of what is unknown.
        ask.unread = {TransferQuestions::Unread::WriteAnyway};
        QCOMPARE(line.workflow.knowBefore(true, ask, &readNow), TransferWorkflow::Step::Go);
        QTemporaryDir dir;
        QCOMPARE(line.workflow.backUp(QStringLiteral("write"), QStringLiteral("pty"), dir.path(), ask),
                 TransferWorkflow::Step::Go);
        QCOMPARE(ask.backups.size(), 1);
        QCOMPARE(ask.backups.first().kind, TransferQuestions::Backup::Kind::NoneUnread);
        QVERIFY(QDir(dir.path()).isEmpty());

        line.tx.answerReads(true);
        QCOMPARE(line.workflow.knowBefore(true, ask, &readNow), TransferWorkflow::Step::Go);
        QVERIFY(readNow);
        const QString notAFolder = dir.filePath(QStringLiteral("file"));
        QFile file(notAFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        ask.asked = 0;
        QCOMPARE(line.workflow.backUp(QStringLiteral("write"), QStringLiteral("pty"), notAFolder, ask),
                 TransferWorkflow::Step::Cancelled);
        QCOMPARE(ask.backups.last().kind, TransferQuestions::Backup::Kind::Failed);
        QCOMPARE(ask.asked, 1);
        ask.withoutBackup = true;
        QCOMPARE(line.workflow.backUp(QStringLiteral("write"), QStringLiteral("pty"), notAFolder, ask),
                 TransferWorkflow::Step::Go);
        QCOMPARE(line.workflow.backUp(QStringLiteral("write"), QStringLiteral("pty"), dir.path(), ask),
                 TransferWorkflow::Step::Go);
        QCOMPARE(ask.backups.last().kind, TransferQuestions::Backup::Kind::Written);
        QVERIFY(QFile::exists(ask.backups.last().path));

        // Stopped in the middle of a read that gets no answer.
        line.workflow.connectionEnded();
        line.tx.answerReads(false);
        ask.asked = 0;
        QTimer::singleShot(100, &line.workflow, [&line] { line.workflow.stop(); });
        QCOMPARE(line.workflow.knowBefore(true, ask, &readNow), TransferWorkflow::Step::Stopped);
        QCOMPARE(ask.asked, 0);
        QVERIFY(!line.workflow.reading() && !line.workflow.goesOn());
    }

    // A send nothing answers after is silent and leaves what it wrote
    // unknown; one read back as sent is verified, one the transmitter did
    // not take names what differs.
    void readBackProvesOnlyWhatCameBack()
    {
        Line line;
        if (!line.open())
            QSKIP("pseudo-terminals are not available here");
        TransmitterRecord &record = line.workflow.record();
        line.set = heldSet();
        for (FrameKind kind : Protocol::kFrameOrder)
            rebuildFrame(kind, line.set, line.frames);
        line.tx.setConfiguration(line.set); // as the frames brought it
        record.sent(line.frames, line.set);
        QCOMPARE(line.workflow.proveAfter(true).result, SendCheck::Result::Silent);
        QVERIFY(record.uncertain());

        line.tx.startLiveStream(40);
        QTRY_VERIFY(line.workflow.heardRecently());
        QCOMPARE(line.workflow.proveAfter(false).result, SendCheck::Result::NotAsked);
        record.sent(line.frames, line.set);
        QCOMPARE(line.workflow.proveAfter(true).result, SendCheck::Result::Verified);
        QVERIFY(!record.uncertain());

        ParameterSet other = line.set;
        other.Delay5 = 10;
        line.tx.setConfiguration(other);
        record.sent(line.frames, line.set);
        const SendCheck differs = line.workflow.proveAfter(true);
        QCOMPARE(differs.result, SendCheck::Result::Differs);
        QCOMPARE(differs.differences.size(), 1);
        QCOMPARE(differs.differences.first()->member, IntRef(&ParameterSet::Delay5));
    }
};

QTEST_GUILESS_MAIN(TestTransferWorkflow)
#include "tst_transferworkflow.moc"

// The feel of the long commands: progress in step with the frames on the
// line, the count of a Read reply as it arrives, and keyboard shortcuts that
// a running command refuses like a click.
#include "link/parameterblocks.h"

#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <QTest>

#include "app/commandhelp.h"
#include "app/mainwindow.h"
#include "model/parameterset.h"
#include "support/appstate.h"
#include "support/fakeportrig.h"
#include "ui/mainform.h"

class TestCommandProgress : public QObject
{
    Q_OBJECT

private:
    FakePortRig rig;
    std::unique_ptr<FakeTransmitter> &tx = rig.tx;
    std::unique_ptr<MainWindow> &w = rig.w;

    QString firstLine() const
    {
        return w->findChild<QLabel *>(QStringLiteral("statusLabel"))->text().section(QLatin1Char('\n'), 0, 0);
    }
    QProgressBar *bar() const { return w->findChild<QProgressBar *>(QStringLiteral("statusProgress")); }

private slots:
    void initTestCase()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
    }
    void init()
    {
        QVERIFY2(rig.start(), qPrintable(rig.error));
        QVERIFY(rig.openPort());
    }
    void cleanup() { rig.stop(); }

    // The transmitter lives on this thread: it hears each frame within the
    // pause that follows it, while its step is shown.
    void writeProgressFollowsTheFrames()
    {
        // A transmitter that is there: read first, read back after.
        tx->setConfiguration(ParameterSet());
        tx->answerReads(true);
        tx->startLiveStream(20);
        QVERIFY(waitForStream(*w));
        QStringList seen;
        connect(tx.get(), &FakeTransmitter::messageReceived, this, [&](const TransmitterMessage &m) {
            if (m.kind.size() == 1)
                seen << QStringLiteral("%1 %2 %3").arg(m.kind, firstLine()).arg(bar()->value());
        });
        clickLater(*w, QStringLiteral("toolButton_Send"));
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 4, 10000);
        QCOMPARE(seen, (QStringList{"S 写入 1/4 1", "G 写入 2/4 2", "H 写入 3/4 3", "I 写入 4/4 4"}));
        // The end leaves the outcome and takes the bar away.
        QVERIFY(tx->waitForMessage(QStringLiteral("WWW")));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);
        QVERIFY(bar()->isHidden());
        QVERIFY(firstLine().startsWith(QStringLiteral("已写入")));
    }

    void readProgressCountsTheBlocks()
    {
        QVector<QByteArray> blocks = encodeParameterBlocks(ParameterSet());
        blocks.resize(8);
        tx->setReadReply(blocks);
        tx->answerReads(true);
        QStringList seen;
        connect(tx.get(), &FakeTransmitter::messageReceived, this, [&](const TransmitterMessage &m) {
            if (m.kind == QLatin1String("WWW") && !seen.contains(firstLine()))
                seen << firstLine();
        });
        clickLater(*w, QStringLiteral("toolButton_Read"));
        QTRY_VERIFY_WITH_TIMEOUT(firstLine().startsWith(QStringLiteral("读取不完整 8/19")), 10000);
        QCOMPARE(seen.mid(0, 3), (QStringList{"读取 1/19", "读取 2/19", "读取 3/19"}));
        QVERIFY(seen.contains(QStringLiteral("读取 8/19")));
        QVERIFY(bar()->isHidden());
    }

    void shortcutsAreRefusedWhileACommandRuns()
    {
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(CommandHelp::shortcut(QStringLiteral("toolButton_Reset")), QKeySequence());
        QCOMPARE(CommandHelp::shortcut(QStringLiteral("pushButton_Reset2")), QKeySequence());

        // The second presses come while the Read pauses after "RR".
        bool pressedDuringRead = false;
        const QObject scope;
        onArrival(*tx, QStringLiteral("RR"), &scope, [&] {
            pressedDuringRead = w->transferRunning();
            QTest::keyClick(w.get(), Qt::Key_R, Qt::ControlModifier);
            QTest::keyClick(w.get(), Qt::Key_T, Qt::ControlModifier);
        });
        QTest::keyClick(w.get(), Qt::Key_R, Qt::ControlModifier);
        QVERIFY(tx->waitForMessage(QStringLiteral("RR"), 5000));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);
        QVERIFY(pressedDuringRead);
        QTest::qWait(300);
        QCOMPARE(tx->count(QStringLiteral("RR")), 1);
        QCOMPARE(tx->count(QStringLiteral("S")), 0);
    }
};

QTEST_MAIN(TestCommandProgress)
#include "tst_commandprogress.moc"

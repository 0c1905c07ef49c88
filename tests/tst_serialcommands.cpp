// The window against a transmitter played on a pseudo-terminal: the real
// QSerialPort, the exact bytes on the wire.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QTest>
#include <memory>

#include "app/mainwindow.h"
#include "link/framecodec.h"
#include "link/parameterblocks.h"
#include "model/defaults.h"
#include "model/parameterset.h"
#include "model/translations.h"
#include "support/appstate.h"
#include "support/fakeportrig.h"
#include "support/factoryframes.h"
#include "support/modalwatcher.h"
#include "ui/mainform.h"

namespace {

QStringList kindsAfter(const FakeTransmitter &tx, int first)
{
    return tx.kinds().mid(first);
}

// A command runs its pauses in nested event loops below the test's own wait,
// so what happens during a command is observed from a timer inside it.
template<class F>
void duringCommand(int afterMs, F probe)
{
    QTimer::singleShot(afterMs, probe);
}

} // namespace

class TestSerialCommands : public QObject
{
    Q_OBJECT

private:
    FakePortRig rig;
    std::unique_ptr<FakeTransmitter> &tx = rig.tx;
    std::unique_ptr<MainWindow> &w = rig.w;

    bool openPort() { return rig.openPort(); }
    // For the tests that check the pauses or look in at a fixed moment.
    void realPacing() { w->setPacing(Protocol::Pacing()); }

private slots:
    void initTestCase()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
    }

    void init() { QVERIFY2(rig.start(), qPrintable(rig.error)); }
    void cleanup() { rig.stop(); }

    void openSaysOkAndShowsTheOpenState()
    {
        QVERIFY(openPort());
        QCOMPARE(tx->allBytes(), QByteArray("OK"));
        QCOMPARE(w->form()->openButton->text(), QStringLiteral("关闭串口"));
        QVERIFY(!w->form()->portNameBox->isEnabled());
        QCOMPARE(iconImage(w->form()->toolButton_led->icon()), iconImage(QIcon(QStringLiteral(":/myImage/images/green.png"))));
        QVERIFY(w->port().isOpen());
        QCOMPARE(w->port().baudRate(), 115200);
    }

    // Quitting with the port open releases it without the goodbye.
    void closingTheWindowSaysNoGoodbye()
    {
        QVERIFY(openPort());
        w.reset();
        QTest::qWait(300);
        QCOMPARE(tx->count(QStringLiteral("DIS")), 0);
        QCOMPARE(tx->allBytes(), QByteArray("OK"));
    }

    void failedOpenShowsTheMessageAndStaysClosed()
    {
        ModalWatcher watcher;
        w->form()->portNameBox->clear();
        w->form()->portNameBox->addItem(QStringLiteral("/dev/no-such-port-here"));
        w->form()->openButton->click();
        QCOMPARE(watcher.messageBoxes().size(), 1);
        const SeenMessageBox box = watcher.messageBoxes().at(0);
        QCOMPARE(box.title, QStringLiteral("提示"));
        QCOMPARE(box.text.section('\n', 0, 0), QStringLiteral("无法打开串口！"));
        // Under it the port and the cause; the steps and the copy button
        // for a port that does not exist too.
        QVERIFY2(box.text.contains(QStringLiteral("串口：/dev/no-such-port-here\n没有串口 /dev/no-such-port-here")),
                 qPrintable(box.text));
        QVERIFY(box.details.contains(QStringLiteral("/dev/no-such-port-here")));
        QVERIFY(box.buttons.contains(QStringLiteral("复制诊断信息")));
        QCOMPARE(w->form()->openButton->text(), QStringLiteral("打开串口"));
        QVERIFY(w->form()->portNameBox->isEnabled());
        // A failed open does not rescan the list.
        QCOMPARE(w->form()->portNameBox->itemText(0), QStringLiteral("/dev/no-such-port-here"));
    }

    void closeSaysDisAndCentresTheChannels()
    {
        QVERIFY(openPort());
        LiveFeed feed;
        feed.channels = {1500, 600, 1000, 1000, 2000, 0, 1200, 1300};
        tx->startLiveStream(20, feed);
        QTRY_COMPARE_WITH_TIMEOUT(w->params().ChOut1, 1500, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(w->form()->find<QLineEdit>(QStringLiteral("lineEdit"))->text(), QStringLiteral("1500"), 5000);
        tx->stopLiveStream();

        w->form()->openButton->click();
        QVERIFY(tx->waitForMessage(QStringLiteral("DIS"), 3000));
        QVERIFY(!w->port().isOpen());
        for (int ch = 0; ch < 8; ++ch)
            QCOMPARE(channelOutput(ch).of(w->params()), 1000);
        // Shown at once, not at the next refresh.
        QCOMPARE(w->form()->find<QLineEdit>(QStringLiteral("lineEdit"))->text(), QStringLiteral("1000"));
        QCOMPARE(w->form()->openButton->text(), QStringLiteral("打开串口"));
        QVERIFY(w->form()->portNameBox->isEnabled());
        QCOMPARE(iconImage(w->form()->toolButton_led->icon()), iconImage(QIcon(QStringLiteral(":/myImage/images/red.png"))));
    }

    // The goodbye is the last thing the tool says: input that arrives while
    // "DIS" drains (the port's wait for the write handles it re-entrantly)
    // is not acknowledged.
    void nothingFollowsTheGoodbye_data()
    {
        QTest::addColumn<bool>("packetWaiting");
        QTest::addColumn<int>("streamMs");
        QTest::newRow("a packet waiting to be read") << true << 0;
        QTest::newRow("streaming every 2 ms") << false << 2;
        QTest::newRow("both") << true << 2;
    }
    void nothingFollowsTheGoodbye()
    {
        QFETCH(bool, packetWaiting);
        QFETCH(int, streamMs);
        for (int round = 0; round < 5; ++round) {
            // Closing rescans the port list, which does not show the
            // pseudo-terminal.
            w->form()->portNameBox->clear();
            w->form()->portNameBox->addItem(tx->devicePath());
            QVERIFY(openPort());
            if (streamMs > 0) {
                tx->startLiveStream(streamMs);
                QTRY_VERIFY_WITH_TIMEOUT(tx->count(QStringLiteral("WWW")) > 3, 5000);
            }
            if (packetWaiting)
                QVERIFY(tx->send(encodeChannelPacket(QVector<int>(8, 1500), 1200)));
            w->form()->openButton->click();
            QVERIFY(tx->waitForMessage(QStringLiteral("DIS"), 3000));
            tx->stopLiveStream();
            QTest::qWait(300);
            QCOMPARE(tx->kinds().last(), QStringLiteral("DIS"));
            QVERIFY(!w->port().isOpen());
            tx->clear();
        }
    }

    void writeSendsTheFourFramesPacedThenWww()
    {
        realPacing();
        QVERIFY(openPort());
        w->params().Sub1 = 20;
        w->params().Elev2 = -100;
        const int first = tx->messages().size();
        QElapsedTimer clock;
        clock.start();
        const qint64 clickAt = tx->elapsedMs();
        clickLater(*w, QStringLiteral("toolButton_Send"));
        QVERIFY(tx->waitForMessage(QStringLiteral("WWW"), 10000));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);

        // The tool answers every chunk with WWW, but nothing was sent to it,
        // so these are exactly the command's own five writes.
        QCOMPARE(kindsAfter(*tx, first), (QStringList{"S", "G", "H", "I", "WWW"}));
        const auto msgs = tx->messages().mid(first);
        QCOMPARE(msgs.at(0).bytes.size(), 81);
        QCOMPARE(msgs.at(0).bytes.mid(9, 2), QByteArray("8C"));
        QCOMPARE(msgs.at(1).bytes.mid(19, 2), QByteArray("14"));
        QCOMPARE(msgs.at(0).bytes, w->frames().FrameS.toLatin1());
        QCOMPARE(msgs.at(3).bytes, w->frames().FrameI.toLatin1());
        // About 200 ms after the click, then about 800 ms apart; generous
        // bounds, the machine is shared.
        QVERIFY(msgs.at(0).atMs - clickAt >= 150);
        for (int i = 1; i < 5; ++i) {
            const qint64 gap = msgs.at(i).atMs - msgs.at(i - 1).atMs;
            QVERIFY2(gap >= 700 && gap < 3000, qPrintable(QString::number(gap)));
        }
        QVERIFY(w->form()->toolButton_Send->isEnabled());
    }

    void factoryResetSendsFactoryFramesDespiteLiveTrims()
    {
        QVERIFY(openPort());
        w->params().Sub3 = 50;
        w->params().Mode = 3;
        LiveFeed feed;
        feed.trim1 = 100;
        feed.trim2 = 140;
        feed.trim3 = 60;
        feed.trim4 = 200;
        tx->startLiveStream(20, feed);
        QTRY_COMPARE_WITH_TIMEOUT(w->params().Trim4, 200, 5000);
        // A transmitter that is there is read first and sees what changes.
        tx->setConfiguration(w->params());
        tx->answerReads(true);
        ModalWatcher watcher;

        const int first = tx->messages().size();
        clickLater(*w, QStringLiteral("toolButton_Reset"));
        int holdDuringReset = -1;
        const QObject scope;
        onArrival(*tx, QStringLiteral("G"), &scope, [&] { holdDuringReset = w->params().TrimHold; });
        QVERIFY(tx->waitForMessage(QStringLiteral("I"), 10000));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);
        tx->stopLiveStream();

        QVector<QByteArray> sent;
        for (const auto &m : tx->messages().mid(first)) {
            if (m.kind.size() == 1)
                sent.append(m.bytes);
        }
        QCOMPARE(sent, factoryFrames());
        QVERIFY(tx->kinds().mid(first).contains(QStringLiteral("WWW")));
        QCOMPARE(holdDuringReset, 1);
        QCOMPARE(w->params().TrimHold, 0);
        QCOMPARE(w->params().Mode, 2);
        // Live trims are taken again once the reset is over.
        tx->startLiveStream(20, feed);
        QTRY_COMPARE_WITH_TIMEOUT(w->params().Trim4, 200, 5000);
    }

    void commandsNeedAnOpenPort_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("write") << "toolButton_Send";
        QTest::newRow("factory reset") << "toolButton_Reset";
        QTest::newRow("reset data") << "pushButton_Reset2";
        QTest::newRow("read") << "toolButton_Read";
    }
    void commandsNeedAnOpenPort()
    {
        QFETCH(QString, button);
        realPacing();
        ModalWatcher watcher;
        w->params().Sub2 = 33;
        const ParameterSet before = w->params();
        const QString frameS = w->frames().FrameS;
        auto *b = w->form()->find<QAbstractButton>(button);
        clickLater(*w, button);
        bool enabledDuringDebounce = true;
        duringCommand(100, [&] { enabledDuringDebounce = b->isEnabled(); });
        QTRY_COMPARE_WITH_TIMEOUT(watcher.messageBoxes().size(), 1, 5000);
        QVERIFY(!enabledDuringDebounce);
        QCOMPARE(watcher.messageBoxes().at(0).title, QStringLiteral("提示"));
        QCOMPARE(watcher.messageBoxes().at(0).text, QStringLiteral("无法打开串口！"));
        QTRY_VERIFY_WITH_TIMEOUT(b->isEnabled(), 2000);
        QCOMPARE(differingMembers(w->params(), before), QStringList());
        QCOMPARE(w->frames().FrameS, frameS);
        QCOMPARE(w->params().TrimHold, 0);
        QCOMPARE(tx->allBytes(), QByteArray());
    }

    void englishTextsFollowTheLanguageFlag()
    {
        installLanguage(QStringLiteral("en"));
        MainWindow english;
        QCOMPARE(english.form()->openButton->text(), QStringLiteral("OPEN"));
        ModalWatcher watcher;
        clickLater(english, QStringLiteral("toolButton_Send"));
        QTRY_COMPARE_WITH_TIMEOUT(watcher.messageBoxes().size(), 1, 5000);
        QCOMPARE(watcher.messageBoxes().at(0).title, QStringLiteral("Note"));
        QCOMPARE(watcher.messageBoxes().at(0).text, QStringLiteral("Please open the serial port!"));
    }

    void aSecondCommandDuringATransferDoesNotStart()
    {
        QVERIFY(openPort());
        const int first = tx->messages().size();
        clickLater(*w, QStringLiteral("toolButton_Send"));
        QStringList enabledDuring;
        bool running = false;
        bool busyCursor = false;
        bool openButtonUsable = false;
        const QObject scope;
        onArrival(*tx, QStringLiteral("S"), &scope, [&] {
            running = w->transferRunning();
            busyCursor = QApplication::overrideCursor() != nullptr;
            openButtonUsable = w->form()->openButton->isEnabled();
            for (const char *name : {"toolButton_Send", "toolButton_Reset", "pushButton_Reset2", "toolButton_Read",
                                     "toolButton_Save", "toolButton_Load"}) {
                if (w->form()->find<QAbstractButton>(QLatin1String(name))->isEnabled())
                    enabledDuring << QLatin1String(name);
            }
            // Clicks on disabled buttons do nothing; invoking the slots behind
            // their back must not start a transfer either.
            w->form()->toolButton_Reset->click();
            invokeSlot(*w, "on_toolButton_Read_clicked");
            invokeSlot(*w, "on_pushButton_Reset2_clicked");
        });
        QVERIFY(tx->waitForMessage(QStringLiteral("WWW"), 10000));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);
        QTest::qWait(300);
        QCOMPARE(kindsAfter(*tx, first), (QStringList{"S", "G", "H", "I", "WWW"}));
        QVERIFY(running);
        QVERIFY(busyCursor);
        QVERIFY(openButtonUsable);
        QCOMPARE(enabledDuring, QStringList());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(w->form()->toolButton_Read->isEnabled());
    }

    void anUnpluggedDeviceClosesThePort()
    {
        QVERIFY(openPort());
        QSignalSpy errors(&w->port(), &QSerialPort::errorOccurred);
        tx->closeMaster();
        QTRY_COMPARE_WITH_TIMEOUT(w->form()->openButton->text(), QStringLiteral("打开串口"), 5000);
        QVERIFY(!w->port().isOpen());
        QVERIFY(w->form()->portNameBox->isEnabled());
        QCOMPARE(iconImage(w->form()->toolButton_led->icon()), iconImage(QIcon(QStringLiteral(":/myImage/images/red.png"))));
        // The error stream stops instead of spinning the GUI thread.
        const int seen = errors.count();
        QTest::qWait(300);
        QVERIFY2(errors.count() - seen < 5, qPrintable(QString::number(errors.count())));
        QVERIFY(seen < 200);
    }
};

QTEST_MAIN(TestSerialCommands)
#include "tst_serialcommands.moc"

// Faults on purpose, through the window on a pseudo-terminal transmitter:
// the transmitter unplugged in the middle of every command, a reply that
// stops half way, garbage at full rate. Nothing may crash or hang, nothing
// may be written to a closed port, and the window ends in a clear state.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>
#include <memory>

#include "app/mainwindow.h"
#include "fuzz/fuzzchecks.h"
#include "link/framecodec.h"
#include "link/livevalues.h"
#include "link/parameterblocks.h"
#include "model/parameterset.h"
#include "support/appstate.h"
#include "support/fakeportrig.h"
#include "support/modalwatcher.h"
#include "ui/mainform.h"

namespace {

constexpr int kCommandTimeoutMs = 15000;
const QStringList kTransferButtons{"toolButton_Send", "toolButton_Reset", "pushButton_Reset2",
                                   "toolButton_Read",  "toolButton_Save",  "toolButton_Load"};

// Warnings of the code under test; a write to a closed port shows up here
// as "QIODevice::write (QSerialPort): device not open".
QStringList &warnings()
{
    static QStringList list;
    return list;
}
QtMessageHandler previousHandler = nullptr;

void recordWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg)
        warnings().append(message);
    if (previousHandler && type != QtDebugMsg)
        previousHandler(type, context, message);
}

QStringList writesToAClosedPort()
{
    QStringList out;
    for (const QString &w : warnings()) {
        if (w.contains(QLatin1String("not open")))
            out << w;
    }
    return out;
}

QByteArray framesOf(ParameterSet p)
{
    ParameterFrames f;
    QByteArray out;
    for (FrameKind kind : {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I})
        out += rebuildFrame(kind, p, f);
    return out;
}

// A configuration away from the start values in every frame.
ParameterSet fileSet()
{
    ParameterSet p;
    p.Sub1 = 20;
    p.Atti1 = 30;
    p.ThCure2 = 20;
    p.Trim4 = 60;
    return p;
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

private:
    FakePortRig rig;
    std::unique_ptr<FakeTransmitter> &tx = rig.tx;
    std::unique_ptr<MainWindow> &w = rig.w;
    std::unique_ptr<QTemporaryDir> dir;

    // The closed state, whatever was running when the device went away.
    void verifyClosedAndIdle()
    {
        QTRY_COMPARE_WITH_TIMEOUT(w->form()->openButton->text(), QStringLiteral("打开串口"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), kCommandTimeoutMs);
        // Long enough for anything still queued to reach the port: more
        // than a frame pause.
        QTest::qWait(w->pacing().framePauseMs + 400);
        QVERIFY(!w->port().isOpen());
        QVERIFY(w->form()->portNameBox->isEnabled());
        for (int ch = 0; ch < 8; ++ch)
            QCOMPARE(channelOutput(ch).of(w->params()), 1000);
        QCOMPARE(w->params().TrimHold, 0);
        QVERIFY(!QApplication::overrideCursor());
        for (const QString &name : kTransferButtons)
            QVERIFY2(w->form()->find<QAbstractButton>(name)->isEnabled(), qPrintable(name));
        QCOMPARE(writesToAClosedPort(), QStringList());
    }

private slots:
    void initTestCase()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        previousHandler = qInstallMessageHandler(recordWarning);
    }
    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }

    void init()
    {
        warnings().clear();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        QVERIFY2(rig.start(), qPrintable(rig.error));
    }
    void cleanup()
    {
        rig.stop();
        dir.reset();
    }

    void unpluggedDuringACommand_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("unplugAfter"); // the message that triggers the unplugging
        QTest::newRow("Write") << "toolButton_Send" << "S";
        QTest::newRow("Write, after the last frame") << "toolButton_Send" << "I";
        QTest::newRow("Factory reset") << "toolButton_Reset" << "G";
        QTest::newRow("Reset data") << "pushButton_Reset2" << "H";
        QTest::newRow("Read") << "toolButton_Read" << "block 3";
        QTest::newRow("Load") << "toolButton_Load" << "S";
        QTest::newRow("Save") << "toolButton_Save" << "G";
        QTest::newRow("streaming") << QString() << "live 10";
    }
    void unpluggedDuringACommand()
    {
        QFETCH(QString, button);
        QFETCH(QString, unplugAfter);

        ModalWatcher watcher;
        const QString loadPath = dir->filePath(QStringLiteral("load.txt"));
        const QString savePath = dir->filePath(QStringLiteral("save.txt"));
        {
            QFile file(loadPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(framesOf(fileSet())), qint64(324));
        }
        watcher.setFileDialogAnswer(button == QLatin1String("toolButton_Load") ? loadPath : savePath);
        tx->setConfiguration(fileSet());
        tx->answerReads(true);

        QVERIFY(rig.openPort());
        tx->startLiveStream(20);
        if (!button.isEmpty())
            clickLater(*w, button);

        if (unplugAfter.startsWith(QLatin1String("block"))) {
            const int blocks = unplugAfter.section(QLatin1Char(' '), 1).toInt();
            QTRY_VERIFY_WITH_TIMEOUT(tx->replyBlocksSent() >= blocks, kCommandTimeoutMs);
        } else if (unplugAfter.startsWith(QLatin1String("live"))) {
            const int packets = unplugAfter.section(QLatin1Char(' '), 1).toInt();
            QTRY_VERIFY_WITH_TIMEOUT(tx->livePacketsSent() >= packets, kCommandTimeoutMs);
        } else {
            QVERIFY(tx->waitForMessage(unplugAfter, kCommandTimeoutMs));
        }
        tx->closeMaster();

        verifyClosedAndIdle();
        QCOMPARE(errorBoxesOf(watcher), 0);
        // Nothing of the command's own work is lost with the port.
        if (button == QLatin1String("toolButton_Save")) {
            QFile saved(savePath);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QCOMPARE(saved.readAll(), framesOf(w->params()));
        }
        if (button == QLatin1String("toolButton_Load")) {
            QCOMPARE(w->params().Sub1, 20);
            QCOMPARE(w->params().Trim4, 60);
        }

        // The window is usable again: a command now finds the port closed.
        watcher.clear();
        clickLater(*w, QStringLiteral("toolButton_Send"));
        QTRY_COMPARE_WITH_TIMEOUT(watcher.messageBoxes().size(), 1, 5000);
        QCOMPARE(watcher.messageBoxes().at(0).text, QStringLiteral("无法打开串口！"));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);
        QCOMPARE(writesToAClosedPort(), QStringList());
    }

    // The transmitter stops answering half way through a Read, while it
    // keeps streaming: the command ends, what arrived is kept and repaired,
    // and a Write afterwards sends four whole frames.
    void aReplyThatStopsHalfWay()
    {
        QVERIFY(rig.openPort());
        ParameterSet remote;
        remote.Lepa2 = 12;
        remote.AttiM = 9; // out of range: repaired to its start value
        w->params().AttiM = 2;
        QVector<QByteArray> blocks = encodeParameterBlocks(remote);
        blocks.resize(11);
        blocks.last().chop(5); // and the last one breaks off
        tx->setReadReply(blocks);
        tx->answerReads(true);
        tx->startLiveStream(20);

        clickLater(*w, QStringLiteral("toolButton_Read"));
        QTRY_COMPARE_WITH_TIMEOUT(tx->replyBlocksSent(), 11, kCommandTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), kCommandTimeoutMs);
        QTest::qWait(300);
        QCOMPARE(w->params().Lepa2, 12);
        QCOMPARE(w->params().AttiM, 4);
        QCOMPARE(w->params().Delay1, 100); // block 11 broke off
        QCOMPARE(w->liveValues().ReadFlag, 10);

        // Its set-up is still not known: the pilot writes anyway.
        ModalWatcher watcher;
        watcher.setMessageBoxAnswer(QStringLiteral("仍然写入"));
        const int first = tx->messages().size();
        clickLater(*w, QStringLiteral("toolButton_Send"));
        QVERIFY(tx->waitForMessage(QStringLiteral("I"), kCommandTimeoutMs));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), kCommandTimeoutMs);
        QStringList frameKinds;
        for (const TransmitterMessage &m : tx->messages().mid(first)) {
            if (m.kind.size() == 1)
                frameKinds << m.kind;
            QVERIFY2(m.kind != QLatin1String("garbage"), m.bytes.toHex().constData());
        }
        QCOMPARE(frameKinds, (QStringList{"S", "G", "H", "I"}));
        tx->stopLiveStream();
    }

    // Garbage as fast as the line takes it, half of it framed like blocks,
    // while a Write runs: after every chunk the members are inside their
    // ranges, the frames on the wire are whole, and the window stays open.
    void garbageAtFullRate()
    {
        QVERIFY(rig.openPort());
        QStringList problems;
        int chunksHandled = 0;
        // Connected after the window's own handler, so this runs right
        // after each chunk was decoded, repaired and acknowledged.
        connect(&w->port(), &QSerialPort::readyRead, this, [&] {
            ++chunksHandled;
            const QStringList bad = FuzzChecks::membersOutOfRange(w->params());
            if (!bad.isEmpty() && problems.size() < 10)
                problems << bad.join(QLatin1Char(' '));
        });

        QRandomGenerator rng(20261208);
        QTimer flood;
        flood.setInterval(0);
        int sent = 0;
        connect(&flood, &QTimer::timeout, this, [&] {
            QByteArray chunk(1 + int(rng.bounded(40)), Qt::Uninitialized);
            for (char &c : chunk)
                c = char(rng.bounded(256));
            if (rng.bounded(2) == 0) {
                chunk.resize(rng.bounded(2) ? kParamBlockLength : 20);
                chunk[0] = char(kBlockMarker);
                chunk[chunk.size() - 1] = char(kBlockMarker);
            }
            tx->send(chunk);
            ++sent;
        });

        const int first = tx->messages().size();
        flood.start();
        clickLater(*w, QStringLiteral("toolButton_Send"));
        QVERIFY(tx->waitForMessage(QStringLiteral("I"), 30000));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), kCommandTimeoutMs);
        flood.stop();
        QTest::qWait(300);

        QVERIFY2(sent > 200, qPrintable(QString::number(sent)));
        QVERIFY(chunksHandled > 20);
        QCOMPARE(problems, QStringList());
        QStringList frameKinds;
        for (const TransmitterMessage &m : tx->messages().mid(first)) {
            if (m.kind.size() == 1) {
                frameKinds << m.kind;
                QCOMPARE(m.bytes.size(), kFrameLength);
            }
        }
        QCOMPARE(frameKinds, (QStringList{"S", "G", "H", "I"}));
        for (const QString &f : {w->frames().FrameS, w->frames().FrameG, w->frames().FrameH, w->frames().FrameI})
            QCOMPARE(f.size(), kFrameLength);
        QVERIFY(w->port().isOpen());
        QCOMPARE(writesToAClosedPort(), QStringList());
    }

private:
    static int errorBoxesOf(const ModalWatcher &watcher)
    {
        int n = 0;
        for (const SeenMessageBox &b : watcher.messageBoxes())
            n += b.icon == QMessageBox::Critical ? 1 : 0;
        return n;
    }
};

int main(int argc, char *argv[])
{
    // Qt's own dialogs, so that the watcher finds widgets to answer.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    TestFaults test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_faults.moc"

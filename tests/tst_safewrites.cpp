// Writes that are safe, against a transmitter on a pseudo-terminal: a
// set-up not yet known is read and backed up before a command replaces it,
// what will change is shown first, every send is read back, one command
// runs at a time, and closing the window never leaves a send half done
// without a word.
#include "link/parameterblocks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>
#include <QtTest>

#include "app/mainwindow.h"
#include "files/backups.h"
#include "files/parameterfile.h"
#include "link/framecodec.h"
#include "model/defaults.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "support/appstate.h"
#include "support/fakeportrig.h"
#include "support/modalwatcher.h"
#include "ui/mainform.h"
#include "ui/unwrittenmark.h"

namespace {

// What the transmitter holds at the start: not the tool's start values.
ParameterSet remoteSet()
{
    ParameterSet p;
    p.Sub1 = 5;
    p.Sub2 = 30;
    p.Mode = 2;
    p.TxVolt = 3.7;
    p.ThCure1 = 40;
    return p;
}

// The settings of the frame of that kind, decoded from the message.
ParameterSet decodedFrame(const TransmitterMessage &frame, FrameKind kind)
{
    ParameterSet p;
    decodeFrameFields(kind, QString::fromLatin1(frame.bytes), 0, p);
    return p;
}

QStringList backupFiles()
{
    return QDir(Backups::defaultDirectory()).entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Time);
}

ParameterSet fileSettings(const QString &path)
{
    ParameterSet p;
    QString text;
    readParameterFileText(path, &text);
    decodeParameterFile(text, p);
    return p;
}

// Settings a Read reply carries that differ (the trims come by other ways).
QStringList differingReadBack(const ParameterSet &a, const ParameterSet &b)
{
    QStringList out;
    for (const Setting *s : differingSettings(a, b)) {
        if (!s->key.startsWith(QLatin1String("Trim")))
            out.append(s->key);
    }
    return out;
}

} // namespace

class TestSafeWrites : public QObject
{
    Q_OBJECT

private:
    FakePortRig rig;
    std::unique_ptr<FakeTransmitter> &tx = rig.tx;
    std::unique_ptr<MainWindow> &w = rig.w;
    QTemporaryDir dir;

    QString status() const
    {
        auto *label = w->findChild<QLabel *>(QStringLiteral("statusLabel"));
        return label ? label->text() + QLatin1Char('\n') + label->toolTip() : QString();
    }
    int indexOf(const QString &kind) const { return tx->kinds().indexOf(kind); }
    void edit(const char *editor, int value)
    {
        w->form()->find<QSpinBox>(QString::fromLatin1(editor))->setValue(value);
    }
    bool marked(const char *editor) const { return isUnwritten(w->form()->widget(QString::fromLatin1(editor))); }
    // A transmitter that streams, answers Reads and keeps what is written.
    void transmitterThere(const ParameterSet &remote = remoteSet())
    {
        tx->setConfiguration(remote);
        tx->storeWrittenFrames(true);
        tx->answerReads(true);
        tx->startLiveStream(20);
        QTest::qWait(150);
    }
    void read()
    {
        clickLater(*w, QStringLiteral("toolButton_Read"));
        QTRY_VERIFY_WITH_TIMEOUT(tx->count(QStringLiteral("RR")) > 0 && !w->transferRunning(), 10000);
    }
    // Presses a command and waits until it is over: the command runs inside
    // the click, so a handler connected after it runs once it returns.
    void run(const QString &button)
    {
        bool over = false;
        const QObject scope;
        connect(w->form()->find<QAbstractButton>(button), &QAbstractButton::clicked, &scope, [&over] { over = true; });
        clickLater(*w, button);
        QTRY_VERIFY_WITH_TIMEOUT(over, 30000);
        QVERIFY(!w->transferRunning());
    }
    QString loadableFile(const ParameterSet &p)
    {
        const QString path = dir.filePath(QStringLiteral("plane.dat"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(parameterFileBytes(p));
        return path;
    }

private slots:
    void initTestCase()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        // A window closed by a test must not end the test's event loops.
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void init()
    {
        QSettings().clear();
        QDir(Backups::defaultDirectory()).removeRecursively();
        QVERIFY2(rig.start(), qPrintable(rig.error));
        QVERIFY(rig.openPort());
    }
    void cleanup() { rig.stop(); }

    // A command that replaces a set-up the tool has not read reads it first
    // and backs it up before the first frame; on a silent line it goes out
    // as ever, unconfirmed.
    void unknownSetUpIsReadFirst_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("streaming");
        QTest::addColumn<bool>("keepsEdit"); // the window's values are sent: the edit stays
        QTest::newRow("write") << "toolButton_Send" << true << true;
        QTest::newRow("save") << "toolButton_Save" << true << true;
        QTest::newRow("factory reset") << "toolButton_Reset" << true << false;
        QTest::newRow("reset data") << "pushButton_Reset2" << true << false;
        QTest::newRow("load") << "toolButton_Load" << true << false;
        QTest::newRow("write, silent line") << "toolButton_Send" << false << true;
    }
    void unknownSetUpIsReadFirst()
    {
        QFETCH(QString, button);
        QFETCH(bool, streaming);
        QFETCH(bool, keepsEdit);
        ModalWatcher watcher;
        const QString file = button == QLatin1String("toolButton_Save") ? dir.filePath(QStringLiteral("saved.dat"))
                                                                         : loadableFile(ParameterSet());
        watcher.setFileDialogAnswer(file);
        if (streaming)
            transmitterThere();
        edit("spinBox_sub1", 20);
        const QStringList before = backupFiles();
        QStringList backupsAtFirstFrame;
        onArrival(*tx, QStringLiteral("S"), this, [&] { backupsAtFirstFrame = backupFiles(); });

        run(button);

        QTRY_VERIFY(tx->count(QStringLiteral("I")) == 1);
        const TransmitterMessage s = tx->messagesOfKind(QStringLiteral("S")).first();
        if (!streaming) {
            QCOMPARE(tx->count(QStringLiteral("RR")), 0);
            QVERIFY2(status().contains(QStringLiteral("未确认：遥控器无应答")), qPrintable(status()));
            QCOMPARE(decodedFrame(s, FrameKind::S).Sub1, 20);
            return;
        }
        QVERIFY(indexOf(QStringLiteral("RR")) >= 0);
        QVERIFY(indexOf(QStringLiteral("RR")) < indexOf(QStringLiteral("S")));
        QCOMPARE(backupsAtFirstFrame.size(), before.size() + 1);
        const QString backup = QDir(Backups::defaultDirectory()).filePath(backupsAtFirstFrame.first());
        QCOMPARE(differingReadBack(fileSettings(backup), remoteSet()), QStringList());
        if (keepsEdit) {
            QCOMPARE(decodedFrame(s, FrameKind::S).Sub1, 20); // the pilot's edit
            QCOMPARE(decodedFrame(s, FrameKind::S).Sub2, 30); // the rest as read
            QCOMPARE(decodedFrame(s, FrameKind::S).Mode, 2);
        }
    }

    // When the Read before a command does not complete, the pilot decides;
    // without an answer nothing is written.
    void incompleteReadAsks_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("framesSent");
        QTest::addColumn<QString>("shown");
        QTest::newRow("closed unanswered") << "" << 0 << "已取消：写入";
        QTest::newRow("write anyway") << "仍然写入" << 4 << "未备份（读取未完成）";
        QTest::newRow("read again") << "重新读取" << 4 << "已备份（写入前）";
    }
    void incompleteReadAsks()
    {
        QFETCH(QString, answer);
        QFETCH(int, framesSent);
        QFETCH(QString, shown);
        transmitterThere();
        tx->answerReads(false);
        ModalWatcher watcher;
        watcher.setMessageBoxAnswer(answer.isEmpty() ? QStringLiteral("-") : answer);
        // Asked again, the transmitter answers.
        connect(&watcher, &ModalWatcher::messageBoxClosed, tx.get(), [this] { tx->answerReads(true); });

        run(QStringLiteral("toolButton_Send"));

        QTRY_COMPARE(watcher.messageBoxes().size(), 1);
        QCOMPARE(watcher.messageBoxes().first().button, answer.isEmpty() ? QStringLiteral("不写入") : answer);
        QCOMPARE(tx->count(QStringLiteral("S")) + tx->count(QStringLiteral("G")) + tx->count(QStringLiteral("H"))
                         + tx->count(QStringLiteral("I")),
                 framesSent);
        QVERIFY2(status().contains(shown), qPrintable(status()));
    }

    // After every send the transmitter is read back and compared.
    void sendIsReadBack_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("editStaysMarked");
        QTest::newRow("match") << "" << "已写入并核对" << false;
        QTest::newRow("H frame ignored") << "ignore H" << "核对不符：1 项" << true;
        QTest::newRow("silent after S") << "silent" << "未确认：遥控器无应答" << true;
    }
    void sendIsReadBack()
    {
        QFETCH(QString, fault);
        QFETCH(QString, shown);
        QFETCH(bool, editStaysMarked);
        transmitterThere();
        read();
        edit("spinBox_THCURE_Data01", 55); // carried by the H frame
        QTRY_VERIFY(marked("spinBox_THCURE_Data01"));
        if (fault == QLatin1String("ignore H"))
            tx->ignoreFrame(QStringLiteral("H"));
        if (fault == QLatin1String("silent"))
            tx->goSilentAfterFrames(1);
        const int requests = tx->count(QStringLiteral("RR"));

        run(QStringLiteral("toolButton_Send"));

        const QString line = status().section(QLatin1Char('\n'), 0, 0);
        QVERIFY2(line.startsWith(shown), qPrintable(status()));
        QVERIFY(!line.startsWith(QStringLiteral("已写入 ")));
        if (fault != QLatin1String("silent")) {
            QCOMPARE(tx->count(QStringLiteral("RR")), requests + 1);
            QVERIFY(tx->kinds().lastIndexOf(QStringLiteral("RR")) > tx->kinds().lastIndexOf(QStringLiteral("WWW"),
                                                                                             indexOf(QStringLiteral("I")) + 1));
        }
        QCOMPARE(marked("spinBox_THCURE_Data01"), editStaysMarked);
        if (fault == QLatin1String("ignore H"))
            QVERIFY2(status().contains(QStringLiteral("油门曲线")), qPrintable(status()));
    }

    // A Read keeps every other command out until its reply is over: Write
    // pressed 600 ms into a slow reply sends nothing and says why.
    void readHoldsTheGuardUntilTheReplyEnds()
    {
        transmitterThere();
        tx->setBlockGap(150);
        int blocksThen = -1;
        int framesThen = -1;
        QString statusThen;
        QTimer::singleShot(600, w.get(), [&] {
            blocksThen = tx->replyBlocksSent();
            QVERIFY(QMetaObject::invokeMethod(w.get(), "on_toolButton_Send_clicked"));
            framesThen = tx->count(QStringLiteral("S"));
            statusThen = status();
        });
        run(QStringLiteral("toolButton_Read"));
        QCOMPARE(tx->replyBlocksSent(), 19);
        QVERIFY2(status().contains(QStringLiteral("已读取 19/19")), qPrintable(status()));
        QVERIFY2(blocksThen > 0 && blocksThen < 19, qPrintable(QString::number(blocksThen)));
        QCOMPARE(framesThen, 0);
        QVERIFY2(statusThen.contains(QStringLiteral("另一命令进行中")), qPrintable(statusThen));
        QTest::qWait(300);
        QCOMPARE(tx->count(QStringLiteral("S")), 0);
        QVERIFY(!status().contains(QStringLiteral("另一命令进行中")));
    }

    // Load and the resets show what will change; cancelling changes nothing.
    void changeListComesFirst_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("listed");
        QTest::newRow("factory reset, sent") << "toolButton_Reset" << "发送" << "基础菜单 · 中点微调 · CH1: 5 % → 0 %";
        QTest::newRow("factory reset, cancelled") << "toolButton_Reset" << "取消" << "基础菜单 · 中点微调 · CH1: 5 % → 0 %";
        QTest::newRow("load, cancelled") << "toolButton_Load" << "取消" << "基础菜单 · 中点微调 · CH2: 30 % → 0 %";
    }
    void changeListComesFirst()
    {
        QFETCH(QString, button);
        QFETCH(QString, answer);
        QFETCH(QString, listed);
        transmitterThere();
        read();
        edit("spinBox_sub2", 33);
        QTRY_VERIFY(marked("spinBox_sub2"));
        const ParameterSet shown = params();
        ModalWatcher watcher;
        watcher.setFileDialogAnswer(loadableFile(ParameterSet()));
        watcher.setMessageBoxAnswer(answer);

        run(button);

        QCOMPARE(watcher.messageBoxes().size(), 1);
        QVERIFY2(watcher.messageBoxes().first().informative.contains(listed),
                 qPrintable(watcher.messageBoxes().first().informative));
        if (answer == QStringLiteral("发送")) {
            QCOMPARE(tx->count(QStringLiteral("I")), 1);
            return;
        }
        QCOMPARE(tx->count(QStringLiteral("S")), 0);
        QCOMPARE(differingMembers(params(), shown), QStringList());
        QVERIFY(marked("spinBox_sub2"));
    }

    // A file that lacks frames takes the rest from the transmitter, and is
    // refused while the transmitter's set-up is unknown.
    void damagedFileLoad_data()
    {
        QTest::addColumn<bool>("transmitterKnown");
        QTest::newRow("transmitter read") << true;
        QTest::newRow("transmitter silent") << false;
    }
    void damagedFileLoad()
    {
        QFETCH(bool, transmitterKnown);
        if (transmitterKnown) {
            transmitterThere();
            read();
        }
        ParameterSet fromFile;
        fromFile.Sub1 = -40;
        const QString path = dir.filePath(QStringLiteral("cut.dat"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(parameterFileBytes(fromFile).left(2 * 81)); // S and G only
        file.close();
        ModalWatcher watcher;
        watcher.setFileDialogAnswer(path);

        run(QStringLiteral("toolButton_Load"));

        QVERIFY2(status().contains(QStringLiteral("文件缺少帧 H, I")), qPrintable(status()));
        if (!transmitterKnown) {
            QTRY_COMPARE(watcher.messageBoxes().size(), 1);
            QCOMPARE(watcher.messageBoxes().first().title, QStringLiteral("错误"));
            QCOMPARE(tx->count(QStringLiteral("S")), 0);
            return;
        }
        QTRY_COMPARE(tx->count(QStringLiteral("I")), 1);
        QCOMPARE(decodedFrame(tx->messagesOfKind(QStringLiteral("S")).first(), FrameKind::S).Sub1, -40);
        QCOMPARE(decodedFrame(tx->messagesOfKind(QStringLiteral("H")).first(), FrameKind::H).ThCure1, 40);
    }

    // Closing during a send asks first; the send is finished or the pilot is
    // told what abandoning it means.
    void closingDuringASend_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("framesSent");
        QTest::addColumn<bool>("closes");
        QTest::newRow("finish first") << "发送完再关闭" << 4 << true;
        QTest::newRow("abandon") << "放弃并关闭" << 1 << true;
        QTest::newRow("stay") << "不关闭" << 4 << false;
    }
    void closingDuringASend()
    {
        QFETCH(QString, answer);
        QFETCH(int, framesSent);
        QFETCH(bool, closes);
        w->setPacing(Protocol::Pacing());
        w->show();
        ModalWatcher watcher;
        watcher.setMessageBoxAnswer(answer);
        onArrival(*tx, QStringLiteral("S"), this, [this] { QTimer::singleShot(0, w.get(), &QWidget::close); });
        // Closed again while the send is being finished: nothing more is asked.
        bool shownAtLastFrame = false;
        if (answer == QStringLiteral("发送完再关闭")) {
            onArrival(*tx, QStringLiteral("H"), this, [this] { QTimer::singleShot(0, w.get(), &QWidget::close); });
            onArrival(*tx, QStringLiteral("I"), this, [&] { shownAtLastFrame = w->isVisible(); });
        }

        run(QStringLiteral("toolButton_Send"));

        QCOMPARE(watcher.messageBoxes().size(), 1);
        if (answer == QStringLiteral("发送完再关闭"))
            QVERIFY(shownAtLastFrame); // the window goes only once the send is done
        QTRY_COMPARE(w->isVisible(), !closes);
        QTest::qWait(1000); // nothing more follows
        QCOMPARE(tx->count(QStringLiteral("S")) + tx->count(QStringLiteral("G")) + tx->count(QStringLiteral("H"))
                         + tx->count(QStringLiteral("I")),
                 framesSent);
        QCOMPARE(tx->count(QStringLiteral("WWW")) > 0, framesSent == 4);
        // Finished before closing: the goodbye follows the send.
        QCOMPARE(tx->count(QStringLiteral("DIS")), answer == QStringLiteral("发送完再关闭") ? 1 : 0);
        if (answer == QStringLiteral("放弃并关闭"))
            QVERIFY2(status().contains(QStringLiteral("写入中断 1/4")), qPrintable(status()));
    }

    // Pictures for the documentation (KELVO_SHOTS=<directory>): the three
    // outcomes of a read-back and the change list, in both languages.
    void pictures_data() { addLanguageRows(); }
    void pictures()
    {
        QFETCH(QString, language);
        const QString out = qEnvironmentVariable("KELVO_SHOTS");
        if (out.isEmpty())
            QSKIP("set KELVO_SHOTS to a directory to take the pictures");
        const auto statusShot = [&](const QString &name) {
            QTest::qWait(300);
            QVERIFY(w->grab(QRect(600, 0, 500, 170)).save(QStringLiteral("%1/%2-%3.png").arg(out, name, language)));
        };
        // A window in the language, on a transmitter that was read.
        const auto freshWindow = [&] {
            rig.stop();
            QVERIFY(rig.start(language));
            QVERIFY(rig.openPort());
            w->show();
            transmitterThere();
            read();
        };
        freshWindow();
        int value = 50;
        for (const QString &outcome : {QStringLiteral("verified"), QStringLiteral("verify-failed"), QStringLiteral("silent")}) {
            if (outcome == QLatin1String("verify-failed"))
                tx->ignoreFrame(QStringLiteral("H"));
            if (outcome == QLatin1String("silent"))
                tx->goSilentAfterFrames(8 + 1);
            edit("spinBox_THCURE_Data01", value += 5);
            run(QStringLiteral("toolButton_Send"));
            statusShot(QStringLiteral("status-") + outcome);
        }

        freshWindow();
        ModalWatcher watcher;
        watcher.setMessageBoxAnswer(language == QLatin1String("en") ? QStringLiteral("Cancel") : QStringLiteral("取消"));
        connect(&watcher, &ModalWatcher::messageBoxClosed, this, [&] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->grab().save(QStringLiteral("%1/change-list-%2.png").arg(out, language));
        });
        run(QStringLiteral("toolButton_Reset"));
        QCOMPARE(watcher.messageBoxes().size(), 1);
    }
};

QTEST_MAIN(TestSafeWrites)
#include "tst_safewrites.moc"

// Writes that are safe, against a transmitter on a pseudo-terminal: a
// set-up not yet known is read and backed up before a command replaces it,
// what will change is shown first, every send is read back, one command
// runs at a time, and closing the window never leaves a send half done
// without a word.
#include "link/parameterblocks.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMessageBox>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

#include <algorithm>
#include <cmath>

#include "app/mainwindow.h"
#include "files/backups.h"
#include "files/parameterfile.h"
#include "link/framecodec.h"
#include "link/transmitterrecord.h"
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

// The settings of the last frames of each kind the transmitter received.
ParameterSet decodedSend(const FakeTransmitter &tx)
{
    ParameterSet p;
    const std::pair<FrameKind, const char *> kinds[] = {
        {FrameKind::S, "S"}, {FrameKind::G, "G"}, {FrameKind::H, "H"}, {FrameKind::I, "I"}};
    for (const auto &[kind, letter] : kinds) {
        const QVector<TransmitterMessage> frames = tx.messagesOfKind(QString::fromLatin1(letter));
        if (!frames.isEmpty())
            decodeFrameFields(kind, QString::fromLatin1(frames.last().bytes), 0, p);
    }
    return p;
}

void setValue(ParameterSet &p, const Setting &s, double value)
{
    if (s.volts)
        p.*s.volts = value;
    else
        s.member.of(p) = int(value);
}

double valueOf(const ParameterSet &p, const Setting &s)
{
    return s.volts ? p.*s.volts : s.member.of(p);
}

// A value each setting may hold that its editor cannot show: beyond a combo
// box's items, or a spin box's range, yet within what the setting accepts
// and what a parameter file carries.
struct BeyondEditor
{
    const Setting *setting;
    double value;
};

QVector<BeyondEditor> valuesBeyondEditors(const MainForm &form)
{
    QVector<BeyondEditor> out;
    for (const Setting &s : settings()) {
        QWidget *editor = s.editor.isEmpty() ? nullptr : form.widget(s.editor);
        if (!editor || !s.checked)
            continue;
        double min = 0, max = 0;
        if (auto *box = qobject_cast<QComboBox *>(editor))
            max = box->count() - 1;
        else if (auto *spin = qobject_cast<QSpinBox *>(editor))
            min = spin->minimum(), max = spin->maximum();
        else if (auto *volts = qobject_cast<QDoubleSpinBox *>(editor))
            min = volts->minimum(), max = volts->maximum();
        double value = 0;
        if (s.validMin < min)
            value = std::floor((s.validMin + min) / 2);
        else if (s.validMax > max)
            value = std::ceil((s.validMax + max) / 2);
        else
            continue;
        ParameterSet p;
        setValue(p, s, value);
        ParameterSet carried;
        decodeParameterFile(QString::fromLatin1(parameterFileBytes(p)), carried);
        if (valueOf(carried, s) == value)
            out.append({&s, value});
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
    int edited(const char *editor) const { return w->form()->find<QSpinBox>(QString::fromLatin1(editor))->value(); }
    // A transmitter that streams, answers Reads and keeps what is written.
    void transmitterThere(const ParameterSet &remote = remoteSet())
    {
        tx->setConfiguration(remote);
        tx->storeWrittenFrames(true);
        tx->answerReads(true);
        tx->startLiveStream(20);
        QVERIFY(waitForStream(*w));
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
        const ParameterSet shown = w->params();
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
        QCOMPARE(differingMembers(w->params(), shown), QStringList());
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

        // Named by the pages the pilot knows, in the tabs' order.
        QVERIFY2(status().contains(QStringLiteral("文件缺少 高级菜单1、高级菜单2、混控设置、系统设置 的设置（帧 H, I）")),
                 qPrintable(status()));
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
        // Finished first or abandoned, the port is closed with a goodbye.
        QCOMPARE(tx->count(QStringLiteral("DIS")), closes ? 1 : 0);
        QCOMPARE(w->port().isOpen(), !closes);
        if (answer == QStringLiteral("放弃并关闭"))
            QVERIFY2(status().contains(QStringLiteral("写入中断 1/4")), qPrintable(status()));
    }

    // A value beyond what its editor offers stays in the set-up: Read then
    // Write sends it unchanged, Save keeps it, Load sends it unchanged, and
    // the editor shows it for what it is.
    void valuesBeyondEditorsStay()
    {
        const QVector<BeyondEditor> beyond = valuesBeyondEditors(*w->form());
        QVERIFY(beyond.size() >= 8);
        ParameterSet held = remoteSet();
        for (const BeyondEditor &b : beyond)
            setValue(held, *b.setting, b.value);
        transmitterThere(held);
        read();
        QTest::qWait(250); // refresh passes
        QVERIFY2(!status().contains(QStringLiteral("未写入")), qPrintable(status()));
        QCOMPARE(w->form()->find<QComboBox>(QStringLiteral("comboBox_AttiM"))->currentText(),
                 QStringLiteral("5（遥控器中的值）"));
        QVERIFY(w->form()->find<QSpinBox>(QStringLiteral("spinBox_Mode"))->text().startsWith(QLatin1Char('<')));

        run(QStringLiteral("toolButton_Send"));
        QVERIFY2(status().contains(QStringLiteral("已写入并核对")), qPrintable(status()));
        const ParameterSet written = decodedSend(*tx);

        ModalWatcher watcher;
        const QString saved = dir.filePath(QStringLiteral("held.dat"));
        watcher.setFileDialogAnswer(saved);
        run(QStringLiteral("toolButton_Save"));
        const ParameterSet inFile = fileSettings(saved);

        ParameterSet fromFile = held;
        restoreFactoryFirst(fromFile); // a transmitter that holds other values
        tx->setConfiguration(fromFile);
        for (const BeyondEditor &b : beyond)
            setValue(fromFile, *b.setting, b.value);
        watcher.setFileDialogAnswer(loadableFile(fromFile));
        watcher.setMessageBoxAnswer(QStringLiteral("发送"));
        run(QStringLiteral("toolButton_Load"));
        const ParameterSet loaded = decodedSend(*tx);

        QStringList wrong;
        for (const BeyondEditor &b : beyond) {
            const bool readBack = isReadBack(*b.setting);
            const bool kept = !readBack || valueOf(written, *b.setting) == b.value;
            const bool savedKept = !readBack || valueOf(inFile, *b.setting) == b.value;
            const bool sent = valueOf(loaded, *b.setting) == b.value;
            qInfo("%-12s %6g  read+write %s  save %s  load %s", qPrintable(b.setting->key), b.value,
                  readBack ? (kept ? "kept" : "CHANGED") : "not read", savedKept ? "kept" : "CHANGED",
                  sent ? "kept" : "CHANGED");
            if (!kept || !savedKept || !sent)
                wrong.append(b.setting->key);
        }
        QCOMPARE(wrong, QStringList());
    }

    // A file loaded while the port is closed is the window's set-up: a
    // later Write reads the transmitter first for the backup, then sends the
    // file, which the read-back finds in the transmitter.
    void fileLoadedUnsentIsWritten()
    {
        QVERIFY(QMetaObject::invokeMethod(w.get(), "on_openButton_clicked"));
        QVERIFY(!w->port().isOpen());
        ParameterSet plane;
        plane.Sub1 = -40;
        plane.ThCure1 = 12;
        plane.Mode = 3;
        ModalWatcher watcher;
        watcher.setFileDialogAnswer(loadableFile(plane));
        run(QStringLiteral("toolButton_Load"));
        QVERIFY2(status().contains(QStringLiteral("已加载 plane.dat")), qPrintable(status()));

        QVERIFY(rig.openPort());
        transmitterThere();
        run(QStringLiteral("toolButton_Send"));

        QVERIFY(indexOf(QStringLiteral("RR")) < indexOf(QStringLiteral("S")));
        QVERIFY2(status().contains(QStringLiteral("已写入并核对")), qPrintable(status()));
        QCOMPARE(differingReadBack(decodedSend(*tx), plane), QStringList());
    }

    // Blocks that come after the Read before a Write has ended do not put
    // back what the pilot changed, while its question is open either.
    void lateBlocksKeepTheEdit()
    {
        transmitterThere();
        edit("spinBox_sub1", 20);
        tx->setBlockGap(1100); // longer than the tool waits for the next block
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || tx->replyBlocksSent() < 3)
                return;
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == QStringLiteral("仍然写入"))
                    button->click();
            }
        });
        answer.start(50);

        run(QStringLiteral("toolButton_Send"));

        QCOMPARE(decodedFrame(tx->messagesOfKind(QStringLiteral("S")).first(), FrameKind::S).Sub1, 20);
        QVERIFY2(status().contains(QStringLiteral("未采用")), qPrintable(status()));
    }

    // Work the transmitter does not hold is not dropped without a word: a
    // Read asks first, and the marks outlast closing and opening the port.
    void unwrittenWorkIsKept_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("reads");
        QTest::newRow("read cancelled") << "取消" << false;
        QTest::newRow("unanswered") << "-" << false;
        QTest::newRow("read and replace") << "读取并替换" << true;
    }
    void unwrittenWorkIsKept()
    {
        QFETCH(QString, answer);
        QFETCH(bool, reads);
        transmitterThere();
        read();
        tx->ignoreFrame(QStringLiteral("S"));
        edit("spinBox_sub2", 33);
        run(QStringLiteral("toolButton_Send"));
        QVERIFY2(status().contains(QStringLiteral("核对不符")), qPrintable(status()));
        QVERIFY(QMetaObject::invokeMethod(w.get(), "on_openButton_clicked"));
        QVERIFY(rig.openPort());
        QTRY_VERIFY(marked("spinBox_sub2"));

        ModalWatcher watcher;
        watcher.setMessageBoxAnswer(answer);
        const int requests = tx->count(QStringLiteral("RR"));
        run(QStringLiteral("toolButton_Read"));
        QCOMPARE(watcher.messageBoxes().size(), 1);
        QVERIFY(watcher.messageBoxes().first().text.contains(QStringLiteral("1 项更改尚未写入")));
        QCOMPARE(tx->count(QStringLiteral("RR")) > requests, reads);
        QCOMPARE(edited("spinBox_sub2"), reads ? 30 : 33);
    }

    // Closing with unwritten work asks; the default keeps the window.
    void closingWithUnwrittenWork_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saves");
        QTest::newRow("unanswered") << "-" << false << false;
        QTest::newRow("cancel") << "取消" << false << false;
        QTest::newRow("close") << "不写入，关闭" << true << false;
        QTest::newRow("save first") << "先保存到文件…" << true << true;
    }
    void closingWithUnwrittenWork()
    {
        QFETCH(QString, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saves);
        transmitterThere();
        read();
        edit("spinBox_sub2", 33);
        w->show();
        ModalWatcher watcher;
        watcher.setMessageBoxAnswer(answer);
        const QString path = dir.filePath(QStringLiteral("kept.dat"));
        QFile::remove(path);
        watcher.setFileDialogAnswer(path);

        QCOMPARE(w->close(), closes);

        QCOMPARE(watcher.messageBoxes().size(), 1);
        QCOMPARE(w->isVisible(), !closes);
        QCOMPARE(QFile::exists(path), saves);
        if (saves)
            QCOMPARE(fileSettings(path).Sub2, 33);
        QCOMPARE(tx->count(QStringLiteral("S")), 0);
    }

    // A language switch says again at once what the status line said after
    // each command: the outcome, its backup and the tooltip, in one language
    // both ways, the English whole, its first letter included
    // (KELVO_SHOTS=<directory> keeps a picture of each).
    void outcomesFollowALanguageSwitch_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::newRow("read") << "toolButton_Read" << false << "已读取 19/19" << "Read 19/19";
        QTest::newRow("write") << "toolButton_Send" << false << "已写入并核对" << "Written and verified";
        QTest::newRow("factory reset") << "toolButton_Reset" << false << "已恢复出厂设置并核对"
                                       << "Factory reset, verified";
        QTest::newRow("reset data") << "pushButton_Reset2" << false << "已重置数据并核对" << "Data reset, verified";
        QTest::newRow("no answer") << "toolButton_Send" << true << "未确认：遥控器无应答" << "Unconfirmed: no answer";
    }
    void outcomesFollowALanguageSwitch()
    {
        QFETCH(QString, button);
        QFETCH(bool, silent);
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        const auto han = [](const QString &text) {
            return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x3000; });
        };
        const auto *label = w->findChild<QLabel *>(QStringLiteral("statusLabel"));
        const auto firstLine = [label] { return label->text().section(QLatin1Char('\n'), 0, 0); };
        const QString shots = qEnvironmentVariable("KELVO_SHOTS");
        const auto shot = [&](const QString &language) {
            const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
            if (!shots.isEmpty())
                QVERIFY(w->grab(QRect(600, 0, 500, 170)).save(QStringLiteral("%1/switched-%2-%3.png").arg(shots, name, language)));
        };
        transmitterThere();
        read();
        w->show();
        ModalWatcher watcher;
        watcher.setMessageBoxAnswer(QStringLiteral("发送"));
        if (silent)
            tx->goSilentAfterFrames(4);
        run(button);
        QVERIFY2(firstLine().startsWith(chinese), qPrintable(status()));

        w->switchLanguage(QStringLiteral("en"));
        QVERIFY2(firstLine().startsWith(english) && !han(status()), qPrintable(status()));
        if (button == QLatin1String("toolButton_Send") && !silent)
            QVERIFY2(status().contains(QStringLiteral("Backed up")), qPrintable(status()));
        // A framed label indents its text by half an "x" on the aligned side.
        const QFontMetrics metrics(label->font());
        QVERIFY(metrics.horizontalAdvance(firstLine()) <= label->contentsRect().width() - metrics.horizontalAdvance('x') / 2);
        shot(QStringLiteral("en"));

        w->switchLanguage(QStringLiteral("zh"));
        QVERIFY2(firstLine().startsWith(chinese), qPrintable(status()));
        QVERIFY2(!status().contains(english) && !status().contains(QStringLiteral("Backed")), qPrintable(status()));
        shot(QStringLiteral("zh"));
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

        // Values the editors cannot show, as held, then the two questions
        // that keep unwritten work: before a Read, and before closing.
        ParameterSet held = remoteSet();
        held.AttiM = 5;
        held.Mode = 0;
        held.Prm3Data2 = -50;
        transmitterThere(held);
        read();
        QTest::qWait(300);
        for (const char *page : {"tab_3", "tab_5", "tab_6"}) {
            w->form()->tabWidget->setCurrentWidget(w->form()->widget(QLatin1String(page)));
            QTest::qWait(200);
            QVERIFY(w->grab().save(QStringLiteral("%1/held-%2-%3.png").arg(out, QLatin1String(page), language)));
        }
        QString shot;
        disconnect(&watcher, nullptr, this, nullptr);
        connect(&watcher, &ModalWatcher::messageBoxClosed, this, [&] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->grab().save(QStringLiteral("%1/%2-%3.png").arg(out, shot, language));
        });
        edit("spinBox_sub2", 33);
        shot = QStringLiteral("question-read");
        run(QStringLiteral("toolButton_Read"));
        shot = QStringLiteral("question-close");
        w->close();
        QCOMPARE(watcher.messageBoxes().size(), 3);
    }
};

QTEST_MAIN(TestSafeWrites)
#include "tst_safewrites.moc"

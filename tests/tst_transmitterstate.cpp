// What the tool knows the transmitter holds: Read completeness, unwritten
// marks, the check of a Write by a Read, and the backups taken before a send,
// against a transmitter on a pseudo-terminal.
#include "link/parameterblocks.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QUndoStack>
#include <QStandardPaths>
#include <QTest>

#include "app/edithistory.h"
#include "app/mainwindow.h"
#include "app/statuspresenter.h"
#include "files/backups.h"
#include "files/parameterfile.h"
#include "link/transmitterrecord.h"
#include "model/defaults.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "support/appstate.h"
#include "support/fakeportrig.h"
#include "support/modalwatcher.h"
#include "ui/folderpathdialog.h"
#include "ui/mainform.h"
#include "ui/settingbinder.h"
#include "ui/unwrittenmark.h"

QList<QAccessible::Event> g_events;
QObject *g_watched = nullptr;
void recordEvent(QAccessibleEvent *event)
{
    if (event->object() == g_watched)
        g_events.append(event->type());
}

// Takes the place of the desktop's file manager.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

class TestTransmitterState : public QObject
{
    Q_OBJECT

private:
    FakePortRig rig;
    std::unique_ptr<FakeTransmitter> &tx = rig.tx;
    std::unique_ptr<MainWindow> &w = rig.w;

    QLabel *statusLabel() const { return w->findChild<QLabel *>(QStringLiteral("statusLabel")); }
    QString status() const { return statusLabel() ? statusLabel()->toolTip() : QString(); }
    QString shownLines() const { return statusLabel()->text(); }
    QSpinBox *sub1() const { return w->form()->find<QSpinBox>(QStringLiteral("spinBox_sub1")); }
    QStringList marked() const
    {
        QStringList out;
        for (const QString &name : settingEditors()) {
            if (isUnwritten(w->form()->widget(name)))
                out.append(name);
        }
        return out;
    }

    // Reads remote; where unwritten edits make the Read ask first, the
    // pilot lets them go (readQuestions counts the questions).
    int readQuestions = 0;
    void read(const ParameterSet &remote)
    {
        ModalWatcher watcher;
        watcher.setMessageBoxAnswer(QStringLiteral("读取并替换"));
        connect(&watcher, &ModalWatcher::messageBoxClosed, this, [this] { ++readQuestions; });
        tx->setConfiguration(remote);
        tx->answerReads(true);
        const int requests = tx->count(QStringLiteral("RR"));
        clickLater(*w, QStringLiteral("toolButton_Read"));
        QTRY_VERIFY_WITH_TIMEOUT(tx->count(QStringLiteral("RR")) > requests && tx->replyBlocksSent() == 19
                                     && !tx->replyInProgress(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);
        QTest::qWait(200); // the last block's refresh
    }
    // The settings the user can edit that differ from remote.
    QStringList differing(const ParameterSet &remote) const
    {
        QStringList out;
        for (const Setting *s : differingSettings(w->params(), remote)) {
            if (settingIsEditable(*s))
                out.append(s->key);
        }
        return out;
    }
    void keys(const char *sequence)
    {
        QTest::keySequence(w.get(), QKeySequence(QString::fromLatin1(sequence)));
        QTest::qWait(150); // a refresh pass, where the marks are set
    }
    QUndoStack *history() const { return w->editHistory(); }
    QAction *menuAction(int index) const
    {
        QList<QAction *> actions;
        for (QAction *a : w->statusMenu()->actions()) {
            if (!a->isSeparator())
                actions.append(a);
        }
        return actions.value(index);
    }

    void press(const char *button)
    {
        const int before = tx->count(QStringLiteral("WWW"));
        clickLater(*w, QString::fromLatin1(button));
        QTRY_VERIFY_WITH_TIMEOUT(!tx->messagesOfKind(QStringLiteral("I")).isEmpty()
                                     && tx->count(QStringLiteral("WWW")) > before, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);
    }

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

    void replyIsCountedByDistinctBlocks_data()
    {
        QTest::addColumn<QVector<int>>("sent");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("stale");
        QVector<int> all;
        for (int b = 1; b <= 19; ++b)
            all << b;
        QTest::newRow("complete") << all << "已读取 19/19" << false;
        QTest::newRow("first eight") << all.mid(0, 8) << "读取不完整 8/19" << true;
        QTest::newRow("a block twice") << (all.mid(0, 6) << 3 << 8) << "读取不完整 7/19" << true;
        // With nothing after it, the aux block may as well be the head of
        // block 17: it is not counted.
        QTest::newRow("ends with the aux block") << all.mid(0, 7) << "读取不完整 6/19" << true;
        QTest::newRow("no answer") << QVector<int>() << "未收到参数 0/19" << true;
    }
    void replyIsCountedByDistinctBlocks()
    {
        QFETCH(QVector<int>, sent);
        QFETCH(QString, shown);
        QFETCH(bool, stale);
        const QVector<QByteArray> blocks = encodeParameterBlocks(ParameterSet());
        QVector<QByteArray> reply;
        for (int b : sent)
            reply << blocks.at(b - 1);
        tx->setReadReply(reply);
        tx->answerReads(!reply.isEmpty());
        clickLater(*w, QStringLiteral("toolButton_Read"));
        QTRY_VERIFY_WITH_TIMEOUT(status().contains(shown), 10000);
        // The pages the missing blocks belong to are named.
        QCOMPARE(status().contains(QStringLiteral("高级菜单2")), stale);
    }

    void marksFollowWhatTheTransmitterHolds()
    {
        // Nothing known yet: an edit marks nothing. A Read that would drop
        // it asks first.
        readQuestions = 0;
        sub1()->setValue(5);
        QTest::qWait(250);
        QCOMPARE(marked(), QStringList());

        ParameterSet remote;
        remote.Sub1 = -30;
        read(remote);
        QCOMPARE(readQuestions, 1);
        QTRY_COMPARE(marked(), QStringList());
        sub1()->setValue(20);
        QTRY_COMPARE(marked(), QStringList{QStringLiteral("spinBox_sub1")});
        QVERIFY(status().contains(QStringLiteral("未写入 1 项")));

        // A Read that brings back the transmitter's value clears the mark.
        read(remote);
        QCOMPARE(readQuestions, 2);
        QCOMPARE(sub1()->value(), -30);
        QTRY_COMPARE(marked(), QStringList());

        // The dual-rate boxes are compared through the entry they show.
        w->form()->find<QSpinBox>(QStringLiteral("spinBox_DR_UP1"))->setValue(55);
        QTRY_VERIFY(marked().contains(QStringLiteral("spinBox_DR_UP1")));
        QVERIFY(status().contains(QStringLiteral("未写入 1 项")));

        press("toolButton_Send");
        QTRY_COMPARE(marked(), QStringList());
    }

    // One edit per row, taken back and brought again by the keys; the
    // ParameterSet, the marks and the values the curves draw follow.
    void editsAreUndoneAndRedone_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("alsoOn"); // another page that shows the setting
        QTest::newRow("spin box") << "spinBox_FS4" << 12 << "FS4" << "";
        QTest::newRow("combo box") << "comboBox_rev2" << 1 << "Rev2" << "";
        QTest::newRow("voltage") << "doubleSpinBox_Volt" << 81 << "TxVolt" << "";
        // On channel CH2 the rate box edits DrRateUp1; the curve page shows it too.
        QTest::newRow("dual rate routed by channel") << "spinBox_DR_UP1" << 40 << "DrRateUp1" << "tab_4";
    }
    void editsAreUndoneAndRedone()
    {
        QFETCH(QString, editor);
        QFETCH(int, value);
        QFETCH(QString, key);
        QFETCH(QString, alsoOn);
        // The curve page's channel selector, chosen before the Read.
        w->form()->find<QComboBox>(QStringLiteral("comboBox_DR_CH2"))->setCurrentIndex(1);
        ParameterSet remote;
        remote.DrRateUp[1] = 30;
        read(remote);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        const ParameterSet wasRead = w->params();
        QCOMPARE(history()->count(), 0);
        QWidget *box = w->form()->widget(editor);
        if (auto *spin = qobject_cast<QSpinBox *>(box))
            spin->setValue(value);
        else if (auto *volts = qobject_cast<QDoubleSpinBox *>(box))
            volts->setValue(value / 10.0);
        else
            qobject_cast<QComboBox *>(box)->setCurrentIndex(value);
        // (The rate box of the curve page shows the same entry and is marked too.)
        QTRY_VERIFY(marked().contains(editor));
        QCOMPARE(differing(wasRead), QStringList{key});
        const ParameterSet edited = w->params();
        QCOMPARE(history()->count(), 1);

        // Undone from the monitor, the editor's page comes up with it
        // focused; redone from another page that shows it, that page stays.
        QTabWidget *tabs = w->form()->tabWidget;
        tabs->setCurrentWidget(w->form()->widget(QStringLiteral("tab")));
        keys("Ctrl+Z");
        QWidget *page = tabs->currentWidget();
        QVERIFY(page->isAncestorOf(box));
        QTRY_VERIFY(box->hasFocus());
        QCOMPARE(differing(wasRead), QStringList());
        QCOMPARE(marked(), QStringList());
        QCOMPARE(w->params().DrRateShown, wasRead.DrRateShown);
        if (!alsoOn.isEmpty())
            tabs->setCurrentWidget(page = w->form()->widget(alsoOn));
        keys("Ctrl+Shift+Z");
        QCOMPARE(tabs->currentWidget(), page);
        QCOMPARE(differing(edited), QStringList());
        QVERIFY(marked().contains(editor));
        QCOMPARE(w->params().DrRateShown, edited.DrRateShown);
        // Read starts a new history.
        read(remote);
        QCOMPARE(history()->count(), 0);
    }

    // After a complete Read: a held arrow is one step, a second editor
    // another; two undos bring back what was read, two redos both edits.
    // Revert puts every unwritten edit back at once, and is a step itself.
    void historyAfterAReadAndRevert()
    {
        ParameterSet remote;
        remote.Sub2 = 10;
        remote.Lepa3 = 90;
        read(remote);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        const ParameterSet wasRead = w->params();

        // The status line is announced when it changes (here: one unwritten).
        g_watched = statusLabel();
        g_events.clear();
        QAccessible::installUpdateHandler(recordEvent);
        QAccessible::setActive(true);

        QSpinBox *sub2 = w->form()->find<QSpinBox>(QStringLiteral("spinBox_sub2"));
        sub2->setFocus();
        // Up and down again at once leaves no step.
        QTest::keyClick(sub2, Qt::Key_Up);
        QTest::keyClick(sub2, Qt::Key_Down);
        QCOMPARE(history()->count(), 0);
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(sub2, Qt::Key_Up);
        QCOMPARE(w->params().Sub2, 16);
        w->form()->find<QSpinBox>(QStringLiteral("spinBox_Lepa3"))->setValue(70);
        QCOMPARE(history()->count(), 2);
        QTRY_COMPARE(marked(), (QStringList{QStringLiteral("spinBox_sub2"), QStringLiteral("spinBox_Lepa3")}));
        // Their page's tab carries the mark beside its title, and no other.
        QTabWidget *tabs = w->form()->tabWidget;
        const int basics = tabs->indexOf(w->form()->widget(QStringLiteral("tab_2")));
        const auto markedTabs = [tabs] {
            QVector<int> out;
            for (int i = 0; i < tabs->count(); ++i) {
                if (pageMarkedUnwritten(tabs, i))
                    out.append(i);
            }
            return out;
        };
        QCOMPARE(markedTabs(), QVector<int>{basics});
        QCOMPARE(tabs->tabText(basics), QStringLiteral("基础菜单"));
        QCOMPARE(tabs->tabBar()->tabToolTip(basics), QStringLiteral("此页有未写入的修改"));
        w->switchLanguage(QStringLiteral("en"));
        QCOMPARE(tabs->tabBar()->tabToolTip(basics), QStringLiteral("This page has unwritten changes"));
        w->switchLanguage(QStringLiteral("zh"));
        QSettings().remove(QStringLiteral("language"));
        // Only where the platform has accessibility (not offscreen).
        if (QAccessible::isActive())
            QVERIFY(g_events.contains(QAccessible::NameChanged));
        QAccessible::installUpdateHandler(nullptr);
        QAccessible::setActive(false);

        // The keys work with the focus inside a spin box as well. Each undo
        // and redo brings its page and editor into view.
        QSpinBox *lepa3 = w->form()->find<QSpinBox>(QStringLiteral("spinBox_Lepa3"));
        QWidget *system = w->form()->widget(QStringLiteral("tab_6"));
        tabs->setCurrentWidget(system);
        QTest::keySequence(sub2, QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(tabs->currentIndex(), basics);
        QTRY_VERIFY(lepa3->hasFocus());
        QCOMPARE(markedTabs(), QVector<int>{basics});
        tabs->setCurrentWidget(system);
        keys("Ctrl+Z");
        QCOMPARE(tabs->currentIndex(), basics);
        QTRY_VERIFY(sub2->hasFocus());
        QCOMPARE(differing(wasRead), QStringList());
        QCOMPARE(marked(), QStringList());
        QCOMPARE(markedTabs(), QVector<int>());
        QCOMPARE(tabs->tabBar()->tabToolTip(basics), QString());
        tabs->setCurrentWidget(system);
        keys("Ctrl+Shift+Z");
        QCOMPARE(tabs->currentIndex(), basics);
        keys("Ctrl+Shift+Z");
        QTRY_VERIFY(lepa3->hasFocus());
        QCOMPARE(w->params().Sub2, 16);
        QCOMPARE(w->params().Lepa3, 70);
        QCOMPARE(marked().size(), 2);
        QCOMPARE(markedTabs(), QVector<int>{basics});

        // The status line's menu: undo, redo, revert, backup folder, with keys.
        QVERIFY(QMetaObject::invokeMethod(statusLabel(), "customContextMenuRequested", Q_ARG(QPoint, QPoint(5, 5))));
        QTRY_VERIFY(w->statusMenu()->isVisible());
        QCOMPARE(menuAction(0)->shortcut(), QKeySequence(QKeySequence::Undo));
        QVERIFY(menuAction(1)->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Shift+Z"))));
        QVERIFY(menuAction(2)->isEnabled());
        w->statusMenu()->hide();
        menuAction(2)->trigger();
        QCOMPARE(differing(wasRead), QStringList());
        QTRY_COMPARE(marked(), QStringList());
        QCOMPARE(history()->count(), 3);
        keys("Ctrl+Z");
        QCOMPARE(w->params().Lepa3, 70);

        // The backup folder opens through the desktop.
        UrlCatcher opener;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "open");
        menuAction(3)->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(opener.urls, QList<QUrl>{QUrl::fromLocalFile(Backups::defaultDirectory())});

        // Where nothing opens it, its path is shown, to copy.
        w->setUrlOpener([](const QUrl &) { return false; });
        menuAction(3)->trigger();
        auto *where = w->findChild<FolderPathDialog *>();
        QVERIFY(where && where->isVisible());
        const QString folder = QDir::toNativeSeparators(QDir(Backups::defaultDirectory()).absolutePath());
        QCOMPARE(where->pathField()->text(), folder);
        QCOMPARE(where->pathField()->selectedText(), folder);
        where->copyButton()->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), folder);
        QCOMPARE(where->copyButton()->text(), QStringLiteral("已复制"));
        QTRY_COMPARE_WITH_TIMEOUT(where->copyButton()->text(), QStringLiteral("复制路径"), 2 * FolderPathDialog::kCopiedMs);
        menuAction(3)->trigger(); // asked again: the same one
        QCOMPARE(w->findChildren<FolderPathDialog *>().size(), 1);
    }

    void readAfterWriteConfirmsIt_data()
    {
        QTest::addColumn<bool>("dropSub1");
        QTest::addColumn<QString>("shown");
        QTest::newRow("stored everything") << false << "与写入一致";
        QTest::newRow("changed the sub-trim of CH1") << true << "中点微调 CH1";
    }
    void readAfterWriteConfirmsIt()
    {
        QFETCH(bool, dropSub1);
        QFETCH(QString, shown);
        sub1()->setValue(42);
        press("toolButton_Send");
        ParameterSet stored = w->params();
        if (dropSub1)
            stored.Sub1 = 0;
        read(stored);
        QTRY_VERIFY_WITH_TIMEOUT(status().contains(shown), 5000);
        if (dropSub1)
            QVERIFY(status().contains(QStringLiteral("基础菜单 / 中点微调 / CH1")));
    }

    // The port closes (and opens again) while a command sends: it is not
    // done, nothing more of it goes out, and what the transmitter holds is
    // uncertain until a Read tells.
    void aSendCutByTheClosingPortIsNotDone_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("reopen");
        QTest::addColumn<QString>("shown"); // %1: frames that went out
        QTest::newRow("Write") << "toolButton_Send" << true << "写入中断 %1/4";
        QTest::newRow("Write, port left closed") << "toolButton_Send" << false << "写入中断 %1/4";
        QTest::newRow("Factory reset") << "toolButton_Reset" << true << "写入中断 %1/4";
        QTest::newRow("Reset data") << "pushButton_Reset2" << true << "写入中断 %1/4";
        QTest::newRow("Load") << "toolButton_Load" << true << "已加载 cut.dat · 写入中断 %1/4";
        QTest::newRow("Save") << "toolButton_Save" << true << "已保存 cut.dat · 写入中断 %1/4";
    }
    void aSendCutByTheClosingPortIsNotDone()
    {
        QFETCH(QString, button);
        QFETCH(bool, reopen);
        QFETCH(QString, shown);
        ParameterSet remote;
        remote.Sub1 = -30;
        read(remote);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cut.dat"));
        ParameterSet edited = w->params();
        edited.Sub1 = 20;
        QVERIFY(writeParameterFile(path, parameterFileBytes(edited)));
        sub1()->setValue(20);
        QTRY_VERIFY(marked().contains(QStringLiteral("spinBox_sub1")));

        // Closed (and opened again) once the first frame has arrived.
        const int first = tx->messages().size();
        QObject scope; // ends the connection with the test
        onArrival(*tx, QStringLiteral("S"), &scope, [&] {
            QTimer::singleShot(0, &scope, [&] {
                w->form()->openButton->click();
                if (reopen) {
                    QVERIFY(w->choosePort(tx->devicePath()));
                    w->form()->openButton->click();
                }
            });
        });
        {
            ModalWatcher watcher;
            watcher.setFileDialogAnswer(path);
            clickLater(*w, button);
            QVERIFY(tx->waitForMessage(QStringLiteral("DIS"), 10000));
            QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 10000);
        }

        const int framesOut = tx->kinds().mid(first).indexOf(QStringLiteral("DIS"));
        QVERIFY2(framesOut >= 1 && framesOut < 4, qPrintable(tx->kinds().mid(first).join(QLatin1Char(' '))));
        QVERIFY(status().contains(shown.arg(framesOut)));
        QVERIFY(status().contains(QStringLiteral("设置不确定")));
        QVERIFY(marked().contains(QStringLiteral("spinBox_sub1")));
        if (!reopen)
            return;
        // The new connection got nothing of the command.
        QTRY_VERIFY(w->port().isOpen() && tx->isConnected());
        QTest::qWait(300);
        QCOMPARE(tx->kinds().mid(first + framesOut + 1), QStringList{QStringLiteral("OK")});

        // A Read that finds what was there before does not confirm the send.
        read(remote);
        QTRY_VERIFY(status().contains(QStringLiteral("与写入不同")));
        QVERIFY(!status().contains(QStringLiteral("与写入一致")));
        QVERIFY(!status().contains(QStringLiteral("设置不确定")));
    }

    void readThenResetKeepsABackup()
    {
        const QString dir = Backups::defaultDirectory();
        QDir(dir).removeRecursively();
        ParameterSet remote;
        remote.Sub3 = 77;
        remote.Lepa5 = 11;
        remote.TxVolt = 7.4;
        remote.TxVoltTenths = 74;
        read(remote);
        press("toolButton_Reset");

        const QStringList files = QDir(dir).entryList({QStringLiteral("*-before-factory-reset.dat")});
        QCOMPARE(files.size(), 1);
        QFile file(QDir(dir).filePath(files.first()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), kParameterFileLength);
        ParameterSet decoded;
        QVERIFY(decodeParameterFile(QString::fromLatin1(bytes), decoded).any());
        for (const Setting &s : settings()) {
            if (isReadBack(s))
                QVERIFY2(settingEquals(s, decoded, remote), qPrintable(s.key));
        }
        QVERIFY(status().contains(QDir(dir).filePath(files.first())));
        QCOMPARE(shownLines().section(QLatin1Char('\n'), 1), QStringLiteral("已备份（出厂设置前）"));
    }

    // Only the tool's own backups are pruned, by age on disk: a user's file
    // and the new backup survive backups whose names carry a later date.
    void pruningKeepsOtherFilesAndTheNewBackup()
    {
        QDir dir(Backups::defaultDirectory());
        dir.removeRecursively();
        QVERIFY(dir.mkpath(QStringLiteral(".")));
        const QStringList others{QStringLiteral("2024-glider-before-repair.dat"),
                                 QStringLiteral("20240101-120000-before-write.dat.bak"),
                                 QStringLiteral("20241399-120000-before-write.dat")};
        for (const QString &name : others)
            QVERIFY(writeParameterFile(dir.filePath(name), "mine"));
        const QDateTime later(QDate(2031, 1, 1), QTime(12, 0));
        for (int i = 0; i < Backups::kKept; ++i) {
            QFile f(dir.filePath(later.addSecs(i).toString(QStringLiteral("yyyyMMdd-HHmmss")) + "-before-write.dat"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(i - 3600), QFileDevice::FileModificationTime));
        }
        read(ParameterSet());
        press("toolButton_Send");

        QStringList names = dir.entryList(QDir::Files);
        // The port the new backup was read on is noted beside it, and only there.
        const QStringList ports = names.filter(QRegularExpression(QStringLiteral("\\.port$")));
        QCOMPARE(ports.size(), 1);
        for (const QString &port : ports)
            names.removeAll(port);
        for (const QString &name : others)
            QVERIFY2(names.contains(name), qPrintable(name));
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
        QCOMPARE(names.filter(QRegularExpression(QStringLiteral("^") + today + "-\\d{6}-before-write\\.dat$")).size(), 1);
        QCOMPARE(names.size(), Backups::kKept + others.size());
        // The oldest on disk went, whatever its name says.
        QVERIFY(!names.contains(QStringLiteral("20310101-120000-before-write.dat")));
    }

    // A backup that cannot be written stops the send unless the pilot
    // chooses to write anyway.
    void unwritableBackupDirectoryAsks()
    {
        read(ParameterSet());
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", "/dev/null/nowhere");
        const int frames = tx->count(QStringLiteral("S"));
        ModalWatcher watcher;
        watcher.setMessageBoxAnswer(QStringLiteral("-"));
        clickLater(*w, QStringLiteral("toolButton_Send"));
        QTRY_VERIFY(watcher.messageBoxes().size() == 1 && !w->transferRunning());
        QCOMPARE(tx->count(QStringLiteral("S")), frames);
        QVERIFY(status().contains(QStringLiteral("已取消")));
        watcher.setMessageBoxAnswer(QStringLiteral("仍然写入"));
        press("toolButton_Send");
        qputenv("XDG_DATA_HOME", saved);
        QCOMPARE(watcher.messageBoxes().size(), 2);
        QVERIFY(watcher.messageBoxes().first().text.contains(QStringLiteral("备份")));
        QCOMPARE(tx->count(QStringLiteral("S")), frames + 1);
        QVERIFY(status().contains(QStringLiteral("备份失败")));
    }

    void backupsKeepTheNewest()
    {
        QTemporaryDir dir;
        const QDateTime start(QDate(2026, 12, 7), QTime(10, 0));
        for (int i = 0; i < Backups::kKept + 3; ++i)
            QVERIFY(Backups::write(ParameterSet(), QStringLiteral("write"), start.addSecs(i), dir.path()).ok);
        // The same second twice keeps both.
        QVERIFY(Backups::write(ParameterSet(), QStringLiteral("write"), start.addSecs(500), dir.path()).ok);
        QVERIFY(Backups::write(ParameterSet(), QStringLiteral("write"), start.addSecs(500), dir.path()).ok);
        const QStringList names = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(names.size(), Backups::kKept);
        QVERIFY(!names.contains(QStringLiteral("20261207-100000-before-write.dat")));
        QVERIFY(names.contains(QStringLiteral("20261207-100820-before-write-2.dat")));

        // A name another window has just taken is never written over.
        const QString taken = dir.filePath(QStringLiteral("20261207-110000-before-load.dat"));
        QVERIFY(writeParameterFile(taken, "other window"));
        const Backups::Result next = Backups::write(ParameterSet(), QStringLiteral("load"), start.addSecs(3600), dir.path());
        QVERIFY(next.ok);
        QCOMPARE(QFileInfo(next.path).fileName(), QStringLiteral("20261207-110000-before-load-2.dat"));
        QFile other(taken);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("other window"));
    }

    // The history on its own: what the program shows is no step, a busy
    // command holds undo back, and the pilot's work over a known set-up is
    // the net edits, or all of a file loaded unsent.
    void historyKeepsThePilotsWorkOnly()
    {
        QMainWindow window;
        MainForm form;
        form.setupUi(&window);
        SettingBinder binder;
        binder.bind(form);
        ParameterSet set;
        TransmitterRecord record;
        bool busy = false;
        int applied = 0;
        EditHistory history(set, record, form, binder, {[&] { return busy; }, [&] { ++applied; }, [] {}}, &window);
        auto *sub1 = form.find<QSpinBox>(QStringLiteral("spinBox_sub1"));
        history.beginShowing();
        sub1->setValue(5);
        history.endShowing();
        QCOMPARE(history.stack()->count(), 0);
        QCOMPARE(set.Sub1, 0); // shown, not stored
        sub1->setValue(7);
        sub1->setValue(9); // merges with the step before
        QCOMPARE(history.stack()->count(), 1);
        QCOMPARE(set.Sub1, 9);

        ParameterSet known;
        known.Sub1 = 4;
        known.Sub2 = 3;
        QCOMPARE(history.windowOver(known).Sub1, 9);
        QCOMPARE(history.windowOver(known).Sub2, 3);
        QVERIFY(history.unwrittenWork().contains(QLatin1Char('1')));

        busy = true;
        history.undo();
        QCOMPARE(set.Sub1, 9);
        busy = false;
        history.undo();
        QCOMPARE(set.Sub1, 0);
        QCOMPARE(applied, 1);
        QVERIFY(history.unwrittenWork().isEmpty());
        QCOMPARE(history.windowOver(known).Sub1, 4);

        history.keepUnsentFile(QStringLiteral("/flights/plane.txt"));
        QVERIFY(history.unwrittenWork().contains(QStringLiteral("plane.txt")));
        QCOMPARE(history.windowOver(known).Sub1, 0);
        history.clear();
        QVERIFY(history.unwrittenWork().isEmpty() && !history.undoAction()->isEnabled());
    }

    // The status on its own: a backup stays with the command that took it,
    // a cut send outranks the lost connection that cut it, the window's late
    // blocks come after the outcome's own detail, a lost connection forgets.
    void statusKeepsEachNoteWithItsCommand()
    {
        QWidget parent;
        StatusTexts::StatusFacts window;
        StatusPresenter view;
        view.create(&parent, [&window] { return window; });
        const auto said = [&view] {
            view.update();
            return view.line().label()->toolTip() + view.line().label()->text();
        };
        view.setBackup(fixedPhrase(QStringLiteral("backup-a")), fixedPhrase(QStringLiteral("/b/a.txt")));
        view.setOutcome(fixedPhrase(QStringLiteral("written-a")));
        QVERIFY(said().contains(QStringLiteral("backup-a")));
        view.setOutcome(fixedPhrase(QStringLiteral("read-b")));
        QVERIFY(!said().contains(QStringLiteral("backup-a")));
        view.setBackup(fixedPhrase(QStringLiteral("backup-c")));
        view.setOutcome(fixedPhrase(QStringLiteral("written-c")));
        view.keepBackupForOutcome(); // the command goes on to another outcome
        view.setOutcome(fixedPhrase(QStringLiteral("cancelled-c")));
        QVERIFY(said().contains(QStringLiteral("backup-c")));

        window.outcomeDetail = QStringLiteral("late");
        view.setOutcome(fixedPhrase(QStringLiteral("read-d")), fixedPhrase(QStringLiteral("differs")));
        QVERIFY(said().contains(QStringLiteral("differs · late")));
        view.forget();
        QVERIFY(!said().contains(QStringLiteral("read-d")));
        QVERIFY(!view.hasOutcome());

        view.showInterruption(StatusPresenter::Interruption::SendCut, 2);
        view.showInterruption(StatusPresenter::Interruption::ConnectionLost);
        QCOMPARE(view.banner().text(), StatusTexts::sendCutBanner(2));
        view.dismissInterruption();
        view.retranslate();
        QVERIFY(!view.banner().isShown());
    }
};

QTEST_MAIN(TestTransmitterState)
#include "tst_transmitterstate.moc"

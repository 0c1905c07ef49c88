// Set-ups side by side, the backups and the guide: the comparison's lists
// and the backups' records below the widgets, then the dialogs on a window
// with a transmitter on a pseudo-terminal: a selection taken is one undo
// step, marked and sent by the next Write; a backup restored is a Load.
#include "link/parameterblocks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUndoStack>
#include <QTest>

#include "app/mainwindow.h"
#include "cli/backupscommand.h"
#include "files/backuplist.h"
#include "files/backups.h"
#include "files/parameterfile.h"
#include "link/framecodec.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "model/setupcompare.h"
#include "model/translations.h"
#include "support/appstate.h"
#include "support/fakeportrig.h"
#include "support/modalwatcher.h"
#include "support/sheetrows.h"
#include "ui/backuplistdialog.h"
#include "ui/comparedialog.h"
#include "ui/guidedialog.h"
#include "ui/mainform.h"
#include "ui/unwrittenmark.h"

namespace {

// What the transmitter holds.
ParameterSet remoteSet()
{
    ParameterSet p;
    p.Sub1 = 5;
    p.Mode = 2;
    return p;
}

// A file that differs from it in three settings of two pages.
ParameterSet fileSet()
{
    ParameterSet p = remoteSet();
    p.Sub1 = -20;
    p.Rev4 = 1;
    p.Mode = 3;
    return p;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Sets the modification time the pruning and the list go by.
void touch(const QString &path, const QDateTime &when)
{
    QFile file(path);
    file.open(QIODevice::Append);
    file.setFileTime(when, QFileDevice::FileModificationTime);
}

QTreeWidgetItem *rowOf(QTreeWidget *tree, const QString &key)
{
    for (int g = 0; g < tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem *group = tree->topLevelItem(g);
        for (int i = 0; i < group->childCount(); ++i) {
            const auto *setting = reinterpret_cast<const Setting *>(group->child(i)->data(0, Qt::UserRole).value<quintptr>());
            if (setting->key == key)
                return group->child(i);
        }
    }
    return nullptr;
}

int rowCount(const QTreeWidget *tree)
{
    int n = 0;
    for (int g = 0; g < tree->topLevelItemCount(); ++g)
        n += tree->topLevelItem(g)->childCount();
    return n;
}

ParameterSet frameSettings(const TransmitterMessage &frame, FrameKind kind)
{
    ParameterSet p;
    decodeFrameFields(kind, QString::fromLatin1(frame.bytes), 0, p);
    return p;
}

} // namespace

class TestSetups : public QObject
{
    Q_OBJECT

    FakePortRig rig;
    std::unique_ptr<FakeTransmitter> &tx = rig.tx;
    std::unique_ptr<MainWindow> &w = rig.w;
    QTemporaryDir dir;

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
    void write()
    {
        const int before = tx->count(QStringLiteral("I"));
        clickLater(*w, QStringLiteral("toolButton_Send"));
        QTRY_VERIFY_WITH_TIMEOUT(tx->count(QStringLiteral("I")) > before && !w->transferRunning(), 30000);
    }
    QString file(const char *name, const ParameterSet &p)
    {
        const QString path = dir.filePath(QLatin1String(name));
        writeFile(path, parameterFileBytes(p));
        return path;
    }
    CompareDialog *compareDialog() const
    {
        return w->findChild<CompareDialog *>(QString(), Qt::FindDirectChildrenOnly);
    }
    BackupListDialog *backupDialog() const
    {
        return w->findChild<BackupListDialog *>(QString(), Qt::FindDirectChildrenOnly);
    }

private slots:
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void cleanup() { rig.stop(); }

    // The differing settings by page and group with both values as the
    // change lists word them; all of them on asking; the trims are listed
    // but cannot be taken.
    void comparisonLists()
    {
        ParameterSet right = fileSet();
        right.Trim1 = 130;
        const QVector<CompareGroup> differing = compareSetups(remoteSet(), right, true);
        QStringList seen;
        for (const CompareGroup &group : differing) {
            for (const CompareRow &row : group.rows) {
                seen.append(QStringLiteral("%1 | %2 | %3: %4 → %5 %6")
                                    .arg(group.page, group.group, settingPlace(*row.setting).name, row.left, row.right)
                                    .arg(row.takeable ? "" : "(fixed)"));
            }
        }
        QVERIFY2(seen.size() == 4, qPrintable(seen.join('\n')));
        QCOMPARE(seen, QStringList({"基础菜单 | 舵机相位 | CH4: 正相 → 反相 ",
                                    "基础菜单 | 中点微调 | CH1: 5 % → -20 % ",
                                    "系统设置 | 版本 / 模式 | 遥控器摇杆模式: 2 → 3 ",
                                    "系统设置 | 版本 / 模式 | 微调一: 0 → 10 (fixed)"}));
        QCOMPARE(countDifferences(remoteSet(), right), 4);

        int all = 0;
        for (const CompareGroup &group : compareSetups(remoteSet(), right, false))
            all += group.rows.size();
        QCOMPARE(all, settings().size());
        QVERIFY(compareSetups(right, right, true).isEmpty());
    }

    // What a backup records: the time and command in its name, the port
    // beside it (older backups have none), and they go together.
    void backupRecords()
    {
        QTemporaryDir folder;
        const QDateTime at(QDate(2026, 12, 7), QTime(10, 42, 33));
        const Backups::Result first = Backups::write(remoteSet(), "factory-reset", at, folder.path(), "ttyUSB0");
        const Backups::Result second = Backups::write(fileSet(), "factory-reset", at, folder.path(), "ttyUSB0");
        const Backups::Result older = Backups::write(remoteSet(), "write", at.addDays(-1), folder.path());
        QVERIFY(first.ok && second.ok && older.ok);
        touch(older.path, at.addDays(-1));
        touch(first.path, at);
        touch(second.path, at.addSecs(1));
        QVERIFY(writeFile(folder.filePath("notes.dat"), "mine"));
        QCOMPARE(QFileInfo(first.path).size(), qint64(kParameterFileLength)); // still a plain parameter file

        const QVector<Backups::Entry> entries = Backups::list(folder.path());
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.at(0).path, second.path);
        QVERIFY(entries.at(0).fileName.endsWith("-2.dat"));
        QCOMPARE(entries.at(0).command, QStringLiteral("factory-reset"));
        QCOMPARE(Backups::commandText(entries.at(0).command), QStringLiteral("出厂设置"));
        QCOMPARE(Backups::timeText(entries.at(0)), QStringLiteral("2026-12-07 10:42:33"));
        QCOMPARE(entries.at(0).port, QStringLiteral("ttyUSB0"));
        QCOMPARE(entries.at(2).port, QString());
        QCOMPARE(backupListing(folder.path()).value(2),
                 QStringLiteral("2026-12-06 10:42:33  写入  -  ") + QDir::toNativeSeparators(older.path));

        ParameterSet read;
        QString error;
        QVERIFY(readSetupFile(second.path, &read, &error));
        QCOMPARE(countDifferences(read, fileSet()), 0);
        QVERIFY(!readSetupFile(folder.filePath("notes.dat"), &read, &error));

        QVERIFY(Backups::remove(entries.at(0), &error));
        QVERIFY(!QFile::exists(Backups::portRecordPath(second.path)));
        QVERIFY(QFile::exists(Backups::portRecordPath(first.path)));
        QCOMPARE(Backups::list(folder.path()).size(), 2);

        // Pruned, a backup takes its port with it.
        for (int i = 1; i <= Backups::kKept; ++i) {
            const Backups::Result r = Backups::write(remoteSet(), "write", at.addSecs(i), folder.path(), "ttyUSB1");
            touch(r.path, at.addSecs(100 + i));
        }
        QCOMPARE(Backups::list(folder.path()).size(), Backups::kKept);
        QVERIFY(!QFile::exists(older.path));
        QVERIFY(!QFile::exists(first.path));
        QVERIFY(!QFile::exists(Backups::portRecordPath(first.path)));
        QCOMPARE(QDir(folder.path()).entryList({"*.port"}).size(), Backups::kKept);
    }

    // Transmitter against a file: two settings ticked and taken are one
    // step of the history, marked, sent by the next Write; the undo takes
    // both back.
    void takeIntoWindow()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        QVERIFY2(rig.start(), qPrintable(rig.error));
        QVERIFY(rig.openPort());
        transmitterThere();
        read();
        const QString path = file("glider.dat", fileSet());
        // The sheet of what was read names the transmitter and holds every setting.
        const QString sheet = dir.filePath("read.html");
        QVERIFY(w->saveSheet(sheet));
        QFile html(sheet);
        QVERIFY(html.open(QIODevice::ReadOnly));
        SheetContent content = readSheetHtml(QString::fromUtf8(html.readAll()));
        QCOMPARE(content.header.value(0), QStringLiteral("来源: 遥控器 ") + w->port().portName());
        QCOMPARE(content.rows, expectedSheetRows(w->params()));

        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key_D, Qt::ControlModifier);
        QTRY_VERIFY(compareDialog() && compareDialog()->isVisible());
        CompareDialog *dialog = compareDialog();
        QCOMPARE(dialog->sourceBox(0)->currentText(), QStringLiteral("遥控器 ") + w->port().portName());
        QCOMPARE(dialog->sourceBox(1)->currentText(), QStringLiteral("窗口中的设定"));
        QCOMPARE(rowCount(dialog->tree()), 0); // the window holds what was read
        dialog->compareFile(1, path);
        QCOMPARE(dialog->takeSide(), 1);
        ParameterSet fromFile;
        QString error;
        QVERIFY(readSetupFile(path, &fromFile, &error));
        const int differing = countDifferences(w->params(), fromFile);
        QVERIFY(differing >= 3);
        QCOMPARE(rowCount(dialog->tree()), differing);
        QTreeWidgetItem *sub1 = rowOf(dialog->tree(), "Sub1");
        QVERIFY(sub1);
        QCOMPARE(sub1->text(1), QStringLiteral("5 %"));
        QCOMPARE(sub1->text(2), QStringLiteral("-20 %"));
        QVERIFY(!dialog->takeButton()->isEnabled());

        // The keyboard ticks: Space on the current row.
        dialog->tree()->setFocus();
        dialog->tree()->setCurrentItem(sub1);
        QTest::keyClick(dialog->tree(), Qt::Key_Space);
        QCOMPARE(sub1->checkState(0), Qt::Checked);
        rowOf(dialog->tree(), "Mode")->setCheckState(0, Qt::Checked);
        QCOMPARE(sub1->parent()->checkState(0), Qt::Checked); // its group's only differing setting
        const int steps = w->editHistory()->count();
        QTest::mouseClick(dialog->takeButton(), Qt::LeftButton);

        QCOMPARE(w->params().Sub1, -20);
        QCOMPARE(w->params().Mode, 3);
        QCOMPARE(w->params().Rev4, remoteSet().Rev4); // not ticked
        QCOMPARE(w->editHistory()->count(), steps + 1);
        QVERIFY(isUnwritten(w->form()->widget("spinBox_sub1")));
        QCOMPARE(rowCount(dialog->tree()), differing); // the transmitter against the file: as before

        QVERIFY(w->saveSheet(dir.filePath("edited.pdf")));
        QFile pdf(dir.filePath("edited.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");
        QVERIFY(w->saveSheet(sheet));
        html.close();
        QVERIFY(html.open(QIODevice::ReadOnly));
        content = readSheetHtml(QString::fromUtf8(html.readAll()));
        QCOMPARE(content.header.value(0), QStringLiteral("来源: 窗口中的设定")); // not what the transmitter holds

        w->editHistory()->undo();
        QCOMPARE(w->params().Sub1, 5);
        QCOMPARE(w->params().Mode, 2);
        QVERIFY(!isUnwritten(w->form()->widget("spinBox_sub1")));
        w->editHistory()->redo();
        QCOMPARE(w->params().Sub1, -20);

        // Select all takes the rest: Rev4 joins them.
        dialog->selectAllButton()->click();
        QCOMPARE(dialog->checkedSettings().size(), differing);
        dialog->takeButton()->click();
        QCOMPARE(w->params().Rev4, 1);

        write();
        const ParameterSet sent = frameSettings(tx->messagesOfKind(QStringLiteral("S")).last(), FrameKind::S);
        QCOMPARE(sent.Sub1, -20);
        QCOMPARE(sent.Rev4, 1);
        QTRY_VERIFY(!isUnwritten(w->form()->widget("spinBox_sub1")));

        // While a command runs nothing is taken, and the dialog says so.
        QVERIFY(!dialog->checkedSettings().isEmpty());
        const int stepsNow = w->editHistory()->count();
        bool tried = false;
        const QObject scope;
        onArrival(*tx, QStringLiteral("G"), &scope, [&] {
            tried = w->transferRunning();
            dialog->takeChecked();
        });
        clickLater(*w, QStringLiteral("toolButton_Send"));
        QTRY_VERIFY_WITH_TIMEOUT(tried && !w->transferRunning(), 30000);
        QCOMPARE(w->editHistory()->count(), stepsNow);
        QVERIFY(dialog->findChild<QLabel *>("compareSummary")->text().contains(QStringLiteral("另一命令进行中")));
    }

    // The list shows each backup with its port and how far it is from the
    // window; restore is a Load of it, through the change list.
    void backupListRestores()
    {
        QSettings().clear();
        QDir(Backups::defaultDirectory()).removeRecursively();
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        QVERIFY2(rig.start(), qPrintable(rig.error));
        QVERIFY(rig.openPort());
        transmitterThere();
        read();
        // The transmitter's set-up before a Write, with its port.
        w->form()->find<QSpinBox>("spinBox_sub2")->setValue(40);
        write();
        const QVector<Backups::Entry> taken = Backups::list(Backups::defaultDirectory());
        QCOMPARE(taken.size(), 1);
        QCOMPARE(taken.first().port, w->port().portName());
        QVERIFY(Backups::write(fileSet(), "load", QDateTime::currentDateTime(), Backups::defaultDirectory()).ok);

        QAction *open = w->findChild<QAction *>("backupListAction");
        QVERIFY(open && w->statusMenu()->actions().contains(open));
        open->trigger();
        BackupListDialog *list = backupDialog();
        QVERIFY(list);
        QCOMPARE(list->list()->topLevelItemCount(), 2);
        QTreeWidgetItem *newest = list->list()->topLevelItem(0);
        QCOMPARE(newest->text(1), QStringLiteral("加载"));
        QCOMPARE(newest->text(2), QStringLiteral("未记录"));
        QCOMPARE(newest->text(3), QString::number(countDifferences(fileSet(), w->params())));
        QCOMPARE(list->list()->topLevelItem(1)->text(2), w->port().portName());
        QCOMPARE(list->list()->topLevelItem(1)->text(3), QStringLiteral("1")); // Sub2 40 since
        QVERIFY(list->findChild<QLabel *>("backupRule")->text().contains("100"));
        QCOMPARE(list->pathField()->text(), list->currentPath());
        QCOMPARE(QFileInfo(list->currentPath()).absolutePath(), QFileInfo(Backups::defaultDirectory()).absoluteFilePath());

        // Compare: the backup against the window.
        list->button("backupCompare")->click();
        QTRY_VERIFY(compareDialog());
        QVERIFY(compareDialog()->sourceBox(0)->currentText().startsWith("备份 "));
        QCOMPARE(compareDialog()->sourceBox(1)->currentText(), QStringLiteral("窗口中的设定"));
        QCOMPARE(rowCount(compareDialog()->tree()), countDifferences(fileSet(), w->params()));

        // Restore: the Load's change list, accepted, then the frames.
        ModalWatcher watcher;
        const int frames = tx->count(QStringLiteral("S"));
        list->setFocus();
        list->list()->setCurrentItem(list->list()->topLevelItem(0)); // read again as it was shown again
        QTimer::singleShot(0, list->button("backupRestore"), &QPushButton::click);
        QTRY_VERIFY_WITH_TIMEOUT(tx->count(QStringLiteral("S")) > frames && !w->transferRunning(), 30000);
        QCOMPARE(watcher.messageBoxes().size(), 1); // the change list
        QVERIFY(watcher.messageBoxes().first().informative.contains(QStringLiteral("中点微调 · CH1: 5 % → -20 %")));
        QCOMPARE(frameSettings(tx->messagesOfKind(QStringLiteral("S")).last(), FrameKind::S).Sub1, -20);
        QCOMPARE(w->params().Mode, 3);
        QTRY_COMPARE(list->list()->topLevelItemCount(), 3); // the Load took a backup too

        // Delete, asked first.
        watcher.setMessageBoxAnswer(QStringLiteral("删除"));
        list->list()->setCurrentItem(list->list()->topLevelItem(2));
        const QString doomed = list->currentPath();
        list->deleteCurrent();
        QVERIFY(!QFile::exists(doomed));
        QCOMPARE(list->list()->topLevelItemCount(), 2);
    }

    // F1 opens the guide in the window's language; the dialogs follow a
    // switch at once; About names the versions and the paths.
    void guideAboutAndLanguage()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        QVERIFY2(rig.start(), qPrintable(rig.error));
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key_F1);
        GuideDialog *guide = w->findChild<GuideDialog *>();
        QVERIFY(guide);
        QCOMPARE(guide->browser()->source().toString(), GuideDialog::resource("zh"));
        QVERIFY(guide->browser()->toPlainText().contains(QStringLiteral("比较设定")));
        w->openCompare();
        QVERIFY(compareDialog());

        w->switchLanguage("en");
        QTRY_COMPARE(guide->browser()->source().toString(), GuideDialog::resource("en"));
        QVERIFY(guide->browser()->toPlainText().contains("Comparing set-ups"));
        QTRY_COMPARE(compareDialog()->windowTitle(), QStringLiteral("Compare set-ups"));
        QCOMPARE(compareDialog()->tree()->headerItem()->text(0), QStringLiteral("Setting"));
        QCOMPARE(compareDialog()->sourceBox(1)->currentText(), QStringLiteral("The window's set-up"));
        QCOMPARE(w->findChild<QAction *>("compareAction")->text(), QStringLiteral("Compare set-ups…"));

        ModalWatcher watcher;
        w->showAbout();
        QCOMPARE(watcher.messageBoxes().size(), 1);
        const QString about = watcher.messageBoxes().first().text;
        for (const QString &fact : {QStringLiteral("4.9"), QString::fromLatin1(qVersion()),
                                    QDir::toNativeSeparators(Backups::defaultDirectory()),
                                    QDir::toNativeSeparators(QSettings().fileName()), QStringLiteral("Licence")})
            QVERIFY2(about.contains(fact.toHtmlEscaped()), qPrintable(fact + " in " + about));
        w->switchLanguage("zh");
    }

    void pictures_data() { addLanguageRows(); }
    void pictures()
    {
        QFETCH(QString, language);
        const QString out = qEnvironmentVariable("KELVO_SHOTS");
        if (out.isEmpty())
            QSKIP("set KELVO_SHOTS to a directory to take the pictures");
        QSettings().clear();
        QDir(Backups::defaultDirectory()).removeRecursively();
        QVERIFY(rig.start(language));
        QVERIFY(rig.openPort());
        w->show();
        transmitterThere();
        read();
        const QDateTime at = QDateTime::currentDateTime();
        QVERIFY(Backups::write(remoteSet(), "factory-reset", at.addSecs(-7200), Backups::defaultDirectory(),
                               w->port().portName()).ok);
        QVERIFY(Backups::write(fileSet(), "write", at.addSecs(-60), Backups::defaultDirectory(), w->port().portName()).ok);

        w->openCompare();
        CompareDialog *compare = compareDialog();
        compare->compareFile(1, file("glider.dat", fileSet()));
        rowOf(compare->tree(), "Sub1")->setCheckState(0, Qt::Checked);
        compare->takeChecked();
        rowOf(compare->tree(), "Rev4")->setCheckState(0, Qt::Checked);
        compare->resize(760, 420);
        QTest::qWait(200);
        QVERIFY(compare->grab().save(QStringLiteral("%1/compare-%2.png").arg(out, language)));
        compare->close();

        w->openBackupList();
        backupDialog()->resize(720, 360);
        QTest::qWait(200);
        QVERIFY(backupDialog()->grab().save(QStringLiteral("%1/backups-%2.png").arg(out, language)));
        backupDialog()->close();

        w->showGuide();
        GuideDialog *guide = w->findChild<GuideDialog *>();
        guide->resize(700, 620);
        QTest::qWait(200);
        QVERIFY(guide->grab().save(QStringLiteral("%1/guide-%2.png").arg(out, language)));
        guide->close();

        ModalWatcher watcher;
        connect(&watcher, &ModalWatcher::messageBoxClosed, this, [&] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->grab().save(QStringLiteral("%1/about-%2.png").arg(out, language));
        });
        w->showAbout();
        QCOMPARE(watcher.messageBoxes().size(), 1);
    }
};

QTEST_MAIN(TestSetups)
#include "tst_setups.moc"

// Set-ups side by side, the list of backups, the guide and the About box:
// entries of the status line's menu, with Ctrl+D for the comparison and F1
// for the guide. The dialogs live in ui/, what they list below it; this glues
// them to the window's set-up, what the transmitter holds, the edit history
// and Load.
#include "app/mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QUndoStack>
#include <QUrl>

#include "app/edithistory.h"
#include "files/backuplist.h"
#include "files/backups.h"
#include "files/setupsheet.h"
#include "model/settingchanges.h"
#include "model/settings.h"
#include "model/setupcompare.h"
#include "print/sheetfile.h"
#include "ui/backuplistdialog.h"
#include "ui/comparedialog.h"
#include "ui/editcommand.h"
#include "ui/formlanguage.h"
#include "ui/guidedialog.h"

namespace {

QString backupTitle(const Backups::Entry &entry)
{
    QString title = QCoreApplication::translate("SetupTools", "备份 %1 · %2之前")
                            .arg(Backups::timeText(entry), Backups::commandText(entry.command));
    if (!entry.port.isEmpty())
        title += QStringLiteral(" · ") + entry.port;
    return title;
}

// A dialog of the window shown once: raised again rather than opened twice.
template<typename Dialog>
Dialog *shownAgain(QWidget *window)
{
    Dialog *dialog = window->findChild<Dialog *>(QString(), Qt::FindDirectChildrenOnly);
    if (dialog) {
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    }
    return dialog;
}

void showOpened(QDialog *dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

void MainWindow::setUpSetupTools()
{
    const auto action = [this](const char *name, const char *text, void (MainWindow::*slot)()) {
        auto *a = new QAction(this);
        a->setObjectName(QLatin1String(name));
        setTranslatedText(a, "SetupTools", text);
        a->setShortcutVisibleInContextMenu(true);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QAction *compare = action("compareAction", QT_TRANSLATE_NOOP("SetupTools", "比较设定…"), &MainWindow::openCompare);
    compare->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
    QAction *backups = action("backupListAction", QT_TRANSLATE_NOOP("SetupTools", "备份列表…"), &MainWindow::openBackupList);
    QAction *sheet = action("sheetAction", QT_TRANSLATE_NOOP("SetupTools", "保存设定表…"), &MainWindow::chooseSheet);
    QAction *guide = action("guideAction", QT_TRANSLATE_NOOP("SetupTools", "使用说明"), &MainWindow::showGuide);
    guide->setShortcut(QKeySequence(Qt::Key_F1));
    QAction *about = action("aboutAction", QT_TRANSLATE_NOOP("SetupTools", "关于"), &MainWindow::showAbout);
    // On the window, so the keys work wherever the focus is.
    addActions({compare, guide});
    m_statusMenu->addSeparator();
    m_statusMenu->addActions({compare, backups, sheet});
    m_statusMenu->addSeparator();
    m_statusMenu->addActions({guide, about});
}

void MainWindow::openCompare()
{
    if (shownAgain<CompareDialog>(this))
        return;
    QVector<CompareSource> sources;
    sources.append({CompareSource::Transmitter, QString(),
                    [this] { return SetupSheet::transmitterSource(port().portName()); }});
    sources.append({CompareSource::Window, QString(),
                    [] { return QCoreApplication::translate("SetupTools", "窗口中的设定"); }});
    for (const Backups::Entry &entry : Backups::list(Backups::defaultDirectory()))
        sources.append({CompareSource::Backup, entry.path, [entry] { return backupTitle(entry); }});

    const auto load = [this](const CompareSource &source, ParameterSet *p, QString *error) {
        switch (source.kind) {
        case CompareSource::Transmitter:
            if (!m_workflow.record().hasKnown()) {
                *error = QCoreApplication::translate("SetupTools", "还不知道遥控器中的设定：请先读取数据");
                return false;
            }
            *p = m_workflow.record().known();
            return true;
        case CompareSource::Window:
            *p = params();
            return true;
        default:
            return readSetupFile(source.path, p, error);
        }
    };
    const auto take = [this](const QVector<const Setting *> &chosen, const ParameterSet &from, const QString &title) {
        if (m_transferRunning)
            return false;
        const QVector<SettingChange> changes = settingChanges(chosen, params(), from);
        if (!changes.isEmpty()) {
            const QString step = QCoreApplication::translate("SetupTools", "取入 %1").arg(title);
            m_history->take(changes, step);
        }
        return true;
    };
    auto *dialog = new CompareDialog(sources, load, take, this);
    // The window's side follows every edit, undo and redo.
    connect(m_history->stack(), &QUndoStack::indexChanged, dialog, &CompareDialog::refresh);
    // The transmitter against the window when it is known, else the newest backup.
    dialog->compare(m_workflow.record().hasKnown() || sources.size() < 3 ? 0 : 2, 1);
    showOpened(dialog);
}

void MainWindow::openBackupList()
{
    if (auto *dialog = shownAgain<BackupListDialog>(this)) {
        dialog->reload();
        return;
    }
    const QString folder = Backups::defaultDirectory();
    BackupListDialog::Actions actions;
    actions.rows = [this, folder] {
        QVector<BackupListRow> rows;
        for (const Backups::Entry &entry : Backups::list(folder)) {
            ParameterSet backup;
            QString error;
            const int differing = readSetupFile(entry.path, &backup, &error) ? countDifferences(backup, params()) : -1;
            rows.append({entry.path, Backups::timeText(entry), Backups::commandText(entry.command), entry.port, differing});
        }
        return rows;
    };
    actions.rule = [] { return Backups::pruningRule(); };
    actions.compare = [this](const QString &path) {
        openCompare();
        if (auto *dialog = findChild<CompareDialog *>(QString(), Qt::FindDirectChildrenOnly)) {
            // The backup as A, the window as B.
            dialog->compareFile(0, path);
            dialog->compare(dialog->sourceBox(0)->currentData().toInt(), 1);
        }
    };
    actions.restore = [this](const QString &path) { loadFile(path); };
    actions.showInFolder = [this](const QString &path) {
        return openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
    };
    actions.remove = [folder](const QString &path) {
        for (const Backups::Entry &entry : Backups::list(folder)) {
            if (entry.path == path) {
                QString error;
                return Backups::remove(entry, &error) ? QString() : error;
            }
        }
        return QCoreApplication::translate("SetupTools", "不在备份文件夹中");
    };
    showOpened(new BackupListDialog(folder, actions, this));
}

void MainWindow::chooseSheet()
{
    saveSheet();
}

bool MainWindow::saveSheet(const QString &given)
{
    QString path = given;
    if (path.isEmpty()) {
        path = QFileDialog::getSaveFileName(this, QCoreApplication::translate("SetupTools", "保存设定表"),
                                            QStringLiteral("./"),
                                            QCoreApplication::translate("SetupTools", "PDF (*.pdf);;HTML (*.html)"));
        if (path.isEmpty())
            return false;
        if (!SheetFile::knownExtension(path))
            path += QStringLiteral(".pdf");
    }
    // What the transmitter holds when the window holds that, else the window's.
    const bool asHeld = m_workflow.record().hasKnown() && differingSettings(params(), m_workflow.record().known()).isEmpty();
    const QString source = asHeld ? SetupSheet::transmitterSource(port().portName())
                                  : QCoreApplication::translate("SetupTools", "窗口中的设定");
    QString error;
    if (SheetFile::write(SetupSheet::html(params(), source, QDateTime::currentDateTime()), path, &error))
        return true;
    QMessageBox::warning(this, QCoreApplication::translate("SetupTools", "保存设定表"),
                         QCoreApplication::translate("SetupTools", "无法写入 %1：%2").arg(path, error));
    return false;
}

void MainWindow::showGuide()
{
    if (!shownAgain<GuideDialog>(this))
        showOpened(new GuideDialog(this));
}

void MainWindow::showAbout()
{
    AboutFacts facts;
    facts.version = QStringLiteral(KELVO_VERSION);
    facts.qtVersion = QString::fromLatin1(qVersion());
    facts.buildDate = QStringLiteral(__DATE__);
    facts.backups = QDir::toNativeSeparators(Backups::defaultDirectory());
    facts.settings = QDir::toNativeSeparators(QSettings().fileName());
    facts.log = QCoreApplication::translate("SetupTools", "没有日志文件：诊断输出写到标准错误（Windows：调试输出）");
    const QString title = QCoreApplication::translate("SetupTools", "关于");
    QMessageBox box(QMessageBox::NoIcon, title, aboutText(facts), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setIconPixmap(windowIcon().pixmap(64, 64));
    box.exec();
}

void MainWindow::loadFile(const QString &path)
{
    m_givenLoadPath = path;
    on_toolButton_Load_clicked();
    m_givenLoadPath.clear();
}

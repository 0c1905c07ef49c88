// The status line's menu: undo, redo and revert of the pilot's edits, the
// backup folder, the read-back switch, the connection check and the
// language; and what of the pilot's work the transmitter may not hold.
#include "app/mainwindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QUrl>

#include "app/edithistory.h"
#include "files/backups.h"
#include "ui/folderpathdialog.h"
#include "ui/formlanguage.h"
#include "ui/mainform.h"

void MainWindow::setUpEditHistory()
{
    EditHistory::Hooks hooks;
    hooks.busy = [this] { return m_transferRunning; };
    hooks.applied = [this] {
        Dr_DataSelet();
        ui_Display();
        updateTransmitterState();
    };
    hooks.edited = [this] { updateTransmitterState(); };
    m_history = new EditHistory(params(), m_workflow.record(), *ui, m_binder, std::move(hooks), this);

    auto *backups = new QAction(this);
    setTranslatedText(backups, "EditHistory", QT_TRANSLATE_NOOP("EditHistory", "打开备份文件夹"));
    backups->setShortcutVisibleInContextMenu(true);
    connect(backups, &QAction::triggered, this, &MainWindow::openBackupFolder);

    m_statusMenu = new QMenu(this);
    m_statusMenu->setObjectName(QStringLiteral("statusMenu"));
    m_statusMenu->addActions({m_history->undoAction(), m_history->redoAction()});
    m_statusMenu->addSeparator();
    m_statusMenu->addActions({m_history->revertAction(), backups});
    // Every send is read back and compared unless the pilot switches it off.
    m_verifyAction = new QAction(this);
    setTranslatedText(m_verifyAction, "EditHistory", QT_TRANSLATE_NOOP("EditHistory", "发送后读回核对"));
    m_verifyAction->setCheckable(true);
    m_verifyAction->setChecked(verifiesSends());
    connect(m_verifyAction, &QAction::toggled, this, &MainWindow::setVerifiesSends);
    m_statusMenu->addSeparator();
    m_statusMenu->addAction(m_verifyAction);
    m_statusMenu->addAction(newConnectionCheckAction());
    QLabel *label = m_statusView.line().label();
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(label, &QWidget::customContextMenuRequested, this, &MainWindow::showStatusMenu);
}

bool MainWindow::openUrl(const QUrl &url) const
{
    return m_openUrl ? m_openUrl(url) : QDesktopServices::openUrl(url);
}

// Where no file manager opens the folder, a small dialog gives its path to
// copy (one at a time: asked again, it is raised).
void MainWindow::openBackupFolder()
{
    const QString dir = Backups::defaultDirectory();
    QDir().mkpath(dir);
    if (openUrl(QUrl::fromLocalFile(dir)))
        return;
    const QString path = QDir::toNativeSeparators(QDir(dir).absolutePath());
    auto *dialog = findChild<FolderPathDialog *>(QString(), Qt::FindDirectChildrenOnly);
    if (dialog) {
        dialog->setPath(path);
    } else {
        dialog = new FolderPathDialog(path, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void MainWindow::showStatusMenu(const QPoint &pos)
{
    m_history->updateActions();
    m_statusMenu->popup(m_statusView.line().label()->mapToGlobal(pos));
}

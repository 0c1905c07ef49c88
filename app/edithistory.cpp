// The history of the user's edits: every change made in an editor is one
// step that Ctrl+Z takes back and Ctrl+Shift+Z brings again; a revert puts
// back what the transmitter holds. Read, Load and the resets start a new
// history (their backups keep what was there before). The status line's
// menu offers these with the backup folder.
#include "app/mainwindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QUndoStack>
#include <QUrl>

#include "files/backups.h"
#include "link/transmitterrecord.h"
#include "model/parameterset.h"
#include "model/settingchanges.h"
#include "model/settings.h"
#include "ui/editcommand.h"
#include "ui/editorguard.h"
#include "ui/folderpathdialog.h"
#include "ui/formlanguage.h"
#include "ui/mainform.h"

namespace {

// Redo answers Ctrl+Shift+Z everywhere, and the platform's keys (Ctrl+Y on
// Windows) as well.
QList<QKeySequence> redoKeys()
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
    const QKeySequence shiftZ(QStringLiteral("Ctrl+Shift+Z"));
    keys.removeAll(shiftZ);
    keys.prepend(shiftZ);
    return keys;
}

} // namespace

void MainWindow::setUpEditHistory()
{
    m_edits = new QUndoStack(this);
    m_editorGuard = new EditorGuard(this);
    m_editBase = params();
    for (const QString &name : settingEditors()) {
        if (QWidget *editor = ui->widget(name))
            m_editorGuard->watch(editor);
    }
    connect(&m_binder, &SettingBinder::edited, this, &MainWindow::settingEdited);

    m_undoAction = new QAction(QCoreApplication::translate("EditHistory", "撤销"), this);
    m_undoAction->setShortcuts(QKeySequence::Undo);
    connect(m_undoAction, &QAction::triggered, this, &MainWindow::undoEdit);
    m_redoAction = new QAction(QCoreApplication::translate("EditHistory", "重做"), this);
    m_redoAction->setShortcuts(redoKeys());
    connect(m_redoAction, &QAction::triggered, this, &MainWindow::redoEdit);
    m_revertAction = new QAction(this);
    setTranslatedText(m_revertAction, "EditHistory", QT_TRANSLATE_NOOP("EditHistory", "恢复为发射机中的值"));
    connect(m_revertAction, &QAction::triggered, this, &MainWindow::revertToTransmitter);
    auto *backups = new QAction(this);
    setTranslatedText(backups, "EditHistory", QT_TRANSLATE_NOOP("EditHistory", "打开备份文件夹"));
    connect(backups, &QAction::triggered, this, &MainWindow::openBackupFolder);
    const QList<QAction *> actions{m_undoAction, m_redoAction, m_revertAction, backups};
    for (QAction *action : actions)
        action->setShortcutVisibleInContextMenu(true);
    // On the window, so the keys work wherever the focus is.
    addActions({m_undoAction, m_redoAction});

    m_statusMenu = new QMenu(this);
    m_statusMenu->setObjectName(QStringLiteral("statusMenu"));
    m_statusMenu->addActions({m_undoAction, m_redoAction});
    m_statusMenu->addSeparator();
    m_statusMenu->addActions({m_revertAction, backups});
    // Every send is read back and compared unless the pilot switches it off.
    m_verifyAction = new QAction(this);
    setTranslatedText(m_verifyAction, "EditHistory", QT_TRANSLATE_NOOP("EditHistory", "发送后读回核对"));
    m_verifyAction->setCheckable(true);
    m_verifyAction->setChecked(verifiesSends());
    connect(m_verifyAction, &QAction::toggled, this, &MainWindow::setVerifiesSends);
    m_statusMenu->addSeparator();
    m_statusMenu->addAction(m_verifyAction);
    m_statusMenu->addAction(newConnectionCheckAction());
    QLabel *label = m_status.label();
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(label, &QWidget::customContextMenuRequested, this, &MainWindow::showStatusMenu);
    connect(m_edits, &QUndoStack::indexChanged, this, &MainWindow::updateEditActions);
    updateEditActions();
}

// Every value an editor takes arrives here: it goes into the ParameterSet
// (routed for the dual-rate boxes), and unless the refresh pass set it, it is
// one step of the history. Quick steps of one setting merge.
void MainWindow::settingEdited(const QString &key, double value)
{
    // The program setting the editors stores nothing: a value an editor
    // cannot show stays as it is in the set-up.
    const Setting *row = findSettingRow(key);
    if (!row || m_editPause > 0)
        return;
    storeEdit(*row, params(), value);
    const QVector<SettingChange> changes = settingChanges(settingsOfEditor(row->editor), m_editBase, params());
    if (changes.isEmpty())
        return;
    applyChanges(m_editBase, changes, true);
    auto *step = new EditCommand(changes, int(row - settingRows().constData()),
                                 settingLabel(*changes.first().setting, QStringLiteral(" · ")),
                                 [this](const QVector<SettingChange> &c, bool after) { applyEdit(c, after); });
    step->setReveal([this](const QVector<SettingChange> &c) { revealEdit(c); });
    m_edits->push(step);
    updateTransmitterState();
}

// The values go in, then the refresh pass shows them through the editors'
// own slots, as the next tick would, and the marks follow.
void MainWindow::applyEdit(const QVector<SettingChange> &changes, bool after)
{
    applyChanges(params(), changes, after);
    Dr_DataSelet();
    ui_Display();
    updateTransmitterState();
}

// An undo or a redo shows what it changed: the page stays when it holds an
// editor of one of the changed settings (a dual-rate box is on two pages),
// else the first one's page comes up, and that editor takes the focus.
void MainWindow::revealEdit(const QVector<SettingChange> &changes)
{
    QVector<QWidget *> editors;
    for (const SettingChange &change : changes) {
        for (const QString &name : editorsOfSetting(*change.setting)) {
            if (QWidget *editor = ui->widget(name))
                editors.append(editor);
        }
    }
    if (editors.isEmpty())
        return;
    QTabWidget *tabs = ui->tabWidget;
    const QWidget *shown = tabs->currentWidget();
    QWidget *target = editors.first();
    for (QWidget *editor : std::as_const(editors)) {
        if (shown && shown->isAncestorOf(editor)) {
            target = editor;
            break;
        }
    }
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->widget(i)->isAncestorOf(target)) {
            tabs->setCurrentIndex(i);
            break;
        }
    }
    target->setFocus(Qt::OtherFocusReason);
}

// Read, Load and the resets replace the configuration: a new history starts.
void MainWindow::clearEdits()
{
    if (m_edits)
        m_edits->clear();
    m_editBase = params();
    m_fileIntended = false;
}

// What the pilot set in the window over what the transmitter is now known
// to hold: the net edits, or all of a file loaded without being sent, stay.
ParameterSet MainWindow::windowOver(const ParameterSet &known) const
{
    return m_fileIntended ? params() : readKeepingEdits(known, params(), netEdits());
}

// The pilot's work the transmitter may not hold, in words, or nothing.
QString MainWindow::unwrittenWork() const
{
    int count = 0;
    if (m_record.hasKnown()) {
        count = countDifferingEditable(params(), m_record.known());
    } else if (m_fileIntended) {
        return QCoreApplication::translate("EditHistory", "已加载的文件 %1 尚未发送到遥控器。")
                .arg(QFileInfo(loadPath).fileName());
    } else {
        QVector<const Setting *> touched;
        for (const SettingChange &change : netEdits()) {
            if (!touched.contains(change.setting))
                touched.append(change.setting);
        }
        count = touched.size();
    }
    return count == 0 ? QString()
                      : QCoreApplication::translate("EditHistory", "有 %n 项更改尚未写入遥控器。", nullptr, count);
}
void MainWindow::undoEdit()
{
    if (!m_transferRunning)
        m_edits->undo();
}

void MainWindow::redoEdit()
{
    if (!m_transferRunning)
        m_edits->redo();
}

void MainWindow::revertToTransmitter()
{
    if (m_transferRunning || !m_record.hasKnown())
        return;
    const QVector<SettingChange> changes = changesBackTo(params(), m_record.known());
    if (changes.isEmpty())
        return;
    auto *step = new EditCommand(changes, -1, QCoreApplication::translate("EditHistory", "恢复为发射机中的值"),
                                 [this](const QVector<SettingChange> &c, bool after) { applyEdit(c, after); },
                                 false);
    step->setReveal([this](const QVector<SettingChange> &c) { revealEdit(c); });
    m_edits->push(step);
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

void MainWindow::updateEditActions()
{
    if (!m_undoAction)
        return;
    m_undoAction->setEnabled(m_edits->canUndo());
    m_undoAction->setText(m_edits->canUndo()
                                  ? QCoreApplication::translate("EditHistory", "撤销：%1").arg(m_edits->undoText())
                                  : QCoreApplication::translate("EditHistory", "撤销"));
    m_redoAction->setEnabled(m_edits->canRedo());
    m_redoAction->setText(m_edits->canRedo()
                                  ? QCoreApplication::translate("EditHistory", "重做：%1").arg(m_edits->redoText())
                                  : QCoreApplication::translate("EditHistory", "重做"));
    m_revertAction->setEnabled(m_record.hasKnown() && !changesBackTo(params(), m_record.known()).isEmpty());
}

void MainWindow::showStatusMenu(const QPoint &pos)
{
    updateEditActions();
    m_statusMenu->popup(m_status.label()->mapToGlobal(pos));
}

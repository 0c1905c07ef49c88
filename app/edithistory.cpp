#include "app/edithistory.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTabWidget>
#include <QUndoStack>

#include "link/transmitterrecord.h"
#include "model/settings.h"
#include "ui/editcommand.h"
#include "ui/editorguard.h"
#include "ui/formlanguage.h"
#include "ui/mainform.h"
#include "ui/settingbinder.h"

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

EditHistory::EditHistory(ParameterSet &set, const TransmitterRecord &record, MainForm &form,
                         SettingBinder &binder, Hooks hooks, QWidget *window)
    : QObject(window)
    , m_set(set)
    , m_record(record)
    , m_form(form)
    , m_hooks(std::move(hooks))
    , m_stack(new QUndoStack(this))
    , m_guard(new EditorGuard(window))
    , m_base(set)
{
    for (const QString &name : settingEditors()) {
        if (QWidget *editor = form.widget(name))
            m_guard->watch(editor);
    }
    connect(&binder, &SettingBinder::edited, this, &EditHistory::edited);

    m_undo = new QAction(QCoreApplication::translate("EditHistory", "撤销"), window);
    m_undo->setShortcuts(QKeySequence::Undo);
    connect(m_undo, &QAction::triggered, this, &EditHistory::undo);
    m_redo = new QAction(QCoreApplication::translate("EditHistory", "重做"), window);
    m_redo->setShortcuts(redoKeys());
    connect(m_redo, &QAction::triggered, this, &EditHistory::redo);
    m_revert = new QAction(window);
    setTranslatedText(m_revert, "EditHistory", QT_TRANSLATE_NOOP("EditHistory", "恢复为发射机中的值"));
    connect(m_revert, &QAction::triggered, this, &EditHistory::revert);
    for (QAction *action : {m_undo, m_redo, m_revert})
        action->setShortcutVisibleInContextMenu(true);
    // On the window, so the keys work wherever the focus is.
    window->addActions({m_undo, m_redo});
    connect(m_stack, &QUndoStack::indexChanged, this, &EditHistory::updateActions);
    updateActions();
}

void EditHistory::beginShowing()
{
    ++m_showing;
}

void EditHistory::endShowing()
{
    --m_showing;
    m_base = m_set;
}

// Every value an editor takes arrives here: it goes into the set-up (routed
// for the dual-rate boxes), and unless the program set it, it is one step of
// the history. Quick steps of one setting merge.
void EditHistory::edited(const QString &key, double value)
{
    // The program setting the editors stores nothing: a value an editor
    // cannot show stays as it is in the set-up.
    const Setting *row = findSettingRow(key);
    if (!row || m_showing > 0)
        return;
    storeEdit(*row, m_set, value);
    const QVector<SettingChange> changes = settingChanges(settingsOfEditor(row->editor), m_base, m_set);
    if (changes.isEmpty())
        return;
    applyChanges(m_base, changes, true);
    auto *step = new EditCommand(changes, int(row - settingRows().constData()),
                                 settingLabel(*changes.first().setting, QStringLiteral(" · ")),
                                 [this](const QVector<SettingChange> &c, bool after) { apply(c, after); });
    step->setReveal([this](const QVector<SettingChange> &c) { reveal(c); });
    m_stack->push(step);
    m_hooks.edited();
}

// The values go in, then the window shows them as the next refresh would.
void EditHistory::apply(const QVector<SettingChange> &changes, bool after)
{
    applyChanges(m_set, changes, after);
    m_hooks.applied();
}

// An undo or a redo shows what it changed: the page stays when it holds an
// editor of one of the changed settings (a dual-rate box is on two pages),
// else the first one's page comes up, and that editor takes the focus.
void EditHistory::reveal(const QVector<SettingChange> &changes)
{
    QVector<QWidget *> editors;
    for (const SettingChange &change : changes) {
        for (const QString &name : editorsOfSetting(*change.setting)) {
            if (QWidget *editor = m_form.widget(name))
                editors.append(editor);
        }
    }
    if (editors.isEmpty())
        return;
    QTabWidget *tabs = m_form.tabWidget;
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

void EditHistory::clear()
{
    m_stack->clear();
    m_base = m_set;
    m_unsentFile.clear();
}

void EditHistory::keepUnsentFile(const QString &file)
{
    m_unsentFile = file;
}

ParameterSet EditHistory::windowOver(const ParameterSet &known) const
{
    return m_unsentFile.isEmpty() ? readKeepingEdits(known, m_set, netEdits()) : m_set;
}

QString EditHistory::unwrittenWork() const
{
    int count = 0;
    if (m_record.hasKnown()) {
        count = countDifferingEditable(m_set, m_record.known());
    } else if (!m_unsentFile.isEmpty()) {
        return QCoreApplication::translate("EditHistory", "已加载的文件 %1 尚未发送到遥控器。")
                .arg(QFileInfo(m_unsentFile).fileName());
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

QVector<SettingChange> EditHistory::netEdits() const
{
    QVector<SettingChange> net;
    for (int i = 0; i < m_stack->index(); ++i) {
        if (const auto *step = dynamic_cast<const EditCommand *>(m_stack->command(i)))
            net = mergeChanges(net, step->changes());
    }
    return net;
}

void EditHistory::take(const QVector<SettingChange> &changes, const QString &text)
{
    if (changes.isEmpty())
        return;
    m_stack->push(new EditCommand(changes, -1, text,
                                  [this](const QVector<SettingChange> &c, bool after) { apply(c, after); }, false));
}

void EditHistory::undo()
{
    if (!m_hooks.busy())
        m_stack->undo();
}

void EditHistory::redo()
{
    if (!m_hooks.busy())
        m_stack->redo();
}

void EditHistory::revert()
{
    if (m_hooks.busy() || !m_record.hasKnown())
        return;
    const QVector<SettingChange> changes = changesBackTo(m_set, m_record.known());
    if (changes.isEmpty())
        return;
    auto *step = new EditCommand(changes, -1, QCoreApplication::translate("EditHistory", "恢复为发射机中的值"),
                                 [this](const QVector<SettingChange> &c, bool after) { apply(c, after); }, false);
    step->setReveal([this](const QVector<SettingChange> &c) { reveal(c); });
    m_stack->push(step);
}

void EditHistory::updateActions()
{
    m_undo->setEnabled(m_stack->canUndo());
    m_undo->setText(m_stack->canUndo()
                            ? QCoreApplication::translate("EditHistory", "撤销：%1").arg(m_stack->undoText())
                            : QCoreApplication::translate("EditHistory", "撤销"));
    m_redo->setEnabled(m_stack->canRedo());
    m_redo->setText(m_stack->canRedo()
                            ? QCoreApplication::translate("EditHistory", "重做：%1").arg(m_stack->redoText())
                            : QCoreApplication::translate("EditHistory", "重做"));
    m_revert->setEnabled(m_record.hasKnown() && !changesBackTo(m_set, m_record.known()).isEmpty());
}

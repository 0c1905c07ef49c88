#include "ui/editorguard.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QWidget>

void EditorGuard::watch(QWidget *editor)
{
    editor->setFocusPolicy(Qt::StrongFocus);
    editor->installEventFilter(this);
    // A spin box hands its keys to the line edit inside it.
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(editor)) {
        if (QLineEdit *edit = spin->findChild<QLineEdit *>())
            edit->installEventFilter(this);
    }
}

bool EditorGuard::isUndoKey(const QKeyEvent *key)
{
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))
        return true;
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Z && (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier)))
            || (key->key() == Qt::Key_Y && mods == Qt::ControlModifier);
}

bool EditorGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Wheel: {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && !widget->hasFocus()) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::ShortcutOverride:
        // Left unaccepted, so the window's shortcut runs.
        if (isUndoKey(static_cast<QKeyEvent *>(event)))
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

#pragma once

#include <QObject>

class QWidget;

// Watches the editors of the form. A wheel over an editor without focus is
// swallowed, so a slip of the wheel while the pointer passes never changes a
// value; and the undo and redo keys reach the window's edit history instead
// of the text inside a spin box.
class EditorGuard : public QObject
{
public:
    using QObject::QObject;

    // Focus by click or Tab only (not by the wheel), and the filter.
    void watch(QWidget *editor);

    // Whether key undoes or redoes: Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y and the
    // platform's own keys.
    static bool isUndoKey(const class QKeyEvent *key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

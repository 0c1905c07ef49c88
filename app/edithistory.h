#pragma once

#include <QObject>
#include <QVector>

#include <functional>

#include "model/parameterset.h"
#include "model/settingchanges.h"

class EditorGuard;
class MainForm;
class QAction;
class QUndoStack;
class QWidget;
class SettingBinder;
class TransmitterRecord;

// The history of the pilot's edits: every change made in an editor is one
// step that Ctrl+Z takes back and Ctrl+Shift+Z brings again; a revert puts
// back what the transmitter holds. Read, Load and the resets start a new
// history (their backups keep what was there before).
class EditHistory : public QObject
{
    Q_OBJECT

public:
    struct Hooks
    {
        std::function<bool()> busy;    // a command runs: undo, redo and revert wait
        std::function<void()> applied; // an undo, redo or revert put values in: show them
        std::function<void()> edited;  // the pilot's edit became a step
    };

    // Edits set (what the window shows) through the editors of form that
    // binder reports; record tells what the transmitter holds. The actions
    // are window's, so their keys work wherever the focus is.
    EditHistory(ParameterSet &set, const TransmitterRecord &record, MainForm &form, SettingBinder &binder,
                Hooks hooks, QWidget *window);

    QUndoStack *stack() const { return m_stack; }
    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }
    QAction *revertAction() const { return m_revert; }

    // The program sets the editors between these: nothing of it is the
    // pilot's edit, and the set-up as it is then is the base of the next.
    void beginShowing();
    void endShowing();

    // Read, Load and the resets replace the configuration: a new history.
    void clear();
    // A file loaded but not sent (the port closed) is the pilot's set-up
    // until the next Read, Load or reset; named file.
    void keepUnsentFile(const QString &file);
    // What the pilot set over what the transmitter is now known to hold:
    // the net edits, or all of a file loaded unsent, stay; the rest is known's.
    ParameterSet windowOver(const ParameterSet &known) const;
    // The pilot's work the transmitter may not hold, in a sentence, or empty.
    QString unwrittenWork() const;
    // The pilot's edits since then, undone ones left out.
    QVector<SettingChange> netEdits() const;
    // Takes changes from another set-up in as one step named text.
    void take(const QVector<SettingChange> &changes, const QString &text);
    void undo();
    void redo();
    // Puts back what the transmitter is known to hold, as one step.
    void revert();

    // The actions' texts and states (also in a new language).
    void updateActions();

private:
    void edited(const QString &key, double value);
    void apply(const QVector<SettingChange> &changes, bool after);
    void reveal(const QVector<SettingChange> &changes);

    ParameterSet &m_set;
    const TransmitterRecord &m_record;
    MainForm &m_form;
    Hooks m_hooks;
    QUndoStack *m_stack;
    EditorGuard *m_guard;
    QAction *m_undo;
    QAction *m_redo;
    QAction *m_revert;
    ParameterSet m_base; // the settings as the last edit or refresh left them
    int m_showing = 0;   // > 0: the program is setting the editors
    QString m_unsentFile; // a file loaded unsent is the pilot's set-up
};

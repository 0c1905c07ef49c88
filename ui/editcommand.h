#pragma once

#include <QElapsedTimer>
#include <QUndoCommand>
#include <functional>

#include "model/settingchanges.h"

// One step of the user's edits on the undo stack. Steps of the same editor
// that follow each other quickly are one step, so holding a spin-box arrow
// or typing a number is undone at once. Applying a step writes its values
// through apply (which also shows them); the first redo, when the step is
// pushed, does nothing since the edit is already in place.
class EditCommand : public QUndoCommand
{
public:
    using Apply = std::function<void(const QVector<SettingChange> &changes, bool after)>;
    // Brings what an undo or a redo changed into view.
    using Reveal = std::function<void(const QVector<SettingChange> &changes)>;

    // Edits of one editor within this many milliseconds merge.
    static constexpr int kMergeMs = 800;

    // editor: a small number per editor (-1: never merges); text: what the
    // step changed, for the menu.
    // done: the values are already in place (an edit just made); false: the
    // push applies them (a revert).
    EditCommand(const QVector<SettingChange> &changes, int editor, const QString &text, Apply apply,
                bool done = true);

    void undo() override;
    void redo() override;
    int id() const override { return m_editor; }
    bool mergeWith(const QUndoCommand *other) override;

    const QVector<SettingChange> &changes() const { return m_changes; }
    // Called after every undo and every redo but the push's own.
    void setReveal(Reveal reveal) { m_reveal = std::move(reveal); }

private:
    QVector<SettingChange> m_changes;
    int m_editor;
    Apply m_apply;
    Reveal m_reveal;
    bool m_done;
    bool m_pushed = false;
    QElapsedTimer m_last;
};

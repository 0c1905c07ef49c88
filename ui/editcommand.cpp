#include "ui/editcommand.h"

EditCommand::EditCommand(const QVector<SettingChange> &changes, int editor, const QString &text, Apply apply,
                         bool done)
    : m_changes(changes)
    , m_editor(editor)
    , m_apply(std::move(apply))
    , m_done(done)
{
    setText(text);
    m_last.start();
}

void EditCommand::undo()
{
    m_apply(m_changes, false);
    m_done = false;
    if (m_reveal)
        m_reveal(m_changes);
}

void EditCommand::redo()
{
    if (!m_done)
        m_apply(m_changes, true);
    m_done = true;
    // The push's redo is the edit itself, made where the pilot is.
    const bool again = m_pushed;
    m_pushed = true;
    if (again && m_reveal)
        m_reveal(m_changes);
}

bool EditCommand::mergeWith(const QUndoCommand *other)
{
    const auto *later = static_cast<const EditCommand *>(other);
    if (later->m_editor != m_editor || m_last.elapsed() > kMergeMs)
        return false;
    m_changes = mergeChanges(m_changes, later->m_changes);
    m_last.restart();
    // Back where it began (the arrow went up and down again): no step at all.
    setObsolete(m_changes.isEmpty());
    return true;
}

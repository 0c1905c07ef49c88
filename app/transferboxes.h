#pragma once

#include <functional>

#include "app/statustexts.h"
#include "transfer/transferworkflow.h"

class QWidget;
class StatusPresenter;

// How the window answers the transfer workflow, and asks before the pilot's
// work is dropped: a backup becomes a note on the status line, a question a
// message box whose default keeps the transmitter and the work as they are.
class TransferBoxes : public TransferQuestions
{
public:
    // changed: the status line is to be shown again.
    TransferBoxes(QWidget *parent, StatusPresenter &status, std::function<void()> changed);

    // The command the notes are about.
    void setCommand(StatusTexts::Command command) { m_command = command; }

    Unread unreadSetup(int received) override;
    void backupTaken(const Backup &backup) override;
    bool writeWithoutBackup(const Backup &failed) override;

    // work: the pilot's work the transmitter does not hold, in a sentence
    // (none: nothing is asked). True when a Read may replace it.
    bool mayDropUnwritten(const QString &work);
    enum class CloseAnswer { Close, SaveFirst, Stay };
    CloseAnswer askBeforeClosing(const QString &work);

private:
    QWidget *m_parent;
    StatusPresenter &m_status;
    std::function<void()> m_changed;
    StatusTexts::Command m_command = StatusTexts::Command::Write;
};

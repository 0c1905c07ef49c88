#include "cli/transferlink.h"

#include <QDir>

#include "cli/clitext.h"
#include "cli/console.h"

TransferLink::TransferLink()
{
    QObject::connect(&session.conversation(), &Conversation::lost, &workflow, &TransferWorkflow::connectionEnded);
}

ReadReply TransferLink::read()
{
    workflow.read(TransferWorkflow::ReadPurpose::Show);
    return workflow.record().reply();
}

OptionAnswers::OptionAnswers(const QString &port, bool mayGoUnread)
    : m_port(port)
    , m_force(mayGoUnread)
{
}

bool OptionAnswers::goOnWithout(const QString &why)
{
    m_why = why;
    if (m_force)
        printError(why + Cli::tr("; sending without a backup (--force)"));
    return m_force;
}

TransferQuestions::Unread OptionAnswers::unreadSetup(int received)
{
    const QString why = Cli::tr("the set-up of the transmitter on %1 could not be read (%2 of %3 parameter blocks "
                                "received), so it cannot be backed up")
                                .arg(m_port)
                                .arg(received)
                                .arg(ReadReply::kBlockCount);
    return goOnWithout(why) ? Unread::WriteAnyway : Unread::DontWrite;
}

bool OptionAnswers::writeWithoutBackup(const Backup &failed)
{
    return goOnWithout(Cli::tr("cannot write the backup %1: %2").arg(QDir::toNativeSeparators(failed.path), failed.error));
}

bool OptionAnswers::trimsUnknown()
{
    return goOnWithout(Cli::tr("no status packet from the transmitter on %1, so its trims are unknown and it cannot "
                               "be backed up")
                               .arg(m_port));
}

#pragma once

#include <QString>

#include "link/readreply.h"
#include "link/transmittersession.h"
#include "transfer/transferworkflow.h"

// A transmitter session with the transfer workflow over its conversation:
// the command-line tool reads, backs up and reads back by the same sequence
// as the window. A port that goes away ends a running read at once.
struct TransferLink
{
    TransferLink();
    TransferLink(const TransferLink &) = delete;
    TransferLink &operator=(const TransferLink &) = delete;

    // Asks with "RR" and collects the reply into session.parameters(), by
    // the reply rule with the session's timings.
    ReadReply read();

    TransmitterSession session;
    TransferWorkflow workflow{session.conversation()};
};

// How the command-line tool answers the workflow's questions: from its
// options, saying why on the way. why() holds the last reason not to go on.
class OptionAnswers : public TransferQuestions
{
public:
    // mayGoUnread: --force, where nothing else needs the transmitter's
    // set-up.
    OptionAnswers(const QString &port, bool mayGoUnread);

    Unread unreadSetup(int received) override;
    void backupTaken(const Backup &) override {}
    bool writeWithoutBackup(const Backup &failed) override;

    // No status packet came, so a backup would hold start values for the
    // trims: false unless --force sends without one.
    bool trimsUnknown();
    QString why() const { return m_why; }

private:
    bool goOnWithout(const QString &why);

    QString m_port;
    bool m_force;
    QString m_why;
};

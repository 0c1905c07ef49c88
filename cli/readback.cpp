#include "cli/readback.h"

#include <QStringList>

#include <iterator>

#include "cli/clitext.h"
#include "cli/console.h"
#include "link/protocol.h"
#include "link/readreply.h"
#include "cli/transferlink.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "transfer/replyrules.h"

namespace {

// Why a read-back that did not complete proves nothing.
QString incompleteReason(const ReadReply &reply, bool heardAnything, const QString &port)
{
    if (reply.received() == 0 && !heardAnything) {
        return Cli::tr("not confirmed: the transmitter on %1 is silent since the send (no live packet and no "
                       "parameter block for %2 s); what it holds is unknown")
                .arg(port)
                .arg(ReplyRules::kFirstBlockMs / 1000);
    }
    if (reply.received() == 0)
        return Cli::tr("not confirmed: the transmitter on %1 does not answer the read-back; what it holds is unknown")
                .arg(port);
    QString why = Cli::tr("not confirmed: incomplete read-back from the transmitter on %1: blocks %2 missing")
                          .arg(port, blockList(reply.missing()));
    if (reply.repeats() > 0)
        why += Cli::tr(" (%n block(s) came again)", nullptr, reply.repeats());
    return why;
}

// The send was whole, its proof was cut short.
int lostDuringReadBack(const QString &port)
{
    return fail(ExitCode::SendCut, Cli::tr("%1 of %1 frames sent, then the port %2 went away during the read-back: "
                                           "what the transmitter holds is not confirmed")
                                           .arg(int(std::size(Protocol::kFrameOrder)))
                                           .arg(port));
}

} // namespace

QString blockList(const QVector<int> &blocks)
{
    QStringList numbers;
    for (int b : blocks)
        numbers.append(QString::number(b));
    return numbers.join(QStringLiteral(", "));
}

int verifySend(TransferLink &link, const QString &port, const ParameterSet &sent)
{
    TransmitterSession &session = link.session;
    bool heard = false;
    const auto connection = QObject::connect(&session, &TransmitterSession::chunkHandled, &session,
                                             [&heard](const InboundResult &) { heard = true; });
    const ReadReply reply = link.read();
    QObject::disconnect(connection);
    printLine(Cli::tr("%1 of %2 parameter blocks received").arg(reply.received()).arg(ReadReply::kBlockCount));
    if (!reply.complete() || session.portLost()) {
        const bool lost = session.portLost();
        session.close();
        if (lost)
            return lostDuringReadBack(port);
        return fail(ExitCode::NoAnswer, incompleteReason(reply, heard, port));
    }

    const bool trims = session.waitForStatus(ReplyRules::kStatusWaitMs);
    const bool lost = session.portLost();
    const ParameterSet held = session.parameters();
    session.close();
    if (lost)
        return lostDuringReadBack(port);
    TransmitterRecord::ReadOutcome readBack;
    readBack.received = reply.received();
    readBack.complete = readBack.compared = true;
    // Trims that could not be read back are not shown as differing: they
    // are unknown, and said to be.
    readBack.differences = readBackDifferences(sent, held, trims);
    const SendCheck check = SendCheck::judge(true, readBack);
    const QString trimsUnknown = Cli::tr("not confirmed: no status packet from the transmitter on %1 after the "
                                         "read-back, so its trims could not be checked")
                                         .arg(port);

    if (check.result == SendCheck::Result::Differs) {
        printLine(Cli::tr("the transmitter differs in %n setting(s) (sent -> read back):", nullptr,
                          check.differences.size()));
        printLines(changeLines(check.differences, sent, held, QStringLiteral(" / "), QStringLiteral("->")));
        if (!trims)
            printError(trimsUnknown);
        return exitStatus(ExitCode::Differs);
    }
    if (!trims)
        return fail(ExitCode::NoAnswer, trimsUnknown);
    printLine(Cli::tr("verified: the transmitter holds every setting sent"));
    return exitStatus(ExitCode::Ok);
}

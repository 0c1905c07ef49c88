#include "cli/readback.h"

#include <QStringList>

#include <iterator>

#include "cli/clitext.h"
#include "cli/console.h"
#include "cli/settingsreport.h"
#include "link/protocol.h"
#include "link/readreply.h"
#include "link/transmittersession.h"
#include "model/parameterset.h"

namespace {

// No live packet and no block for this long after the send: the transmitter
// is silent, and what it holds is not confirmed.
constexpr int kSilentMs = 2000;
constexpr int kQuietAfterBlockMs = 1000;
// The trims come only with a status packet, which the transmitter streams
// again as soon as its reply is over.
constexpr int kStatusWaitMs = 2000;

QString blockList(const QVector<int> &blocks)
{
    QStringList numbers;
    for (int b : blocks)
        numbers.append(QString::number(b));
    return numbers.join(QStringLiteral(", "));
}

// Why a read-back that did not complete proves nothing.
QString incompleteReason(const ReadReply &reply, bool heardAnything, const QString &port)
{
    if (reply.received() == 0 && !heardAnything) {
        return Cli::tr("not confirmed: the transmitter on %1 is silent since the send (no live packet and no "
                       "parameter block for %2 s); what it holds is unknown")
                .arg(port)
                .arg(kSilentMs / 1000);
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

void copyTrims(const ParameterSet &from, ParameterSet &to)
{
    to.Trim1 = from.Trim1;
    to.Trim2 = from.Trim2;
    to.Trim3 = from.Trim3;
    to.Trim4 = from.Trim4;
}

} // namespace

int verifySend(TransmitterSession &session, const QString &port, const ParameterSet &sent)
{
    bool heard = false;
    const auto connection = QObject::connect(&session, &TransmitterSession::chunkHandled, &session,
                                             [&heard](const InboundResult &) { heard = true; });
    const ReadReply reply = session.readConfiguration(kSilentMs, kQuietAfterBlockMs);
    QObject::disconnect(connection);
    printLine(Cli::tr("%1 of %2 parameter blocks received").arg(reply.received()).arg(ReadReply::kBlockCount));
    if (!reply.complete() || session.portLost()) {
        const bool lost = session.portLost();
        session.close();
        if (lost)
            return lostDuringReadBack(port);
        return fail(ExitCode::NoAnswer, incompleteReason(reply, heard, port));
    }

    const bool trims = session.waitForStatus(kStatusWaitMs);
    const bool lost = session.portLost();
    ParameterSet held = session.parameters();
    session.close();
    if (lost)
        return lostDuringReadBack(port);
    // Trims that could not be read back are not shown as differing: they
    // are unknown, and said to be.
    if (!trims)
        copyTrims(sent, held);
    const QString trimsUnknown = Cli::tr("not confirmed: no status packet from the transmitter on %1 after the "
                                         "read-back, so its trims could not be checked")
                                         .arg(port);

    const QStringList differences = differenceListing(sent, held);
    if (!differences.isEmpty()) {
        printLine(Cli::tr("the transmitter differs in %n setting(s) (sent -> read back):", nullptr,
                          differences.size()));
        printLines(differences);
        if (!trims)
            printError(trimsUnknown);
        return exitStatus(ExitCode::Differs);
    }
    if (!trims)
        return fail(ExitCode::NoAnswer, trimsUnknown);
    printLine(Cli::tr("verified: the transmitter holds every setting sent"));
    return exitStatus(ExitCode::Ok);
}

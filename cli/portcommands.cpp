#include "cli/portcommands.h"

#include <QElapsedTimer>
#include <QStringList>

#include <csignal>

#include "cli/clitext.h"
#include "cli/console.h"
#include "cli/fileinput.h"
#include "cli/monitorreport.h"
#include "cli/portreport.h"
#include "cli/settingsreport.h"
#include "files/parameterfile.h"
#include "link/portlist.h"
#include "link/readreply.h"
#include "link/transmittersession.h"
#include "link/waitms.h"
#include "model/defaults.h"
#include "model/parameterset.h"

namespace {

// The transmitter streams a status packet several times a second; the
// first one brings the trims that belong in a saved file.
constexpr int kStatusWaitMs = 1000;
constexpr int kFirstBlockMs = 2000;
constexpr int kQuietAfterBlockMs = 1000;
constexpr int kMonitorPollMs = 50;

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int)
{
    g_interrupted = 1;
}

int openFailure(const TransmitterSession &session)
{
    return fail(ExitCode::Port, session.errorString());
}

int lostPort(const QString &port)
{
    return fail(ExitCode::Port, Cli::tr("the port %1 went away").arg(port));
}

QString blockList(const QVector<int> &blocks)
{
    QStringList numbers;
    for (int b : blocks)
        numbers.append(QString::number(b));
    return numbers.join(QStringLiteral(", "));
}

// Asks for the configuration and says how much of it came. Closes the
// session. Returns Ok when the reply is complete, the exit status otherwise.
int readReply(TransmitterSession &session, const QString &port)
{
    const ReadReply reply = session.readConfiguration(kFirstBlockMs, kQuietAfterBlockMs);
    const bool lost = session.portLost();
    session.close();
    printLine(Cli::tr("%1 of %2 parameter blocks received")
                      .arg(reply.received())
                      .arg(ReadReply::kBlockCount));
    if (reply.complete())
        return exitStatus(ExitCode::Ok);
    if (lost)
        return lostPort(port);
    if (reply.received() == 0)
        return fail(ExitCode::NoAnswer, Cli::tr("the transmitter on %1 does not answer").arg(port));
    return fail(ExitCode::NoAnswer, Cli::tr("incomplete reply from the transmitter on %1: blocks %2 missing")
                                            .arg(port, blockList(reply.missing())));
}

// Sends the session's configuration, then either closes or, with verify,
// reads it back and compares every setting.
int sendAndMaybeVerify(TransmitterSession &session, const QString &port, const QString &what, bool verify)
{
    session.sendConfiguration();
    if (session.portLost()) {
        session.close();
        return lostPort(port);
    }
    printLine(Cli::tr("sent %1 to %2").arg(what, port));
    if (!verify) {
        session.close();
        return exitStatus(ExitCode::Ok);
    }

    const ParameterSet sent = session.parameters();
    const int status = readReply(session, port);
    if (status != exitStatus(ExitCode::Ok))
        return status;
    const QStringList differences = differenceListing(sent, session.parameters());
    if (differences.isEmpty()) {
        printLine(Cli::tr("verified: the transmitter holds every setting sent"));
        return exitStatus(ExitCode::Ok);
    }
    printLine(Cli::tr("the transmitter differs in %n setting(s) (sent -> read back):", nullptr,
                      differences.size()));
    printLines(differences);
    return exitStatus(ExitCode::Differs);
}

} // namespace

int listPorts()
{
    const QStringList lines = portListing(availablePorts());
    if (lines.isEmpty())
        printLine(Cli::tr("no serial ports found"));
    printLines(lines);
    return exitStatus(ExitCode::Ok);
}

int readToFile(const QString &port, const QString &outputPath)
{
    // Find out before talking to the transmitter whether the file can be
    // written at all.
    QString why;
    if (!canWriteParameterFile(outputPath, &why))
        return fail(ExitCode::File, Cli::tr("cannot write %1: %2").arg(outputPath, why));

    TransmitterSession session;
    if (!session.open(port))
        return openFailure(session);
    session.waitForStatus(kStatusWaitMs);
    const int status = readReply(session, port);
    if (status != exitStatus(ExitCode::Ok))
        return status;

    // The frames as a Save right after this Read would write them.
    if (!writeParameterFile(outputPath, parameterFileBytes(session.parameters()), &why))
        return fail(ExitCode::File, Cli::tr("cannot write %1: %2").arg(outputPath, why));
    printLine(Cli::tr("saved to %1").arg(outputPath));
    return exitStatus(ExitCode::Ok);
}

int writeFile(const QString &port, const QString &path, bool verify)
{
    ParameterSet p;
    QString error;
    QString warning;
    if (!loadParameterFile(path, p, &error, &warning))
        return fail(ExitCode::File, error);
    if (!warning.isEmpty())
        printError(warning);

    TransmitterSession session;
    if (!session.open(port))
        return openFailure(session);
    session.parameters() = p;
    return sendAndMaybeVerify(session, port, path, verify);
}

int factoryReset(const QString &port, bool verify)
{
    TransmitterSession session;
    if (!session.open(port))
        return openFailure(session);
    ParameterSet &p = session.parameters();
    restoreFactoryFirst(p);
    restoreFactorySecond(p);
    return sendAndMaybeVerify(session, port, Cli::tr("the factory values"), verify);
}

int monitor(const QString &port, const MonitorOptions &options)
{
    TransmitterSession session;
    if (!session.open(port))
        return openFailure(session);

    QElapsedTimer clock;
    clock.start();
    int packets = 0;
    // Ctrl-C, the end of the time, or a reader that went away (monitor | head)
    // all end the run the same way, so the transmitter hears "DIS".
    bool outputGone = false;
    g_interrupted = 0;
    const auto previousInt = std::signal(SIGINT, onInterrupt);
    const auto previousTerm = std::signal(SIGTERM, onInterrupt);
#ifdef SIGPIPE
    const auto previousPipe = std::signal(SIGPIPE, SIG_IGN);
#endif
    if (options.csv)
        outputGone = !printLine(monitorCsvHeader());
    QObject::connect(&session, &TransmitterSession::chunkHandled, &session, [&](const InboundResult &r) {
        if (outputGone || (r.kind != InboundResult::ChannelPacket && r.kind != InboundResult::StatusPacket))
            return;
        ++packets;
        outputGone = !printLine(options.csv
                                        ? monitorCsvLine(clock.elapsed(), session.parameters(), session.liveValues())
                                        : monitorLine(session.parameters(), session.liveValues()));
    });

    const qint64 limitMs = qint64(options.seconds) * 1000;
    while (!g_interrupted && !outputGone && !session.portLost() && (limitMs == 0 || clock.elapsed() < limitMs))
        waitMs(kMonitorPollMs);
    std::signal(SIGINT, previousInt);
    std::signal(SIGTERM, previousTerm);
#ifdef SIGPIPE
    std::signal(SIGPIPE, previousPipe);
#endif

    const bool lost = session.portLost();
    session.close();
    if (lost)
        return lostPort(port);
    if (packets == 0)
        return fail(ExitCode::NoAnswer, Cli::tr("no live packets from the transmitter on %1").arg(port));
    return exitStatus(ExitCode::Ok);
}

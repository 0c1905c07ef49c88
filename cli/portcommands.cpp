#include "cli/portcommands.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QStringList>

#include <csignal>
#include <iterator>

#include "cli/clitext.h"
#include "cli/console.h"
#include "cli/fileinput.h"
#include "cli/monitorreport.h"
#include "cli/portreport.h"
#include "cli/readback.h"
#include "cli/transferlink.h"
#include "files/backups.h"
#include "files/backuplist.h"
#include "files/parameterfile.h"
#include "link/portlist.h"
#include "link/protocol.h"
#include "link/readreply.h"
#include "link/sendtally.h"
#include "link/transmittersession.h"
#include "link/waitms.h"
#include "model/defaults.h"
#include "model/parameterset.h"
#include "transfer/replyrules.h"

namespace {

// The transmitter streams live packets several times a second from the
// moment it hears "OK"; none within this time means nobody is there.
constexpr int kLiveWaitMs = 2000;
// Before "RR": the live stream under way, as it is long before a pilot
// presses Read in the window.
constexpr int kSettleBeforeReadMs = 1000;
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

// Some frames went out, then the port went away: neither nothing sent nor
// the set-up sent.
int cutSend(const QString &port, int frames)
{
    return fail(ExitCode::SendCut, Cli::tr("%1 of %2 frames sent, then the port %3 went away: the transmitter may "
                                           "hold part of the new set-up")
                                           .arg(frames)
                                           .arg(int(std::size(Protocol::kFrameOrder)))
                                           .arg(port));
}

// Opens the port and waits for the live stream that follows "OK". Nothing
// but "OK" and the closing "DIS" goes to a port where nobody answers.
// Returns Ok with the session open, the exit status otherwise.
int openAnswering(TransmitterSession &session, const QString &port)
{
    if (!session.open(port))
        return openFailure(session);
    if (session.waitForLivePacket(kLiveWaitMs))
        return exitStatus(ExitCode::Ok);
    const bool lost = session.portLost();
    session.close();
    if (lost)
        return lostPort(port);
    return fail(ExitCode::NoAnswer, Cli::tr("no transmitter answering on %1").arg(port));
}

// Asks for the configuration and says how much of it came. Closes the
// session unless it is complete and keepOpen. Returns Ok when the reply is
// complete, the exit status otherwise.
int readWhole(TransferLink &link, const QString &port, bool keepOpen = false)
{
    TransmitterSession &session = link.session;
    const ReadReply reply = link.read();
    const bool lost = session.portLost();
    if (!reply.complete() || !keepOpen)
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
    QString why = Cli::tr("incomplete reply from the transmitter on %1: blocks %2 missing")
                          .arg(port, blockList(reply.missing()));
    if (reply.repeats() > 0)
        why += Cli::tr(" (%n block(s) came again)", nullptr, reply.repeats());
    return fail(ExitCode::NoAnswer, why);
}

// What the transmitter holds goes into a backup before a send replaces it,
// by the window's sequence: read first unless a complete read came before,
// backed up in the window's folder, with the port. The trims come only with
// a status packet, so one must have come, or the backup would hold start
// values as if they were the transmitter's. Returns Ok to go on sending,
// else closes the session and returns the exit status; --force sends
// without a backup that failed.
int backUp(TransferLink &link, const QString &port, const QString &command, const SendOptions &options)
{
    TransmitterSession &session = link.session;
    OptionAnswers ask(port, options.force);
    const bool trims = session.waitForStatus(ReplyRules::kStatusWaitMs);
    bool readNow = false;
    TransferWorkflow::Step step = link.workflow.knowBefore(true, ask, &readNow);
    if (session.portLost()) {
        session.close();
        return lostPort(port);
    }
    if (step == TransferWorkflow::Step::Go && link.workflow.record().hasCompleteRead()) {
        if (!trims)
            step = ask.trimsUnknown() ? TransferWorkflow::Step::Go : TransferWorkflow::Step::Cancelled;
        else
            step = link.workflow.backUp(command, port, Backups::windowDirectory(), ask);
    }
    if (step == TransferWorkflow::Step::Go)
        return exitStatus(ExitCode::Ok);
    session.close();
    return fail(ExitCode::Backup, ask.why() + Cli::tr("; nothing sent (--force sends anyway, --no-backup takes none)"));
}

// Sends the session's configuration, then either closes or, with verify,
// reads it back and compares every setting.
int sendAndMaybeVerify(TransferLink &link, const QString &port, const QString &what, bool verify)
{
    TransmitterSession &session = link.session;
    const SendTally tally = session.sendConfiguration();
    if (session.portLost() || tally.outcome() != SendTally::Outcome::Delivered) {
        session.close();
        if (tally.frames() == 0)
            return lostPort(port);
        return cutSend(port, tally.frames());
    }
    if (!verify) {
        session.close();
        printLine(Cli::tr("sent %1 to %2, not verified (--no-verify)").arg(what, port));
        return exitStatus(ExitCode::Ok);
    }
    // A copy: the read-back replaces the session's configuration.
    const ParameterSet sent = session.parameters();
    return verifySend(link, port, sent);
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

    TransferLink link;
    TransmitterSession &session = link.session;
    if (!session.open(port))
        return openFailure(session);
    session.waitForStatus(kSettleBeforeReadMs);
    const int status = readWhole(link, port, true);
    if (status != exitStatus(ExitCode::Ok))
        return status;
    // The trims come only with a status packet: a fresh one after the reply,
    // or the file would hold start values as if they were the transmitter's.
    const bool trims = session.waitForStatus(ReplyRules::kStatusWaitMs);
    const bool lost = session.portLost();
    session.close();
    if (lost)
        return lostPort(port);
    if (!trims) {
        return fail(ExitCode::NoAnswer, Cli::tr("no status packet from the transmitter on %1, so its trims are "
                                                "unknown; nothing saved").arg(port));
    }

    // The frames as a Save right after this Read would write them.
    if (!writeParameterFile(outputPath, parameterFileBytes(session.parameters()), &why))
        return fail(ExitCode::File, Cli::tr("cannot write %1: %2").arg(outputPath, why));
    printLine(Cli::tr("saved to %1").arg(outputPath));
    return exitStatus(ExitCode::Ok);
}

int writeFile(const QString &port, const QString &path, const SendOptions &options)
{
    // The file is judged before the port is touched.
    ParameterFileInput file;
    QString error;
    if (!readParameterFileInput(path, &file, &error))
        return fail(ExitCode::File, error);

    TransferLink link;
    TransmitterSession &session = link.session;
    const int answering = openAnswering(session, port);
    if (answering != exitStatus(ExitCode::Ok))
        return answering;
    ParameterSet p;
    const QString missing = file.missingFrames();
    if (!missing.isEmpty()) {
        // What the file lacks is taken from the transmitter itself, never
        // from start values it does not hold. Without the I frame the trims
        // must come from a status packet.
        const bool trims = file.found.i || session.waitForStatus(ReplyRules::kStatusWaitMs);
        const bool read = trims && link.read().complete();
        if (session.portLost() || !read) {
            const bool lost = session.portLost();
            session.close();
            if (lost)
                return lostPort(port);
            return fail(ExitCode::File, Cli::tr("%1 lacks the frames %2, and the set-up of the transmitter on %3 "
                                                "could not be read to fill them in; nothing sent")
                                                .arg(path, missing, port));
        }
    }
    if (options.backup) {
        const int backedUp = backUp(link, port, QStringLiteral("write"), options);
        if (backedUp != exitStatus(ExitCode::Ok))
            return backedUp;
    }
    if (!missing.isEmpty()) {
        p = session.parameters();
        printLine(Cli::tr("%1 lacks the frames %2: their settings are kept as read from the transmitter")
                          .arg(path, missing));
    }
    overlayParameterFile(file, p);
    // Set only now: the live packets of the wait would have replaced the trims.
    session.parameters() = p;
    return sendAndMaybeVerify(link, port, path, options.verify);
}

int factoryReset(const QString &port, const SendOptions &options)
{
    TransferLink link;
    TransmitterSession &session = link.session;
    const int answering = openAnswering(session, port);
    if (answering != exitStatus(ExitCode::Ok))
        return answering;
    // The factory values over the set-up as it was before the backup's read,
    // so the frames are those a reset without a backup sends.
    ParameterSet p = session.parameters();
    if (options.backup) {
        const int backedUp = backUp(link, port, QStringLiteral("factory-reset"), options);
        if (backedUp != exitStatus(ExitCode::Ok))
            return backedUp;
    }
    restoreFactoryFirst(p);
    restoreFactorySecond(p);
    session.parameters() = p;
    return sendAndMaybeVerify(link, port, Cli::tr("the factory values"), options.verify);
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
        // A channel packet and a status packet make one reading: one line
        // per channel packet, with the telemetry last reported.
        if (r.kind != InboundResult::ChannelPacket)
            return;
        outputGone = !printLine(options.csv
                                        ? monitorCsvLine(clock.elapsed(), session.parameters(), session.liveValues())
                                        : monitorReadingLine(session.parameters(), session.liveValues()));
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

// A virtual transmitter for trying the configuration tool without hardware.
//
//   kelvo-miraq-sim                    on a pseudo-terminal (Linux, macOS);
//                                      prints "PORT <device path>" first
//   kelvo-miraq-sim --port COM7        on a serial port (one end of a virtual
//                                      null-modem pair, or a real cable)
//   --config FILE   keeps the configuration in FILE across runs
//   --rate N        live packets per second (default 50)
//   --quiet         no log of what arrives
//   --ignore-frame, --silent-after, --repeat-block, --block-gap
//                   faults on purpose (see --help)
//   --split, --split-in-two, --split-gap MS, --merge, --latency MS
//                   what the transmitter sends reaches the tool the way a
//                   USB-serial adapter delivers it
//   --link PATH     a symbolic link at PATH to the pseudo-terminal, the same
//                   across restarts ("default": StableLink::defaultPath())
//
// The tool opens the pseudo-terminal with kelvo-miraq-config --port /dev/pts/4
// --open, or lists it ahead of the system's ports with
// KELVO_EXTRA_PORTS=/dev/pts/4 kelvo-miraq-config.

#include "sim/simulatedtransmitter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <memory>

#include "sim/adapterline.h"
#include "sim/ptyport.h"
#include "sim/quitonsignal.h"
#include "sim/seriallink.h"
#include "sim/stablelink.h"

namespace {

// The line's full rate: 115200 baud, ten bits a byte, twenty bytes a packet.
constexpr int kMaxRate = 576;

// The parameter-file code the simulator shares with the tool writes debug
// lines meant for the tool's developers; the simulator has its own log.
void dropDebugOutput(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

int fail(const QString &message)
{
    std::fprintf(stderr, "kelvo-miraq-sim: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-miraq-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral("4.9"));
    qInstallMessageHandler(dropDebugOutput);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Virtual KELVO&MIRAQ transmitter for the configuration tool."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Serial port to use instead of a pseudo-terminal."),
                                        QStringLiteral("name"));
    const QCommandLineOption configOption(QStringLiteral("config"),
                                          QStringLiteral("Parameter file that keeps the configuration across runs."),
                                          QStringLiteral("file"));
    const QCommandLineOption rateOption(QStringLiteral("rate"),
                                        QStringLiteral("Live packets per second (default 50)."),
                                        QStringLiteral("n"), QStringLiteral("50"));
    const QCommandLineOption quietOption(QStringLiteral("quiet"), QStringLiteral("Do not log what arrives."));
    parser.addOptions({portOption, configOption, rateOption, quietOption});
    addFaultOptions(parser);
    const QCommandLineOption splitOption(QStringLiteral("split"),
                                         QStringLiteral("Cut every message at random points, with gaps of up to 16 ms."));
    const QCommandLineOption inTwoOption(QStringLiteral("split-in-two"),
                                         QStringLiteral("Cut every message once, at a random point; its rest follows "
                                                        "exactly the split gap later."));
    const QCommandLineOption gapOption(QStringLiteral("split-gap"),
                                       QStringLiteral("Longest gap between the pieces of a split message, the gap itself "
                                                      "with --split-in-two (default 16)."),
                                       QStringLiteral("ms"), QStringLiteral("16"));
    const QCommandLineOption mergeOption(QStringLiteral("merge"), QStringLiteral("Send every two messages in one write."));
    const QCommandLineOption latencyOption(QStringLiteral("latency"),
                                           QStringLiteral("Hold what is sent for ms milliseconds, like an adapter's latency timer."),
                                           QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption linkOption(QStringLiteral("link"),
                                        QStringLiteral("Make PATH a link to the pseudo-terminal, the same across restarts "
                                                       "(\"default\": %1).").arg(StableLink::defaultPath()),
                                        QStringLiteral("path"));
    parser.addOptions({splitOption, inTwoOption, gapOption, mergeOption, latencyOption, linkOption});
    parser.process(app);

    SimulatorOptions options;
    bool rateOk = false;
    options.packetsPerSecond = parser.value(rateOption).toInt(&rateOk);
    if (!rateOk || options.packetsPerSecond < 1 || options.packetsPerSecond > kMaxRate)
        return fail(QStringLiteral("--rate takes a number from 1 to %1").arg(kMaxRate));
    options.configPath = parser.value(configOption);
    const QString faultProblem = readFaultOptions(parser, &options.faults);
    if (!faultProblem.isEmpty())
        return fail(faultProblem);
    AdapterBehaviour adapter;
    adapter.inTwo = parser.isSet(inTwoOption);
    adapter.split = parser.isSet(splitOption) || adapter.inTwo;
    adapter.merge = parser.isSet(mergeOption);
    bool gapOk = false;
    adapter.maxGapMs = parser.value(gapOption).toInt(&gapOk);
    if (!gapOk || adapter.maxGapMs < 1 || adapter.maxGapMs > 1000)
        return fail(QStringLiteral("--split-gap takes a number of milliseconds from 1 to 1000"));
    bool latencyOk = false;
    adapter.latencyMs = parser.value(latencyOption).toInt(&latencyOk);
    if (!latencyOk || adapter.latencyMs < 0 || adapter.latencyMs > 1000)
        return fail(QStringLiteral("--latency takes a number of milliseconds from 0 to 1000"));
    adapter.seed = quint32(QCoreApplication::applicationPid());

    std::unique_ptr<SimLink> link;
    if (parser.isSet(portOption))
        link = std::make_unique<SerialLink>(parser.value(portOption));
    else
        link = std::make_unique<PtyPort>();
    if (!adapter.isPlain())
        link = std::make_unique<AdapterLine>(std::move(link), adapter);
    if (!link->open())
        return fail(QStringLiteral("cannot open %1: %2")
                            .arg(parser.isSet(portOption) ? parser.value(portOption) : QStringLiteral("a pseudo-terminal"),
                                 link->errorString()));

    StableLink stableLink;
    QString linkPath;
    if (parser.isSet(linkOption)) {
        linkPath = QFileInfo(parser.value(linkOption) == QLatin1String("default") ? StableLink::defaultPath()
                                                                                  : parser.value(linkOption))
                           .absoluteFilePath();
        if (!stableLink.make(linkPath, link->devicePath()))
            return fail(stableLink.errorString());
    }

    SimulatedTransmitter transmitter(options);
    if (!parser.isSet(quietOption)) {
        QObject::connect(&transmitter, &SimulatedTransmitter::logLine, [](const QString &line) {
            std::fprintf(stderr, "%s\n", qPrintable(line));
            std::fflush(stderr);
        });
    }
    QObject::connect(link.get(), &SimLink::received, &transmitter, &SimulatedTransmitter::receive);
    QObject::connect(&transmitter, &SimulatedTransmitter::transmit, link.get(), [&](const QByteArray &bytes) {
        if (!link->write(bytes))
            transmitter.lineStalled();
    });
    QObject::connect(&transmitter, &SimulatedTransmitter::lineReset, link.get(), &SimLink::discardUnread);
    quitOnTerminationSignals(app);

    // The first line is for scripts; keep its form.
    QTextStream out(stdout);
    out << "PORT " << link->devicePath() << '\n';
    if (!linkPath.isEmpty())
        out << "LINK " << linkPath << '\n';
    out << "Virtual transmitter on " << link->devicePath()
        << ": start the tool with --port " << link->devicePath()
        << " --open. Ctrl-C stops.\n";
    out.flush();

    transmitter.start();
    const int result = app.exec();
    transmitter.stop();
    link->close();
    if (!parser.isSet(quietOption))
        std::fprintf(stderr, "kelvo-miraq-sim: stopped\n");
    return result;
}

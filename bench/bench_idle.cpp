// The cost of doing nothing: the window program as a pilot starts it, on a
// display that paints, with the port closed and nobody plugging anything in,
// so all it does is keep the port list up to date and refresh the pages.
// Beside it the plain terminal (plainterminal) shows its window with no port.
// Prints the CPU share of one core of both, read from /proc/<pid>/stat.
//
//   bench_idle [--seconds 60] [--settle 5] [--platform xcb|offscreen]
//
// xcb runs both on an X server of its own (Xvfb); where none starts, both run
// offscreen and the output says so. The machine's other load shows in the
// figures: repeat a run and compare.
//
// For the system calls behind it, run the program itself under strace, e.g.
// `strace -c -f -e trace=openat build/bin/kelvo-miraq-config`.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QProcess>
#include <QTextStream>

#include "streamprobe.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Measures the window program idling with the port closed."));
    parser.addHelpOption();
    const QCommandLineOption secondsOption(QStringLiteral("seconds"), QStringLiteral("Measured time."),
                                           QStringLiteral("s"), QStringLiteral("60"));
    const QCommandLineOption settleOption(QStringLiteral("settle"), QStringLiteral("Seconds before measuring."),
                                          QStringLiteral("s"), QStringLiteral("5"));
    const QCommandLineOption platformOption(QStringLiteral("platform"), QStringLiteral("xcb (under Xvfb) or offscreen."),
                                            QStringLiteral("name"), QStringLiteral("xcb"));
    const QCommandLineOption toolOption(QStringLiteral("tool"), QStringLiteral("The window program."),
                                        QStringLiteral("path"), QStringLiteral(KELVO_APP_PATH));
    const QCommandLineOption terminalOption(QStringLiteral("terminal"), QStringLiteral("The plain terminal to compare with."),
                                            QStringLiteral("path"), QStringLiteral(KELVO_TERMINAL_PATH));
    parser.addOptions({secondsOption, settleOption, platformOption, toolOption, terminalOption});
    parser.process(app);
    const int seconds = parser.value(secondsOption).toInt();
    const int settle = parser.value(settleOption).toInt();
    if (seconds < 1 || settle < 0) {
        QTextStream(stderr) << "bench_idle: --seconds takes a positive number, --settle zero or more\n";
        return 1;
    }

    const BenchDisplay display(parser.value(platformOption));
    QProcess tool;
    QProcess terminal;
    if (!startSideBySide(display, tool, parser.value(toolOption), {}, terminal, parser.value(terminalOption), {})) {
        QTextStream(stderr) << "bench_idle: the window program or the plain terminal did not start\n";
        return 1;
    }

    const SideBySide cost = measureSideBySide(tool, terminal, display, settle, seconds);
    const bool ran = tool.state() == QProcess::Running && terminal.state() == QProcess::Running;
    stopProcesses({&tool, &terminal});
    QTextStream(stdout) << sideBySideReport(QStringLiteral("idle, port closed"), cost, display);
    if (!ran) {
        QTextStream(stderr) << "bench_idle: a measured program ended early\n";
        return 1;
    }
    return 0;
}

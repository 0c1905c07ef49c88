// The cost of doing nothing: the window offscreen with the port closed and
// nobody plugging anything in, so all it does is keep the port list up to
// date and refresh the pages. Prints the CPU share of one core.
//
//   bench_idle [--seconds 30] [--settle 5]
//
// For the system calls behind it, run it under
// `strace -c -f -e trace=openat build/bin/bench_idle --seconds 6`.

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <QTimer>

#include "app/mainwindow.h"
#include "streamprobe.h"

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Measures the tool idling with the port closed."));
    parser.addHelpOption();
    const QCommandLineOption secondsOption(QStringLiteral("seconds"), QStringLiteral("Measured time."),
                                           QStringLiteral("s"), QStringLiteral("30"));
    const QCommandLineOption settleOption(QStringLiteral("settle"), QStringLiteral("Seconds before measuring."),
                                          QStringLiteral("s"), QStringLiteral("5"));
    parser.addOptions({secondsOption, settleOption});
    parser.process(app);
    const int seconds = parser.value(secondsOption).toInt();
    const int settle = parser.value(settleOption).toInt();
    if (seconds < 1 || settle < 0) {
        QTextStream(stderr) << "bench_idle: --seconds takes a positive number, --settle zero or more\n";
        return 1;
    }

    MainWindow window;
    window.show();
    ProcessCost start;
    QTimer::singleShot(settle * 1000, &app, [&] {
        start = processCost();
        QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    });
    QApplication::exec();
    const ProcessCost end = processCost();

    QTextStream out(stdout);
#if defined(Q_OS_LINUX)
    const double cpu = end.cpuSeconds - start.cpuSeconds;
    out << QStringLiteral("idle, port closed: %1 % of a core (%2 s CPU in %3 s), resident %4 MB\n")
                   .arg(100.0 * cpu / seconds, 0, 'f', 2)
                   .arg(cpu, 0, 'f', 3)
                   .arg(seconds)
                   .arg(end.rssKiB / 1024.0, 0, 'f', 1);
#else
    Q_UNUSED(end)
    out << "bench_idle: the CPU time is read on Linux only\n";
#endif
    return 0;
}

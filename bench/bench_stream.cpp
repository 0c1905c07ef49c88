// What the tool costs while the transmitter streams: the virtual transmitter
// sends its live packets into the window (monitor page shown, port open) for
// a given time, and the tool's CPU share and memory are printed.
//   QT_QPA_PLATFORM=offscreen bench_stream [seconds=20] [packets per second=50]
// The transmitter runs as a program of its own, so its work is not counted.
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSerialPort>
#include <QTabWidget>
#include <QTextStream>

#include "app/mainwindow.h"
#include "link/waitms.h"
#include "ui/mainform.h"

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>
#endif

#ifndef KELVO_SIM_PATH
#error "KELVO_SIM_PATH must name the simulator program"
#endif

namespace {

// User plus system time of this process, in milliseconds.
double cpuMs()
{
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
#else
    return 0.0;
#endif
}

// Resident memory now, in KiB (Linux); 0 where unknown.
long residentKib()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
#ifdef Q_OS_UNIX
    return fields.size() > 1 ? fields.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
#else
    return 0;
#endif
}

long peakResidentKib()
{
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss; // KiB on Linux
#else
    return 0;
#endif
}

int fail(const QString &why)
{
    QTextStream(stderr) << "bench_stream: " << why << '\n';
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int seconds = args.size() > 1 ? args.at(1).toInt() : 20;
    const int rate = args.size() > 2 ? args.at(2).toInt() : 50;
    if (seconds < 1 || rate < 1)
        return fail(QStringLiteral("usage: bench_stream [seconds] [packets per second]"));

    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(KELVO_SIM_PATH), {QStringLiteral("--quiet"), QStringLiteral("--rate"), QString::number(rate)});
    if (!sim.waitForStarted(10000))
        return fail(sim.errorString());
    QByteArray out;
    const QDeadlineTimer deadline(15000);
    while (!out.contains('\n') && !deadline.hasExpired() && sim.state() == QProcess::Running) {
        sim.waitForReadyRead(200);
        out += sim.readAllStandardOutput();
    }
    const QByteArray first = out.left(out.indexOf('\n'));
    if (!first.startsWith("PORT "))
        return fail(QStringLiteral("the simulator did not name its port"));
    qputenv("KELVO_EXTRA_PORTS", first.mid(5));

    MainWindow window;
    window.show();
    window.form()->tabWidget->setCurrentIndex(0); // the live monitor
    int chunks = 0;
    QObject::connect(&window.port(), &QSerialPort::readyRead, [&chunks] { ++chunks; });
    window.form()->openButton->click();
    if (!window.port().isOpen())
        return fail(QStringLiteral("cannot open %1").arg(QString::fromLocal8Bit(first.mid(5))));
    waitMs(1000); // settle: the first packets, the first refreshes

    const long rssBefore = residentKib();
    const int chunksBefore = chunks;
    const double cpuBefore = cpuMs();
    QElapsedTimer wall;
    wall.start();
    waitMs(seconds * 1000);
    const double cpu = cpuMs() - cpuBefore;
    const double elapsed = double(wall.elapsed());

    QTextStream report(stdout);
    report << "run            " << seconds << " s, " << rate << " packets/s offered\n"
           << "chunks handled " << (chunks - chunksBefore) << " ("
           << QString::number((chunks - chunksBefore) * 1000.0 / elapsed, 'f', 1) << "/s)\n"
           << "CPU            " << QString::number(cpu, 'f', 0) << " ms = "
           << QString::number(100.0 * cpu / elapsed, 'f', 1) << " % of one core\n"
           << "RSS            " << rssBefore << " KiB after start-up, " << residentKib()
           << " KiB at the end, peak " << peakResidentKib() << " KiB\n";
    report.flush();

    window.form()->openButton->click();
    sim.terminate();
    if (!sim.waitForFinished(5000))
        sim.kill();
    return 0;
}

// The cost of watching the live stream.
//
//   bench_stream [--seconds 60] [--rate 50] [--settle 5] [--platform xcb|offscreen]
//       the window program as a pilot runs it (kelvo-miraq-config --port
//       <device> --open, the monitor page shown) on a display that paints,
//       while a virtual transmitter streams live packets into it; beside it
//       the plain serial terminal (plainterminal) on a second virtual
//       transmitter streaming at the same rate. Prints the CPU share of one
//       core of both, read from /proc/<pid>/stat over the same stretch after
//       --settle seconds, and their resident memory. xcb runs both on an X
//       server of its own (Xvfb); where none starts, both run offscreen and
//       the output says so. The machine's other load shows in the figures:
//       repeat a run and compare.
//   bench_stream --soak [--seconds 1800] [--rate 576] [--every 180] [--settle 60]
//                [--csv soak.csv] [--png soak.png]
//       the window inside this process (offscreen unless QT_QPA_PLATFORM
//       says otherwise), so it can press Read and Write every --every
//       seconds and count the acknowledgements; a sample every 10 s; fails
//       when the resident memory grows more than 1 MB after --settle seconds
//       or when a chunk of input went unacknowledged
//
// 576 packets/s is the line's full rate: 115200 baud, ten bits a byte, twenty
// bytes a packet.

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLoggingCategory>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

#if defined(Q_OS_UNIX)
#include <csignal>
#include <sys/types.h>
#endif

#include "app/mainwindow.h"
#include "link/waitms.h"
#include "streamprobe.h"
#include "ui/mainform.h"

namespace {

constexpr int kSampleMs = 10000;
constexpr qint64 kGrowthLimitKiB = 1024;
constexpr qint64 kFrameBytes = 81;

struct Sample
{
    double seconds;
    double cpuPercent; // of one core, over the last interval
    qint64 rssKiB;
    qint64 chunks;
    qint64 missingAcks;
};

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// Stops or resumes the virtual transmitter (POSIX signals; elsewhere the
// last chunks may still be in flight when the count is taken).
void pauseProcess(const QProcess &process, bool pause)
{
#if defined(Q_OS_UNIX)
    ::kill(pid_t(process.processId()), pause ? SIGSTOP : SIGCONT);
#else
    Q_UNUSED(process)
    Q_UNUSED(pause)
#endif
}

int fail(const QString &why)
{
    QTextStream(stderr) << "bench_stream: " << why << '\n';
    return 1;
}

void drawPlot(const QVector<Sample> &samples, double settle, const QString &path)
{
    QImage image(900, 420, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(70, 40, 760, 320);
    painter.setPen(Qt::gray);
    painter.drawRect(area);
    if (samples.isEmpty())
        return;

    const double span = qMax(1.0, samples.last().seconds);
    qint64 rssMin = samples.first().rssKiB, rssMax = rssMin;
    double cpuMax = 1.0;
    for (const Sample &s : samples) {
        rssMin = qMin(rssMin, s.rssKiB);
        rssMax = qMax(rssMax, s.rssKiB);
        cpuMax = qMax(cpuMax, s.cpuPercent);
    }
    // At least 4 MB tall, so a flat line looks flat.
    const double rssLow = rssMin / 1024.0 - 1, rssHigh = qMax(rssMax / 1024.0 + 1, rssLow + 4);
    const auto x = [&](double t) { return area.left() + area.width() * t / span; };
    const auto yRss = [&](qint64 kib) {
        return area.bottom() - area.height() * (kib / 1024.0 - rssLow) / (rssHigh - rssLow);
    };
    const auto yCpu = [&](double c) { return area.bottom() - area.height() * c / (cpuMax * 1.2); };

    painter.setPen(QPen(QColor(230, 160, 0), 1, Qt::DashLine));
    painter.drawLine(QPointF(x(settle), area.top()), QPointF(x(settle), area.bottom()));
    QPolygonF rss, cpu;
    for (const Sample &s : samples) {
        rss << QPointF(x(s.seconds), yRss(s.rssKiB));
        cpu << QPointF(x(s.seconds), yCpu(s.cpuPercent));
    }
    painter.setPen(QPen(QColor(20, 90, 200), 2));
    painter.drawPolyline(rss);
    painter.setPen(QPen(QColor(200, 40, 40), 1.5));
    painter.drawPolyline(cpu);

    painter.setPen(Qt::black);
    painter.drawText(QPointF(area.left(), 25),
                     QStringLiteral("Resident memory (blue, MB, left) and CPU share (red, %, right) over %1 s")
                             .arg(span, 0, 'f', 0));
    for (int i = 0; i <= 4; ++i) {
        const double mb = rssLow + (rssHigh - rssLow) * i / 4;
        const double y = area.bottom() - area.height() * i / 4;
        painter.drawText(QPointF(10, y + 4), QString::number(mb, 'f', 1));
        painter.drawText(QPointF(area.right() + 8, y + 4), QString::number(cpuMax * 1.2 * i / 4, 'f', 1));
        const double t = span * i / 4;
        painter.drawText(QPointF(x(t) - 12, area.bottom() + 20), QStringLiteral("%1 s").arg(t, 0, 'f', 0));
    }
    painter.end();
    image.save(path);
}

// The window program and the plain terminal, each on its own virtual
// transmitter, measured side by side.
int measureAsRun(const QString &simPath, const QString &toolPath, const QString &terminalPath, int rate,
                 int seconds, int settle, const QString &platform)
{
    const BenchDisplay display(platform);
    const auto startSim = [&](QProcess &process) {
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(simPath, {QStringLiteral("--rate"), QString::number(rate), QStringLiteral("--quiet")});
        if (!process.waitForStarted(5000) || !process.waitForReadyRead(5000))
            return QString();
        const QByteArray line = process.readLine().trimmed();
        return line.startsWith("PORT ") ? QString::fromLocal8Bit(line.mid(5)) : QString();
    };
    QProcess toolSim;
    QProcess terminalSim;
    const QString toolPort = startSim(toolSim);
    const QString terminalPort = startSim(terminalSim);
    if (toolPort.isEmpty() || terminalPort.isEmpty())
        return fail(QStringLiteral("a virtual transmitter did not start or named no port"));

    QProcess tool;
    QProcess terminal;
    if (!startSideBySide(display, tool, toolPath, {QStringLiteral("--port"), toolPort, QStringLiteral("--open")},
                         terminal, terminalPath, {terminalPort}))
        return fail(QStringLiteral("the window program or the plain terminal did not start"));

    const SideBySide cost = measureSideBySide(tool, terminal, display, settle, seconds);
    const bool ran = tool.state() == QProcess::Running && terminal.state() == QProcess::Running;
    stopProcesses({&tool, &terminal, &toolSim, &terminalSim});
    out() << sideBySideReport(QStringLiteral("streaming %1 packets/s").arg(rate), cost, display);
    out().flush();
    return ran ? 0 : fail(QStringLiteral("a measured program ended early"));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // The per-block debug lines of a Read would drown the figures.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Measures the tool while the virtual transmitter streams."));
    parser.addHelpOption();
    const QCommandLineOption soakOption(QStringLiteral("soak"), QStringLiteral("Read and Write now and then, sample, check."));
    const QCommandLineOption secondsOption(QStringLiteral("seconds"), QStringLiteral("Run length."), QStringLiteral("s"));
    const QCommandLineOption rateOption(QStringLiteral("rate"), QStringLiteral("Live packets per second."), QStringLiteral("n"));
    const QCommandLineOption everyOption(QStringLiteral("every"), QStringLiteral("Seconds between Read/Write rounds."), QStringLiteral("s"), QStringLiteral("180"));
    const QCommandLineOption settleOption(QStringLiteral("settle"), QStringLiteral("Seconds before measuring; with --soak, before memory must stay flat (60)."), QStringLiteral("s"));
    const QCommandLineOption csvOption(QStringLiteral("csv"), QStringLiteral("Samples as CSV."), QStringLiteral("file"));
    const QCommandLineOption pngOption(QStringLiteral("png"), QStringLiteral("Samples as a plot."), QStringLiteral("file"));
    const QCommandLineOption simOption(QStringLiteral("sim"), QStringLiteral("The virtual transmitter."), QStringLiteral("path"),
                                       QStringLiteral(KELVO_SIM_PATH));
    const QCommandLineOption terminalOption(QStringLiteral("terminal"), QStringLiteral("The plain terminal to compare with."),
                                            QStringLiteral("path"), QStringLiteral(KELVO_TERMINAL_PATH));
    const QCommandLineOption toolOption(QStringLiteral("tool"), QStringLiteral("The window program."),
                                        QStringLiteral("path"), QStringLiteral(KELVO_APP_PATH));
    const QCommandLineOption platformOption(QStringLiteral("platform"), QStringLiteral("xcb (under Xvfb) or offscreen."),
                                            QStringLiteral("name"), QStringLiteral("xcb"));
    parser.addOptions({soakOption, secondsOption, rateOption, everyOption, settleOption, csvOption, pngOption, simOption,
                       terminalOption, toolOption, platformOption});
    parser.process(app);

    const bool soak = parser.isSet(soakOption);
    const int seconds = parser.value(secondsOption).isEmpty() ? (soak ? 1800 : 60) : parser.value(secondsOption).toInt();
    const int rate = parser.value(rateOption).isEmpty() ? (soak ? 576 : 50) : parser.value(rateOption).toInt();
    const int every = parser.value(everyOption).toInt();
    const double settle = parser.value(settleOption).isEmpty() ? (soak ? 60 : 5) : parser.value(settleOption).toDouble();
    if (seconds < 1 || rate < 1 || every < 10 || settle < 0)
        return fail(QStringLiteral("--seconds, --rate and --every take positive numbers (--every at least 10)"));
    if (!soak)
        return measureAsRun(parser.value(simOption), parser.value(toolOption), parser.value(terminalOption), rate,
                            seconds, int(settle), parser.value(platformOption));

    // Each virtual transmitter prints "PORT <device>" first.
    const auto startSim = [&](QProcess &process) {
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(parser.value(simOption), {QStringLiteral("--rate"), QString::number(rate), QStringLiteral("--quiet")});
        if (!process.waitForStarted(5000) || !process.waitForReadyRead(5000))
            return QByteArray();
        const QByteArray line = process.readLine().trimmed();
        return line.startsWith("PORT ") ? line.mid(5) : QByteArray();
    };
    QProcess sim;
    const QByteArray first = "PORT " + startSim(sim);
    if (first == "PORT ")
        return fail(QStringLiteral("the virtual transmitter did not start or named no port"));
    qputenv("KELVO_EXTRA_PORTS", first.mid(5));

    // The yardstick runs side by side with the tool, on its own transmitter.
    QProcess terminalSim;
    const QByteArray terminalPort = startSim(terminalSim);
    if (terminalPort.isEmpty())
        return fail(QStringLiteral("the terminal's virtual transmitter did not start"));
    QProcess terminal;
    terminal.start(parser.value(terminalOption), {QString::fromLocal8Bit(terminalPort)});
    if (!terminal.waitForStarted(5000))
        return fail(QStringLiteral("the plain terminal did not start"));

    MainWindow window;
    // The count of acknowledgements below knows the bytes of a Read and of a
    // Write; the read-back after a Write is one more Read, which the suites
    // test, so the soak leaves it out.
    window.setVerifiesSends(false);
    window.show();
    window.form()->tabWidget->setCurrentIndex(0);
    QSerialPort &port = window.port();
    qint64 chunks = 0;
    qint64 written = 0;
    int reads = 0;
    int writes = 0;
    QObject::connect(&port, &QSerialPort::readyRead, [&] { ++chunks; });
    QObject::connect(&port, &QSerialPort::bytesWritten, [&](qint64 n) { written += n; });
    window.form()->openButton->click();
    if (!port.isOpen())
        return fail(QStringLiteral("cannot open %1").arg(QString::fromLocal8Bit(first.mid(5))));

    // Every chunk is answered by "WWW"; besides, "OK", "RR" per Read and four
    // frames and "WWW" per Write.
    const auto missingAcks = [&] {
        const qint64 expected = 2 + 3 * chunks + 2 * reads + (4 * kFrameBytes + 3) * writes;
        return (expected - written - port.bytesToWrite()) / 3;
    };
    const auto press = [&](const char *name, int &count) {
        if (window.transferRunning())
            return;
        ++count;
        window.form()->find<QAbstractButton>(QString::fromLatin1(name))->click();
    };

    QVector<Sample> samples;
    QElapsedTimer clock;
    clock.start();
    ProcessCost last = processCost();
    qint64 lastMs = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const ProcessCost now = processCost();
        const qint64 ms = clock.elapsed();
        const double share = 100.0 * (now.cpuSeconds - last.cpuSeconds) / qMax<qint64>(1, ms - lastMs) * 1000.0;
        samples.append({ms / 1000.0, share, now.rssKiB, chunks, window.transferRunning() ? 0 : missingAcks()});
        last = now;
        lastMs = ms;
    });
    sampler.start(kSampleMs);
    QTimer rounds;
    QObject::connect(&rounds, &QTimer::timeout, [&] {
        press("toolButton_Read", reads);
        QTimer::singleShot(5000, &window, [&] { press("toolButton_Send", writes); });
    });
    if (soak)
        rounds.start(every * 1000);

    const ProcessCost start = processCost();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    app.exec();
    sampler.stop();
    rounds.stop();
    const ProcessCost end = processCost();
    const double wall = clock.elapsed() / 1000.0;

    // Hold the transmitter still, then let a running command end and every
    // chunk already on the line be answered: an acknowledgement still on its
    // way out is not a missing one.
    pauseProcess(sim, true);
    QElapsedTimer drain;
    drain.start();
    while ((window.transferRunning() || port.bytesToWrite() > 0 || drain.elapsed() < 500)
           && drain.elapsed() < 10000)
        waitMs(50);

    const qint64 terminalKiB = terminal.state() == QProcess::Running ? residentKiB(terminal.processId()) : 0;
    out() << QStringLiteral("%1 s at %2 packets/s: CPU %3 % of one core, resident %4 MB, %5 chunks, %6 unacknowledged\n")
                     .arg(wall, 0, 'f', 1)
                     .arg(rate)
                     .arg(100.0 * (end.cpuSeconds - start.cpuSeconds) / wall, 0, 'f', 2)
                     .arg(end.rssKiB / 1024.0, 0, 'f', 1)
                     .arg(chunks)
                     .arg(missingAcks());
    out() << QStringLiteral("plain terminal: resident %1 MB; the tool takes %2 times as much\n")
                     .arg(terminalKiB / 1024.0, 0, 'f', 1)
                     .arg(terminalKiB > 0 ? double(end.rssKiB) / terminalKiB : 0.0, 0, 'f', 2);
    out().flush();
    terminal.terminate();
    terminal.waitForFinished(3000);
    terminalSim.terminate();
    terminalSim.waitForFinished(3000);
    port.close();
    pauseProcess(sim, false);
    sim.terminate();
    sim.waitForFinished(3000);
    if (!soak)
        return missingAcks() == 0 ? 0 : 1;

    if (parser.isSet(csvOption)) {
        QFile csv(parser.value(csvOption));
        if (csv.open(QIODevice::WriteOnly | QIODevice::Text)) {
            QTextStream s(&csv);
            s << "seconds,cpu_percent,rss_kib,chunks,unacknowledged\n";
            for (const Sample &sample : samples)
                s << sample.seconds << ',' << sample.cpuPercent << ',' << sample.rssKiB << ',' << sample.chunks << ','
                  << sample.missingAcks << '\n';
        }
    }
    if (parser.isSet(pngOption))
        drawPlot(samples, settle, parser.value(pngOption));

    qint64 base = -1, peak = 0;
    for (const Sample &s : samples) {
        if (s.seconds < settle)
            continue;
        if (base < 0)
            base = s.rssKiB;
        peak = qMax(peak, s.rssKiB);
    }
    const qint64 growth = base < 0 ? 0 : peak - base;
    out() << QStringLiteral("after %1 s: resident grew %2 KiB (limit %3), %4 Reads, %5 Writes\n")
                     .arg(settle).arg(growth).arg(kGrowthLimitKiB).arg(reads).arg(writes);
    if (growth > kGrowthLimitKiB)
        return fail(QStringLiteral("resident memory grew %1 KiB").arg(growth));
    if (missingAcks() != 0)
        return fail(QStringLiteral("%1 chunks went unacknowledged").arg(missingAcks()));
    return 0;
}

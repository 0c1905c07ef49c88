#include "streamprobe.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

qint64 residentKiBFrom(const QString &statusPath)
{
    QFile status(statusPath);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// utime + stime of /proc/<pid>/stat, in seconds.
double cpuSecondsFrom(const QString &statPath)
{
#if defined(Q_OS_LINUX)
    QFile stat(statPath);
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // The command name may hold spaces; the fields follow its ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    // Fields 14 and 15 of the whole line, 12 and 13 after the name.
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
#else
    Q_UNUSED(statPath)
    return 0;
#endif
}

void runEventsFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
}

} // namespace

qint64 residentKiB(qint64 pid)
{
    return residentKiBFrom(QStringLiteral("/proc/%1/status").arg(pid));
}

ProcessCost processCost()
{
    ProcessCost cost;
#if defined(Q_OS_UNIX)
    rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) == 0) {
        cost.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6
                + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
    }
#endif
    cost.rssKiB = residentKiBFrom(QStringLiteral("/proc/self/status"));
    return cost;
}

ProcessCost processCost(qint64 pid)
{
    ProcessCost cost;
    cost.cpuSeconds = cpuSecondsFrom(QStringLiteral("/proc/%1/stat").arg(pid));
    cost.rssKiB = residentKiB(pid);
    return cost;
}

BenchDisplay::BenchDisplay(const QString &platform)
    : m_platform(platform)
    , m_environment(QProcessEnvironment::systemEnvironment())
{
    // Settings and backups of their own.
    QTemporaryDir home;
    home.setAutoRemove(false);
    m_home = home.path();
    m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home + QStringLiteral("/config"));
    m_environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home + QStringLiteral("/data"));
    m_environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_home + QStringLiteral("/cache"));
    const QString runtime = m_home + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);

    if (m_platform == QLatin1String("xcb")) {
        // -displayfd 1: the server picks a free display and names it on its
        // standard output once it accepts clients.
        m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                 QStringLiteral("-screen"), QStringLiteral("0"),
                                                 QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                                 QStringLiteral("tcp")});
        QByteArray number;
        if (m_server.waitForStarted(5000)) {
            QElapsedTimer clock;
            clock.start();
            while (!number.endsWith('\n') && clock.elapsed() < 10000 && m_server.state() == QProcess::Running) {
                m_server.waitForReadyRead(200);
                number += m_server.readAllStandardOutput();
            }
        }
        if (number.trimmed().isEmpty()) {
            m_server.kill();
            m_server.waitForFinished(2000);
            m_note = QStringLiteral("no X server could be started (Xvfb); measured offscreen, where nothing is painted");
            m_platform = QStringLiteral("offscreen");
        } else {
            m_environment.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + QString::fromLatin1(number.trimmed()));
        }
    }
    m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), m_platform);
}

BenchDisplay::~BenchDisplay()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(3000))
            m_server.kill();
        m_server.waitForFinished(2000);
    }
    QDir(m_home).removeRecursively();
}

double BenchDisplay::serverCpuSeconds() const
{
    return m_server.state() == QProcess::Running ? processCost(m_server.processId()).cpuSeconds : 0;
}

SideBySide measureSideBySide(const QProcess &first, const QProcess &second, const BenchDisplay &display,
                             int settleSeconds, int seconds)
{
    runEventsFor(settleSeconds * 1000);
    const ProcessCost firstStart = processCost(first.processId());
    const ProcessCost secondStart = processCost(second.processId());
    const double serverStart = display.serverCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    runEventsFor(seconds * 1000);
    const ProcessCost firstEnd = processCost(first.processId());
    const ProcessCost secondEnd = processCost(second.processId());
    const double serverEnd = display.serverCpuSeconds();
    SideBySide result;
    result.seconds = clock.elapsed() / 1000.0;
    result.first = 100.0 * (firstEnd.cpuSeconds - firstStart.cpuSeconds) / result.seconds;
    result.second = 100.0 * (secondEnd.cpuSeconds - secondStart.cpuSeconds) / result.seconds;
    result.server = 100.0 * (serverEnd - serverStart) / result.seconds;
    result.firstKiB = firstEnd.rssKiB;
    result.secondKiB = secondEnd.rssKiB;
    return result;
}

bool startSideBySide(const BenchDisplay &display, QProcess &tool, const QString &toolPath,
                     const QStringList &toolArguments, QProcess &terminal, const QString &terminalPath,
                     const QStringList &terminalArguments)
{
    for (QProcess *process : {&tool, &terminal}) {
        process->setProcessEnvironment(display.environment());
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    tool.start(toolPath, toolArguments);
    terminal.start(terminalPath, terminalArguments);
    return tool.waitForStarted(5000) && terminal.waitForStarted(5000);
}

void stopProcesses(const QList<QProcess *> &processes)
{
    for (QProcess *process : processes) {
        process->terminate();
        if (!process->waitForFinished(5000))
            process->kill();
        process->waitForFinished(2000);
    }
}

QString sideBySideReport(const QString &situation, const SideBySide &cost, const BenchDisplay &display)
{
    QString report;
    if (!display.note().isEmpty())
        report += QStringLiteral("note: ") + display.note() + QLatin1Char('\n');
    report += QStringLiteral("%1, %2, %3 s: the tool %4 % of a core (resident %5 MB), "
                             "the plain terminal %6 % (resident %7 MB)")
                      .arg(situation, display.platform())
                      .arg(cost.seconds, 0, 'f', 1)
                      .arg(cost.first, 0, 'f', 2)
                      .arg(cost.firstKiB / 1024.0, 0, 'f', 1)
                      .arg(cost.second, 0, 'f', 2)
                      .arg(cost.secondKiB / 1024.0, 0, 'f', 1);
    if (display.platform() == QLatin1String("xcb"))
        report += QStringLiteral(", the X server %1 % for both").arg(cost.server, 0, 'f', 2);
    return report + QLatin1Char('\n');
}

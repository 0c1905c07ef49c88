#pragma once

#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// What the process costs: CPU time and resident memory, read from the
// operating system (Linux /proc and getrusage; elsewhere zero).
struct ProcessCost
{
    double cpuSeconds = 0; // user + system since start
    qint64 rssKiB = 0;     // resident set size now
};

ProcessCost processCost();

// The same of another process: utime + stime of /proc/<pid>/stat and its
// resident set size (Linux; elsewhere zero).
ProcessCost processCost(qint64 pid);

// The resident set size of another process (Linux /proc; elsewhere zero).
qint64 residentKiB(qint64 pid);

// A display that paints, for programs measured as a pilot runs them: an X
// server of its own (Xvfb) for the xcb platform. Where none can be started
// the programs run offscreen, and note() says so.
class BenchDisplay
{
public:
    // platform: "xcb" (an Xvfb of its own) or "offscreen".
    explicit BenchDisplay(const QString &platform);
    ~BenchDisplay();

    // The environment a measured program starts in: the platform, the
    // display, and settings and data folders of its own, so a run neither
    // reads nor changes the user's.
    QProcessEnvironment environment() const { return m_environment; }
    QString platform() const { return m_platform; }
    QString note() const { return m_note; }
    // The X server's own CPU time so far (zero offscreen); it paints for
    // every program on the display.
    double serverCpuSeconds() const;

private:
    QProcess m_server;
    QString m_platform;
    QString m_note;
    QString m_home;
    QProcessEnvironment m_environment;
};

// The CPU share of one core of each of two processes over the same stretch.
struct SideBySide
{
    double first = 0;  // percent of one core
    double second = 0; // percent of one core
    double server = 0; // the X server over the same stretch
    qint64 firstKiB = 0;
    qint64 secondKiB = 0;
    double seconds = 0;
};

// Waits settleSeconds, then measures both processes for seconds (the event
// loop runs meanwhile).
SideBySide measureSideBySide(const QProcess &first, const QProcess &second, const BenchDisplay &display,
                             int settleSeconds, int seconds);

// Starts the window program and the plain terminal in the display's
// environment, their error output on this program's; false when either
// did not start.
bool startSideBySide(const BenchDisplay &display, QProcess &tool, const QString &toolPath,
                     const QStringList &toolArguments, QProcess &terminal, const QString &terminalPath,
                     const QStringList &terminalArguments);
// Ends each process: asked first, killed when it has not ended in 5 s.
void stopProcesses(const QList<QProcess *> &processes);
// The figures of measureSideBySide() as the benchmarks print them: the
// display's note on a line of its own, then "<situation>, <platform>, <n> s:
// the tool ... of a core (resident ...), the plain terminal ..." and, on an X
// server, its share; each line ends with a newline.
QString sideBySideReport(const QString &situation, const SideBySide &cost, const BenchDisplay &display);

#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class SystemProbe;

// What listening on the port for the transmitter's live packets gave.
struct ListenResult
{
    enum Answer { NotTried, Answered, Silent, OpenFailed, Lost };
    Answer answer = NotTried;
    QString error; // OpenFailed: why
};

// One step of the connection check.
struct CheckResult
{
    // The steps, in the order they run.
    enum Id { PortExists, Access, Holder, Brltty, ModemManager, LiveAnswer };
    // Noted: passed, with something to put right that does not keep the
    // port shut (a stale lock file).
    enum State { Passed, Failed, Skipped, Noted };
    Id id = PortExists;
    State state = Skipped;
    QString text; // what was found, for a pilot
    QString fix;  // what to do about a failure
};

struct ConnectionReport
{
    QString port;   // as given ("ttyUSB0", "/dev/pts/7", a link), empty for none
    QString device; // the device file checked, every link resolved ("/dev/ttyUSB0")
    QVector<CheckResult> results; // one per CheckResult::Id, in order
    // The failure that names the cause, null when every step passed or was
    // skipped. A missing port that brltty explains is brltty's.
    const CheckResult *cause() const;
};

// Why a transmitter cannot be reached, step by step, stopping at the first
// cause found: the port exists and is a device; the user may open it; no
// other program holds it; brltty has not taken a CH340/CH341 adapter;
// ModemManager does not probe a ttyACM port; the transmitter answers "OK"
// with live packets. A link is checked as the device it leads to. A holder
// is a process with the device among its open files, but for the program
// at the other end of a pseudo-terminal; where another user's open files
// cannot be seen, the program its lock file names. Any other lock file is
// noted with the command that removes it, and the checks go on.
// Everything about the system comes through a SystemProbe.
class ConnectionCheck
{
    Q_DECLARE_TR_FUNCTIONS(ConnectionCheck)

public:
    // The live packets follow "OK" within this time when a transmitter is there.
    static constexpr int kAnswerMs = 2000;

    // listen is asked last, when nothing before found a cause; the window
    // passes what it saw on its own open port. heldHere: this process has
    // the port open, so it is not opened again.
    static ConnectionReport run(const SystemProbe &probe, const QString &port,
                                const std::function<ListenResult()> &listen, bool heldHere = false);

    // Opens the port as the tool does, says "OK", waits up to ms for a live
    // packet, says "DIS" and closes.
    static ListenResult listen(const QString &port, int ms = kAnswerMs);

    // "/dev/ttyUSB0" for "ttyUSB0"; a path or a Windows name as given.
    static QString devicePath(const QString &port, bool unixLike);

    // The short names of the steps, the same in every language: "port",
    // "access", "holder", "brltty", "modemmanager", "answer".
    static QString stepName(CheckResult::Id id);
    // Those names in the language in effect: "串口", "port".
    static QString stepTitle(CheckResult::Id id);
    // A cause in a few words, for the status line: "发射机无应答".
    static QString headline(CheckResult::Id id);
    // "失败  权限：<text>  解决：<fix>", "FAIL  access: <text>  Fix: <fix>", one line.
    static QString line(const CheckResult &result);
    static QStringList lines(const ConnectionReport &report);
    // The cause and its fix in a sentence or two; "all checks passed" when none.
    static QString summary(const ConnectionReport &report);
};

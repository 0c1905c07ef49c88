#include "link/connectioncheck.h"

#include <QFileInfo>

#include <algorithm>

#include "link/systemprobe.h"
#include "link/transmittersession.h"
#include "link/waitms.h"

namespace {

using Id = CheckResult::Id;

const QString kRuleFile = QStringLiteral("60-kelvo-miraq-usb-serial.rules");
const QStringList kRuleFolders = {QStringLiteral("/etc/udev/rules.d"), QStringLiteral("/lib/udev/rules.d"),
                                  QStringLiteral("/usr/lib/udev/rules.d"),
                                  QStringLiteral("/usr/local/lib/udev/rules.d")};
// Where serial programs leave a lock file named after the device.
const QStringList kLockFolders = {QStringLiteral("/run/lock"), QStringLiteral("/var/lock"), QStringLiteral("/tmp"),
                                  QStringLiteral("/var/tmp")};
// The WCH CH340 and CH341 USB-serial chips brltty takes for braille displays.
const QStringList kBrlttyVictims = {QStringLiteral("1a86:7523"), QStringLiteral("1a86:5523")};

bool isNumber(const QString &name)
{
    bool ok = false;
    name.toLongLong(&ok);
    return ok;
}

// The ids of the running processes.
QStringList processIds(const SystemProbe &probe)
{
    QStringList ids;
    for (const QString &name : probe.entries(QStringLiteral("/proc")))
        if (isNumber(name))
            ids.append(name);
    return ids;
}

QString processName(const SystemProbe &probe, const QString &pid)
{
    const QString name = QString::fromLocal8Bit(probe.read(QStringLiteral("/proc/%1/comm").arg(pid))).trimmed();
    return name.isEmpty() ? QStringLiteral("?") : name;
}

bool processRunning(const SystemProbe &probe, const QString &name)
{
    for (const QString &pid : processIds(probe))
        if (processName(probe, pid) == name)
            return true;
    return false;
}

// The name serial programs give the lock file of a device: "LCK..ttyUSB0",
// "LCK..pts_7" for /dev/pts/7, "LCK.._tmp_link" for a link opened by its own
// name.
QString lockFileName(const QString &device)
{
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    return QStringLiteral("LCK..") + name.replace(QLatin1Char('/'), QLatin1Char('_'));
}

// What one process has to do with the device, as far as this user may see.
enum class Sight {
    Holds,  // one of its open files is the device
    FarEnd, // it serves the pseudo-terminal from the other end
    Clear,  // none of its open files is the device
    Unseen, // its open files are another user's to see
};

// The number of the pseudo-terminal a master descriptor serves ("tty-index:
// 4" in its fdinfo); -1 when the system does not say.
int servedTerminal(const SystemProbe &probe, const QString &pid, const QString &fd)
{
    const QStringList info = QString::fromLatin1(probe.read(QStringLiteral("/proc/%1/fdinfo/%2").arg(pid, fd)))
                                     .split(QLatin1Char('\n'));
    for (const QString &line : info)
        if (line.startsWith(QLatin1String("tty-index:")))
            return line.mid(10).trimmed().toInt();
    return -1;
}

Sight sightOf(const SystemProbe &probe, const QString &pid, const QString &device)
{
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    if (!probe.canList(fds))
        return Sight::Unseen;
    const QString terminal = device.startsWith(QLatin1String("/dev/pts/")) ? device.mid(9) : QString();
    bool holds = false;
    bool farEnd = false;
    for (const QString &fd : probe.entries(fds)) {
        const QString target = probe.linkTarget(fds + QLatin1Char('/') + fd);
        holds = holds || target == device;
        if (!terminal.isEmpty() && (target == QLatin1String("/dev/ptmx") || target == QLatin1String("/dev/pts/ptmx"))) {
            // A system that does not say which terminal a master serves
            // leaves any master to count as this one's.
            const int served = servedTerminal(probe, pid, fd);
            farEnd = farEnd || served < 0 || QString::number(served) == terminal;
        }
    }
    // The program at the other end (a virtual transmitter) keeps the
    // terminal open too, and is no rival for it.
    return farEnd ? Sight::FarEnd : holds ? Sight::Holds : Sight::Clear;
}

// A lock file on the device that names no program using it.
struct LockNote
{
    QString text;   // why it does not count
    QString remove; // the command that removes it
    bool stale = true; // false: its program runs, and whether it uses the device cannot be seen
    QString program;   // that program, when not stale
};

struct Holder
{
    QString pid;  // a process seen with the device open, or named by its lock file
    QString name;
    QString lock; // the lock file that names it when its open files cannot be seen
    QVector<LockNote> notes;

    QStringList removals() const
    {
        QStringList out;
        for (const LockNote &note : notes)
            out.append(note.remove);
        return out;
    }
};

// The lock files of the device under its own name and under the name it
// was given (a program names the lock of a link after the link), each once
// however many folder names lead to it.
QStringList lockFiles(const SystemProbe &probe, const QString &device, const QString &named)
{
    QStringList names = {lockFileName(device)};
    if (lockFileName(named) != names.first())
        names.append(lockFileName(named));
    QStringList out;
    QStringList seen;
    for (const QString &folder : kLockFolders) {
        const QString real = probe.canonicalPath(folder);
        for (const QString &name : names) {
            const QString lock = folder + QLatin1Char('/') + name;
            if (real.isEmpty() || seen.contains(real + QLatin1Char('/') + name) || !probe.status(lock).exists)
                continue;
            seen.append(real + QLatin1Char('/') + name);
            out.append(lock);
        }
    }
    return out;
}

QString removeCommand(const SystemProbe &probe, const QString &lock)
{
    const QString user = probe.userName();
    const bool mine = user == QLatin1String("root") || probe.status(lock).owner == user;
    return (mine ? QStringLiteral("rm ") : QStringLiteral("sudo rm ")) + lock;
}

// Another process with the device open, seen among its open files, or named
// by a lock file when its open files cannot be seen and it is the program
// the lock file names. Any other lock file is noted: one of a process gone
// or of one that does not have the device open is stale.
Holder findHolder(const SystemProbe &probe, const QString &device, const QString &named)
{
    const QString own = QString::number(probe.ownProcessId());
    const QStringList pids = processIds(probe);
    for (const QString &pid : pids)
        if (pid != own && sightOf(probe, pid, device) == Sight::Holds)
            return {pid, processName(probe, pid), QString(), {}};

    Holder found;
    for (const QString &lock : lockFiles(probe, device, named)) {
        // "      4243" of older programs; "4243\nprogram\nhost..." of Qt's.
        const QStringList words = QString::fromLocal8Bit(probe.read(lock)).split(QLatin1Char('\n'));
        const QString pid = words.value(0).simplified().section(QLatin1Char(' '), 0, 0);
        const QString program = QFileInfo(words.value(1).trimmed()).fileName();
        if (pid == own)
            continue;
        LockNote note;
        note.remove = removeCommand(probe, lock);
        if (!isNumber(pid)) {
            note.text = ConnectionCheck::tr("锁文件 %1 已失效：里面没有进程号").arg(lock);
            found.notes.append(note);
            continue;
        }
        if (!pids.contains(pid)) {
            note.text = ConnectionCheck::tr("锁文件 %1 已失效：写下它的进程 %2 已结束").arg(lock, pid);
            found.notes.append(note);
            continue;
        }
        const QString name = processName(probe, pid);
        // A process's name is cut to 15 characters.
        const bool writer = !program.isEmpty() && program.left(15) == name.left(15);
        switch (sightOf(probe, pid, device)) {
        case Sight::Holds:
            return {pid, name, QString(), {}};
        case Sight::FarEnd:
        case Sight::Clear:
            note.text = ConnectionCheck::tr("锁文件 %1 已失效：进程 %2（%3）没有打开 %4").arg(lock, pid, name, device);
            break;
        case Sight::Unseen:
            if (writer && found.pid.isEmpty()) {
                found.pid = pid;
                found.name = name;
                found.lock = lock;
                continue;
            }
            if (!program.isEmpty() && !writer) {
                note.text = ConnectionCheck::tr("锁文件 %1 已失效：进程 %2 现在是 %3，不是写下它的 %4")
                                    .arg(lock, pid, name, program);
            } else {
                note.text = ConnectionCheck::tr("锁文件 %1 写着进程 %2（%3），看不到它是否打开了 %4")
                                    .arg(lock, pid, name, device);
                note.stale = false;
                note.program = name;
            }
            break;
        }
        found.notes.append(note);
    }
    return found;
}

// Whether user is listed as a member of group in /etc/group.
bool memberInGroupFile(const SystemProbe &probe, const QString &user, const QString &group)
{
    const QStringList lines = QString::fromLocal8Bit(probe.read(QStringLiteral("/etc/group"))).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char(':'));
        if (fields.size() >= 4 && fields.at(0) == group)
            return fields.at(3).trimmed().split(QLatin1Char(',')).contains(user);
    }
    return false;
}

bool ruleInstalled(const SystemProbe &probe)
{
    for (const QString &folder : kRuleFolders)
        if (probe.status(folder + QLatin1Char('/') + kRuleFile).exists)
            return true;
    return false;
}

// A CH340/CH341 adapter plugged in with no serial port of its own, as
// "1a86:7523"; empty when there is none.
QString adapterWithoutPort(const SystemProbe &probe)
{
    const QString devices = QStringLiteral("/sys/bus/usb/devices");
    for (const QString &device : probe.entries(devices)) {
        const QString folder = devices + QLatin1Char('/') + device;
        const QString id = QString::fromLatin1(probe.read(folder + QStringLiteral("/idVendor"))).trimmed()
                + QLatin1Char(':') + QString::fromLatin1(probe.read(folder + QStringLiteral("/idProduct"))).trimmed();
        if (!kBrlttyVictims.contains(id.toLower()))
            continue;
        bool hasPort = false;
        // The interfaces ("1-1:1.0") hold the port ("ttyUSB0") once a driver has it.
        for (const QString &interface : probe.entries(folder)) {
            if (!interface.contains(QLatin1Char(':')))
                continue;
            for (const QString &name : probe.entries(folder + QLatin1Char('/') + interface))
                hasPort = hasPort || name.startsWith(QLatin1String("tty"));
        }
        if (!hasPort)
            return id.toLower();
    }
    return {};
}

class Steps
{
public:
    explicit Steps(ConnectionReport &report) : m_report(report)
    {
        for (int id = CheckResult::PortExists; id <= CheckResult::LiveAnswer; ++id) {
            CheckResult r;
            r.id = Id(id);
            r.text = ConnectionCheck::tr("未检查");
            m_report.results.append(r);
        }
    }

    void pass(Id id, const QString &text) { set(id, CheckResult::Passed, text, QString()); }
    void fail(Id id, const QString &text, const QString &fix) { set(id, CheckResult::Failed, text, fix); }
    void note(Id id, const QString &text, const QString &fix) { set(id, CheckResult::Noted, text, fix); }
    bool failed() const { return m_failed; }

private:
    void set(Id id, CheckResult::State state, const QString &text, const QString &fix)
    {
        CheckResult &r = m_report.results[id];
        r.state = state;
        r.text = text;
        r.fix = fix;
        m_failed = m_failed || state == CheckResult::Failed;
    }

    ConnectionReport &m_report;
    bool m_failed = false;
};

QString ruleFix()
{
    return ConnectionCheck::tr("安装软件包自带的 udev 规则（%1）后重新插拔").arg(kRuleFile);
}

void checkAccess(const SystemProbe &probe, const QString &device, Steps &steps)
{
    const FileStatus status = probe.status(device);
    const QString user = probe.userName();
    const QString group = status.group;
    const QString mode = QString::number(status.mode, 8);
    if ((status.mode & 060) != 060) {
        // Joining the group would not help.
        steps.fail(Id::Access,
                   ConnectionCheck::tr("无权打开 %1：它属于用户 %2 和 %3 组，权限 %4 只允许 %2 打开")
                           .arg(device, status.owner, group, mode),
                   ruleFix());
    } else if (probe.sessionGroups().contains(group)) {
        steps.fail(Id::Access,
                   ConnectionCheck::tr("无权打开 %1：它属于 %2 组（权限 %3），用户 %4 在该组").arg(device, group, mode, user),
                   ruleFix());
    } else if (memberInGroupFile(probe, user, group)) {
        steps.fail(Id::Access,
                   ConnectionCheck::tr("无权打开 %1：它属于 %2 组，用户 %3 已加入该组，但本次登录时还不在").arg(device, group, user),
                   ConnectionCheck::tr("注销并重新登录（或重启），新的组才生效"));
    } else {
        // Nobody should join root's group to reach a serial port.
        const QString fix = group == QLatin1String("root")
                ? ruleFix()
                : ConnectionCheck::tr("安装软件包自带的 udev 规则（%1）后重新插拔；或运行 sudo usermod -aG %2 %3，然后重新登录")
                          .arg(kRuleFile, group, user);
        steps.fail(Id::Access, ConnectionCheck::tr("无权打开 %1：它属于 %2 组，用户 %3 不在该组").arg(device, group, user),
                   fix);
    }
}

void checkBrltty(const SystemProbe &probe, Steps &steps)
{
    const QString adapter = adapterWithoutPort(probe);
    const bool brltty = probe.installed(QStringLiteral("brltty")) || processRunning(probe, QStringLiteral("brltty"));
    if (adapter.isEmpty() || !brltty) {
        steps.pass(Id::Brltty, ConnectionCheck::tr("brltty 没有占用 USB 转串口转换器"));
        return;
    }
    steps.fail(Id::Brltty,
               ConnectionCheck::tr("CH340/CH341 转换器（%1）已插上，却没有串口：brltty 把它当作盲文显示器占用了").arg(adapter),
               ConnectionCheck::tr("运行 sudo systemctl mask brltty-udev.service brltty.service（或 sudo apt remove brltty），"
                  "然后重新插拔"));
}

void checkModemManager(const SystemProbe &probe, const QString &device, Steps &steps)
{
    // The device itself: a /dev/serial/by-id name is resolved already.
    const QString name = QFileInfo(device).fileName();
    if (!name.startsWith(QLatin1String("ttyACM"))) {
        steps.pass(Id::ModemManager, ConnectionCheck::tr("%1 不是 ttyACM 串口，ModemManager 不会探测它").arg(device));
        return;
    }
    if (!processRunning(probe, QStringLiteral("ModemManager"))) {
        steps.pass(Id::ModemManager, ConnectionCheck::tr("ModemManager 没有运行"));
        return;
    }
    if (ruleInstalled(probe)) {
        steps.pass(Id::ModemManager, ConnectionCheck::tr("ModemManager 在运行，udev 规则让它不碰 %1").arg(device));
        return;
    }
    steps.fail(Id::ModemManager, ConnectionCheck::tr("ModemManager 在运行，会把 %1 当作调制解调器探测").arg(device),
               ConnectionCheck::tr("安装软件包自带的 udev 规则（%1）后重新插拔；或运行 sudo systemctl stop ModemManager")
                       .arg(kRuleFile));
}

// removals: the commands that remove the lock files found on the way,
// which may be what keeps the port shut.
void checkAnswer(const QString &port, const ListenResult &heard, const QStringList &removals, Steps &steps)
{
    switch (heard.answer) {
    case ListenResult::Answered:
        steps.pass(Id::LiveAnswer, ConnectionCheck::tr("发射机在 %1 上应答").arg(port));
        break;
    case ListenResult::Silent:
        steps.fail(Id::LiveAnswer, ConnectionCheck::tr("%1 能打开，但发出 \"OK\" 后 2 秒内没有收到发射机的数据").arg(port),
                   ConnectionCheck::tr("打开发射机，检查数据线是否插好，或在列表中选择另一个串口"));
        break;
    case ListenResult::OpenFailed:
        steps.fail(Id::LiveAnswer, ConnectionCheck::tr("无法打开 %1：%2").arg(port, heard.error),
                   removals.isEmpty() ? ConnectionCheck::tr("关闭其他使用串口的程序，然后重试")
                                      : ConnectionCheck::tr("删除锁文件（%1），然后重试").arg(removals.join(QStringLiteral("; "))));
        break;
    case ListenResult::Lost:
        steps.fail(Id::LiveAnswer, ConnectionCheck::tr("%1 在等待应答时消失了").arg(port), ConnectionCheck::tr("检查数据线，重新插上"));
        break;
    case ListenResult::NotTried:
        break;
    }
}

} // namespace

const CheckResult *ConnectionReport::cause() const
{
    const CheckResult *first = nullptr;
    for (const CheckResult &r : results) {
        if (r.state != CheckResult::Failed)
            continue;
        if (!first)
            first = &r;
        else if (first->id == CheckResult::PortExists && r.id == CheckResult::Brltty)
            return &r;
    }
    return first;
}

QString ConnectionCheck::devicePath(const QString &port, bool unixLike)
{
    if (!unixLike || port.isEmpty() || port.startsWith(QLatin1Char('/')))
        return port;
    return QStringLiteral("/dev/") + port;
}

namespace {

enum class Found { Device, Missing, NoDevice };

// The port as the system resolves it into report.device, or the failure of
// the first step: nothing there, a link to nothing, or no device.
Found findDevice(const SystemProbe &probe, const QString &port, ConnectionReport &report, Steps &steps)
{
    const QString named = report.device;
    const QString plugIn = ConnectionCheck::tr("插上发射机的数据线，并在列表中选择它的串口");
    if (port.isEmpty()) {
        steps.fail(Id::PortExists, ConnectionCheck::tr("没有找到 USB 串口"), plugIn);
        return Found::Missing;
    }
    if (!probe.unixLike())
        return Found::Device;
    const QString device = probe.canonicalPath(named);
    if (device.isEmpty()) {
        const QString target = probe.linkTarget(named);
        steps.fail(Id::PortExists,
                   target.isEmpty() ? ConnectionCheck::tr("没有串口 %1").arg(port)
                                    : ConnectionCheck::tr("没有串口 %1：它指向的 %2 不存在").arg(port, target),
                   plugIn);
        return Found::Missing;
    }
    report.device = device;
    const FileStatus::Kind kind = probe.status(device).kind;
    if (kind == FileStatus::CharDevice)
        return Found::Device;
    const QString text = kind == FileStatus::Folder ? ConnectionCheck::tr("%1 不是串口设备，而是一个文件夹")
            : kind == FileStatus::RegularFile      ? ConnectionCheck::tr("%1 不是串口设备，而是一个普通文件")
                                                   : ConnectionCheck::tr("%1 不是串口设备");
    steps.fail(Id::PortExists, text.arg(named),
               ConnectionCheck::tr("在列表中选择发射机的串口，或给出它的设备名（如 ttyUSB0、/dev/ttyACM0）"));
    return Found::NoDevice;
}

} // namespace

ConnectionReport ConnectionCheck::run(const SystemProbe &probe, const QString &port,
                                      const std::function<ListenResult()> &listen, bool heldHere)
{
    ConnectionReport report;
    report.port = port;
    report.device = devicePath(port, probe.unixLike());
    const QString named = report.device;
    Steps steps(report);
    const Found found = findDevice(probe, port, report, steps);
    // A port that never appeared may be a CH340 that brltty took.
    if (found == Found::Missing && probe.unixLike())
        checkBrltty(probe, steps);
    if (found != Found::Device)
        return report;
    const QString &device = report.device;

    // On Windows only opening tells a port that is there.
    const OpenAttempt attempt = heldHere ? OpenAttempt{OpenAttempt::Opened, QString()} : probe.tryOpen(device);
    if (!probe.unixLike() && attempt.outcome == OpenAttempt::Missing) {
        steps.fail(Id::PortExists, tr("没有串口 %1").arg(port), tr("插上发射机的数据线，并在列表中选择它的串口"));
        return report;
    }
    steps.pass(Id::PortExists, device == named ? tr("串口 %1 存在").arg(device)
                                               : tr("串口 %1 存在（%2 指向它）").arg(device, named));

    if (attempt.outcome == OpenAttempt::Denied) {
        checkAccess(probe, device, steps);
        return report;
    }
    steps.pass(Id::Access, heldHere ? tr("本程序已打开 %1").arg(device) : tr("可以打开 %1").arg(device));

    const Holder holder = probe.unixLike() ? findHolder(probe, device, named) : Holder();
    if (!holder.pid.isEmpty() && holder.lock.isEmpty()) {
        steps.fail(Id::Holder, tr("%1 正被另一个程序占用：%2（进程 %3）").arg(device, holder.name, holder.pid),
                   tr("关闭该程序，或运行 kill %1").arg(holder.pid));
        return report;
    }
    // Named by its lock file only: whether it has the device open cannot be
    // seen, so it is not to be killed.
    if (!holder.pid.isEmpty()) {
        steps.fail(Id::Holder,
                   tr("%1 正被另一个程序占用：%2（进程 %3），据锁文件 %4").arg(device, holder.name, holder.pid, holder.lock),
                   tr("关闭 %1，然后重试").arg(holder.name));
        return report;
    }
    QStringList notes;
    QString suspect; // a running program a lock file names
    for (const LockNote &note : holder.notes) {
        notes.append(note.text);
        if (suspect.isEmpty())
            suspect = note.program;
    }
    if (attempt.outcome == OpenAttempt::Busy) {
        steps.fail(Id::Holder,
                   notes.isEmpty() ? tr("%1 正被另一个程序占用（看不到是哪一个）").arg(device)
                                   : tr("%1 正被另一个程序占用（看不到是哪一个）；%2").arg(device, notes.join(tr("；"))),
                   suspect.isEmpty() ? tr("关闭其他使用串口的程序（串口终端、切片软件、开发环境），然后重试")
                                     : tr("关闭 %1，然后重试").arg(suspect));
        return report;
    }
    if (attempt.outcome != OpenAttempt::Opened) {
        steps.fail(Id::Holder, tr("无法打开 %1：%2").arg(device, attempt.error), tr("检查数据线，重新插上"));
        return report;
    }
    if (notes.isEmpty()) {
        steps.pass(Id::Holder, tr("没有其他程序占用 %1").arg(device));
    } else {
        // Not what keeps the port shut, as far as can be seen: the checks go on.
        const bool stale = std::all_of(holder.notes.begin(), holder.notes.end(), [](const LockNote &n) { return n.stale; });
        const QString removals = holder.removals().join(QStringLiteral("; "));
        steps.note(Id::Holder, tr("没有其他程序占用 %1；%2").arg(device, notes.join(tr("；"))),
                   stale ? tr("删除失效的锁文件：%1").arg(removals)
                         : tr("若锁文件里的程序并未使用串口，删除锁文件：%1").arg(removals));
    }

    if (probe.unixLike()) {
        checkBrltty(probe, steps);
        if (steps.failed())
            return report;
        checkModemManager(probe, device, steps);
        if (steps.failed())
            return report;
    }

    if (listen)
        checkAnswer(port, listen(), holder.removals(), steps);
    return report;
}

ListenResult ConnectionCheck::listen(const QString &port, int ms)
{
    ListenResult result;
    TransmitterSession session;
    if (!session.open(port)) {
        result.answer = ListenResult::OpenFailed;
        result.error = session.errorString();
        return result;
    }
    const bool seen = session.waitForLivePacket(ms);
    const bool lost = session.portLost();
    session.close();
    result.answer = seen ? ListenResult::Answered : lost ? ListenResult::Lost : ListenResult::Silent;
    return result;
}

QString ConnectionCheck::stepName(CheckResult::Id id)
{
    static const char *const names[] = {"port", "access", "holder", "brltty", "modemmanager", "answer"};
    return QLatin1String(names[id]);
}

QString ConnectionCheck::stepTitle(CheckResult::Id id)
{
    static const char *const titles[] = {QT_TR_NOOP("串口"), QT_TR_NOOP("权限"), QT_TR_NOOP("占用"),
                                         QT_TR_NOOP("brltty"), QT_TR_NOOP("ModemManager"), QT_TR_NOOP("应答")};
    return tr(titles[id]);
}

QString ConnectionCheck::headline(CheckResult::Id id)
{
    switch (id) {
    case CheckResult::PortExists: return ConnectionCheck::tr("串口不存在");
    case CheckResult::Access: return ConnectionCheck::tr("无权打开串口");
    case CheckResult::Holder: return ConnectionCheck::tr("串口被占用");
    case CheckResult::Brltty: return ConnectionCheck::tr("brltty 占用了转换器");
    case CheckResult::ModemManager: return ConnectionCheck::tr("ModemManager 在探测串口");
    case CheckResult::LiveAnswer: break;
    }
    return ConnectionCheck::tr("发射机无应答");
}

QString ConnectionCheck::line(const CheckResult &result)
{
    const QString state = result.state == CheckResult::Passed ? tr("通过")
            : result.state == CheckResult::Failed             ? tr("失败")
            : result.state == CheckResult::Noted              ? tr("注意")
                                                              : tr("跳过");
    QString out = tr("%1  %2：%3").arg(state, stepTitle(result.id), result.text);
    if (!result.fix.isEmpty())
        out += QStringLiteral("  ") + ConnectionCheck::tr("解决：%1").arg(result.fix);
    return out;
}

QStringList ConnectionCheck::lines(const ConnectionReport &report)
{
    QStringList out;
    for (const CheckResult &r : report.results)
        out.append(line(r));
    return out;
}

QString ConnectionCheck::summary(const ConnectionReport &report)
{
    const CheckResult *cause = report.cause();
    if (!cause)
        return ConnectionCheck::tr("连接检查全部通过");
    return cause->text + QLatin1Char('\n') + ConnectionCheck::tr("解决：%1").arg(cause->fix);
}

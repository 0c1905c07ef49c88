#include "link/connectioncheck.h"

#include <QFileInfo>

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
// "LCK..pts_7" for /dev/pts/7.
QString lockFileName(const QString &device)
{
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    return QStringLiteral("LCK..") + name.replace(QLatin1Char('/'), QLatin1Char('_'));
}

struct Holder
{
    QString pid;
    QString name;
    QString staleLock; // a lock file of a program gone, which this user cannot remove
};

// Another process with the device open (one of its open files points at it)
// or with a lock file on it that names a running process.
Holder findHolder(const SystemProbe &probe, const QString &device)
{
    const QString own = QString::number(probe.ownProcessId());
    QStringList targets = {device};
    const QString resolved = probe.linkTarget(device);
    // A by-id link is open under the name it points at.
    if (resolved.startsWith(QLatin1Char('/')))
        targets.append(resolved);
    else if (!resolved.isEmpty())
        targets.append(QFileInfo(QFileInfo(device).absolutePath() + QLatin1Char('/') + resolved).absoluteFilePath());
    const QStringList pids = processIds(probe);
    for (const QString &pid : pids) {
        if (pid == own)
            continue;
        const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
        bool holds = false;
        bool farEnd = false;
        for (const QString &fd : probe.entries(fds)) {
            const QString target = probe.linkTarget(fds + QLatin1Char('/') + fd);
            holds = holds || targets.contains(target);
            farEnd = farEnd || target == QLatin1String("/dev/ptmx") || target == QLatin1String("/dev/pts/ptmx");
        }
        // A pseudo-terminal is kept open by the program at its other end (a
        // virtual transmitter), which is no rival for it.
        if (holds && !(farEnd && device.startsWith(QLatin1String("/dev/pts/"))))
            return {pid, processName(probe, pid), QString()};
    }
    Holder stale;
    for (const QString &folder : kLockFolders) {
        const QString lock = folder + QLatin1Char('/') + lockFileName(device);
        const QString text = QString::fromLatin1(probe.read(lock));
        const QString pid = text.simplified().section(QLatin1Char(' '), 0, 0);
        if (!isNumber(pid) || pid == own)
            continue;
        if (pids.contains(pid))
            return {pid, processName(probe, pid), QString()};
        // Serial programs remove a dead program's lock, but not one of
        // another user's in a shared folder.
        const FileStatus status = probe.status(lock);
        if (status.exists && status.owner != probe.userName())
            stale.staleLock = lock;
    }
    return stale;
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
    // A /dev/serial/by-id name stands for the port it points at.
    const QString target = probe.linkTarget(device);
    const QString name = QFileInfo(target.isEmpty() ? device : target).fileName();
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

void checkAnswer(const QString &port, const ListenResult &heard, Steps &steps)
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
                   ConnectionCheck::tr("关闭其他使用串口的程序，然后重试"));
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

ConnectionReport ConnectionCheck::run(const SystemProbe &probe, const QString &port,
                                      const std::function<ListenResult()> &listen, bool heldHere)
{
    ConnectionReport report;
    report.port = port;
    report.device = devicePath(port, probe.unixLike());
    Steps steps(report);
    const QString &device = report.device;

    // Open first: on Windows only opening tells a port that is there.
    const OpenAttempt attempt = heldHere || port.isEmpty() ? OpenAttempt{OpenAttempt::Opened, QString()}
                                                           : probe.tryOpen(device);
    const bool exists = !port.isEmpty()
            && (probe.unixLike() ? probe.status(device).exists : attempt.outcome != OpenAttempt::Missing);
    if (!exists) {
        steps.fail(Id::PortExists, port.isEmpty() ? ConnectionCheck::tr("没有找到 USB 串口") : ConnectionCheck::tr("没有串口 %1").arg(port),
                   ConnectionCheck::tr("插上发射机的数据线，并在列表中选择它的串口"));
        // A port that never appeared may be a CH340 that brltty took.
        if (probe.unixLike())
            checkBrltty(probe, steps);
        return report;
    }
    steps.pass(Id::PortExists, ConnectionCheck::tr("串口 %1 存在").arg(device));

    if (attempt.outcome == OpenAttempt::Denied) {
        checkAccess(probe, device, steps);
        return report;
    }
    steps.pass(Id::Access, heldHere ? ConnectionCheck::tr("本程序已打开 %1").arg(device) : ConnectionCheck::tr("可以打开 %1").arg(device));

    const Holder holder = probe.unixLike() ? findHolder(probe, device) : Holder();
    if (!holder.pid.isEmpty()) {
        steps.fail(Id::Holder, ConnectionCheck::tr("%1 正被另一个程序占用：%2（进程 %3）").arg(device, holder.name, holder.pid),
                   ConnectionCheck::tr("关闭该程序，或运行 kill %1").arg(holder.pid));
        return report;
    }
    if (!holder.staleLock.isEmpty()) {
        steps.fail(Id::Holder, ConnectionCheck::tr("已结束的程序留下的锁文件 %1 挡住了 %2").arg(holder.staleLock, device),
                   ConnectionCheck::tr("运行 sudo rm %1").arg(holder.staleLock));
        return report;
    }
    if (attempt.outcome == OpenAttempt::Busy) {
        steps.fail(Id::Holder, ConnectionCheck::tr("%1 正被另一个程序占用（看不到是哪一个）").arg(device),
                   ConnectionCheck::tr("关闭其他使用串口的程序（串口终端、切片软件、开发环境），然后重试"));
        return report;
    }
    if (attempt.outcome != OpenAttempt::Opened) {
        steps.fail(Id::Holder, ConnectionCheck::tr("无法打开 %1：%2").arg(device, attempt.error), ConnectionCheck::tr("检查数据线，重新插上"));
        return report;
    }
    steps.pass(Id::Holder, ConnectionCheck::tr("没有其他程序占用 %1").arg(device));

    if (probe.unixLike()) {
        checkBrltty(probe, steps);
        if (steps.failed())
            return report;
        checkModemManager(probe, device, steps);
        if (steps.failed())
            return report;
    }

    if (listen)
        checkAnswer(port, listen(), steps);
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
    const QString state = result.state == CheckResult::Passed ? ConnectionCheck::tr("通过")
            : result.state == CheckResult::Failed             ? ConnectionCheck::tr("失败")
                                                              : ConnectionCheck::tr("跳过");
    QString out = QStringLiteral("%1  %2: %3").arg(state, stepName(result.id), result.text);
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

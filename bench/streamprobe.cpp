#include "streamprobe.h"

#include <QFile>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
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

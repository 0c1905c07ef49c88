#include "streamprobe.h"

#include <QFile>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#endif

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
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                cost.rssKiB = line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return cost;
}

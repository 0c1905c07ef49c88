#include "files/backups.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "files/parameterfile.h"
#include "model/parameterset.h"

namespace Backups {

namespace {

const QString kPattern = QStringLiteral("*-before-*.dat");

void prune(QDir dir)
{
    // Names begin with the time, so name order is age order.
    const QStringList names = dir.entryList({kPattern}, QDir::Files, QDir::Name | QDir::Reversed);
    for (int i = kKept; i < names.size(); ++i)
        dir.remove(names.at(i));
}

} // namespace

QString defaultDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
}

Result write(const ParameterSet &p, const QString &command, const QDateTime &when, const QString &dir)
{
    Result result;
    QDir target(dir);
    const QString stem = when.toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral("-before-") + command;
    result.path = target.filePath(stem + QStringLiteral(".dat"));
    if (!target.mkpath(QStringLiteral("."))) {
        result.error = QStringLiteral("cannot create %1").arg(dir);
        return result;
    }
    // Two backups within one second keep both.
    for (int n = 2; QFileInfo::exists(result.path); ++n)
        result.path = target.filePath(stem + QStringLiteral("-%1.dat").arg(n));
    if (!writeParameterFile(result.path, parameterFileBytes(p), &result.error))
        return result;
    result.ok = true;
    prune(target);
    return result;
}

} // namespace Backups

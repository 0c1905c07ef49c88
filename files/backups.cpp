#include "files/backups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

#include "files/backuplist.h"
#include "files/parameterfile.h"
#include "model/parameterset.h"

namespace Backups {

namespace {

const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss");
// More backups in one second than this means something else is wrong.
constexpr int kMaxSameSecond = 1000;

// Creates path only if nothing is there yet, and fills it. False with
// *taken set when the name is in use (another window may have just made it).
bool createNew(const QString &path, const QByteArray &bytes, bool *taken, QString *error)
{
    *taken = false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *taken = QFileInfo::exists(path) || QFileInfo(path).isSymLink();
        *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        *error = file.errorString();
        file.close();
        file.remove(); // ours, and useless half written
        return false;
    }
    file.close();
    return true;
}

// The newest first by modification time: the time in a name is that of a
// clock that may have been set wrong. Equal times fall back to the name.
bool newerFirst(const QFileInfo &a, const QFileInfo &b)
{
    const QDateTime ta = a.lastModified();
    const QDateTime tb = b.lastModified();
    return ta != tb ? ta > tb : a.fileName() > b.fileName();
}

// Deletes the oldest backups beyond kKept, counting the one just written,
// which is never deleted. Nothing but regular files named exactly as
// write() names them is ever touched.
void prune(const QDir &dir, const QString &justWritten)
{
    QFileInfoList backups;
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::NoSymLinks)) {
        if (info.fileName() != justWritten && isBackupName(info.fileName()))
            backups.append(info);
    }
    std::sort(backups.begin(), backups.end(), newerFirst);
    for (int i = kKept - 1; i < backups.size(); ++i) {
        QFile::remove(backups.at(i).filePath());
        const QFileInfo port(portRecordPath(backups.at(i).filePath()));
        if (port.isFile() && !port.isSymLink())
            QFile::remove(port.filePath());
    }
}

} // namespace

QString defaultDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
}

bool isBackupName(const QString &fileName)
{
    static const QRegularExpression pattern(
            QStringLiteral("^(\\d{8}-\\d{6})-before-[a-z]+(?:-[a-z]+)*(?:-([2-9]|[1-9]\\d+))?\\.dat$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    return match.hasMatch() && QDateTime::fromString(match.captured(1), kTimeFormat).isValid();
}

Result write(const ParameterSet &p, const QString &command, const QDateTime &when, const QString &dir,
             const QString &port)
{
    Result result;
    QDir target(dir);
    const QString stem = when.toString(kTimeFormat) + QStringLiteral("-before-") + command;
    result.path = target.filePath(stem + QStringLiteral(".dat"));
    if (!target.mkpath(QStringLiteral("."))) {
        result.error = QStringLiteral("cannot create %1").arg(dir);
        return result;
    }
    // A name is made exclusively, so two backups within one second, also
    // from two windows at once, both stay and neither overwrites the other.
    const QByteArray bytes = parameterFileBytes(p);
    bool taken = false;
    for (int n = 2; !createNew(result.path, bytes, &taken, &result.error); ++n) {
        if (!taken || n > kMaxSameSecond)
            return result;
        result.path = target.filePath(stem + QStringLiteral("-%1.dat").arg(n));
    }
    result.error.clear();
    result.ok = true;
    if (!port.isEmpty()) {
        // Only a note beside the backup: without it the backup is as good.
        // One left from a backup of that name deleted by hand is stale.
        const QFileInfo stale(portRecordPath(result.path));
        if (stale.isFile() && !stale.isSymLink())
            QFile::remove(stale.filePath());
        QString ignored;
        bool portTaken = false;
        createNew(stale.filePath(), port.toUtf8() + '\n', &portTaken, &ignored);
    }
    prune(target, QFileInfo(result.path).fileName());
    return result;
}

} // namespace Backups

#include "files/backuplist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "files/backups.h"
#include "files/parameterfile.h"
#include "model/defaults.h"
#include "model/parameterset.h"

namespace Backups {

namespace {

QString tr(const char *source)
{
    return QCoreApplication::translate("Backups", source);
}

// The commands a backup is taken before, by the name in its file.
struct CommandWord
{
    const char *name;
    const char *words;
};
const CommandWord kCommands[] = {
    {"write", QT_TRANSLATE_NOOP("Backups", "写入")},
    {"factory-reset", QT_TRANSLATE_NOOP("Backups", "出厂设置")},
    {"reset-data", QT_TRANSLATE_NOOP("Backups", "重置数据")},
    {"load", QT_TRANSLATE_NOOP("Backups", "加载")},
    {"save", QT_TRANSLATE_NOOP("Backups", "保存")},
};

} // namespace

QVector<Entry> list(const QString &dir)
{
    QFileInfoList files;
    for (const QFileInfo &info : QDir(dir).entryInfoList(QDir::Files | QDir::NoSymLinks)) {
        if (isBackupName(info.fileName()))
            files.append(info);
    }
    std::sort(files.begin(), files.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const QDateTime ta = a.lastModified();
        const QDateTime tb = b.lastModified();
        return ta != tb ? ta > tb : a.fileName() > b.fileName();
    });
    QVector<Entry> out;
    for (const QFileInfo &info : files) {
        const QString name = info.fileName();
        Entry entry;
        entry.path = info.filePath();
        entry.fileName = name;
        entry.time = QDateTime::fromString(name.left(15), QStringLiteral("yyyyMMdd-HHmmss"));
        // "-before-factory-reset-2.dat": the command, without a count.
        QString command = name.mid(23, name.size() - 23 - 4);
        const int dash = command.lastIndexOf(QLatin1Char('-'));
        bool counted = false;
        if (dash > 0)
            command.mid(dash + 1).toInt(&counted);
        entry.command = counted ? command.left(dash) : command;
        entry.port = recordedPort(entry.path);
        out.append(entry);
    }
    return out;
}

QString commandText(const QString &command)
{
    for (const CommandWord &c : kCommands) {
        if (command == QLatin1String(c.name))
            return tr(c.words);
    }
    return command;
}

QString timeText(const Entry &entry)
{
    return entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString pruningRule()
{
    return tr("每次覆盖遥控器的设定之前自动备份。保留最新的 %1 个（按修改时间），更早的自动删除；"
              "只删除按备份方式命名的文件。")
            .arg(kKept);
}

bool remove(const Entry &entry, QString *error)
{
    QFile file(entry.path);
    if (!file.remove()) {
        *error = file.errorString();
        return false;
    }
    QFile::remove(portRecordPath(entry.path));
    return true;
}

QString portRecordPath(const QString &backupPath)
{
    QString path = backupPath;
    if (path.endsWith(QLatin1String(".dat")))
        path.chop(4);
    return path + QStringLiteral(".port");
}

QString recordedPort(const QString &backupPath)
{
    QFile file(portRecordPath(backupPath));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(1024)).trimmed();
}

} // namespace Backups

bool readSetupFile(const QString &path, ParameterSet *p, QString *error)
{
    QString text;
    if (!readParameterFileText(path, &text, error))
        return false;
    ParameterSet decoded;
    if (!decodeParameterFile(text, decoded).any()) {
        *error = QCoreApplication::translate("Backups", "不是参数文件");
        return false;
    }
    sanitizeParameters(decoded);
    *p = decoded;
    return true;
}

QString Backups::windowDirectory()
{
    const QString organization = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    QCoreApplication::setOrganizationName(QStringLiteral("kelvo-miraq"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-miraq-config"));
    const QString dir = defaultDirectory();
    QCoreApplication::setOrganizationName(organization);
    QCoreApplication::setApplicationName(application);
    return dir;
}

#include "link/systemprobe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSerialPort>
#endif

namespace {

QByteArray readWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                                  QDir::Name);
}

#ifdef Q_OS_UNIX
QString userNameOf(uid_t uid)
{
    const passwd *entry = ::getpwuid(uid);
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(uid);
}

QString groupNameOf(gid_t gid)
{
    const group *entry = ::getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}
#endif

class LiveSystemProbe : public SystemProbe
{
public:
    bool unixLike() const override
    {
#ifdef Q_OS_UNIX
        return true;
#else
        return false;
#endif
    }

    FileStatus status(const QString &path) const override
    {
        FileStatus s;
#ifdef Q_OS_UNIX
        struct stat st;
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return s;
        s.exists = true;
        s.kind = S_ISCHR(st.st_mode)   ? FileStatus::CharDevice
                : S_ISDIR(st.st_mode) ? FileStatus::Folder
                : S_ISREG(st.st_mode) ? FileStatus::RegularFile
                                      : FileStatus::Other;
        s.owner = userNameOf(st.st_uid);
        s.group = groupNameOf(st.st_gid);
        s.mode = int(st.st_mode & 07777);
#else
        // A COM port is no file; what exists is taken for a device.
        s.exists = QFileInfo::exists(path);
        s.kind = FileStatus::CharDevice;
#endif
        return s;
    }

    QByteArray read(const QString &path) const override { return readWhole(path); }
    QStringList entries(const QString &folder) const override { return namesIn(folder); }

    bool canList(const QString &folder) const override
    {
#ifdef Q_OS_UNIX
        DIR *dir = ::opendir(QFile::encodeName(folder).constData());
        if (dir)
            ::closedir(dir);
        return dir != nullptr;
#else
        return QFileInfo(folder).isReadable();
#endif
    }

    QString canonicalPath(const QString &path) const override
    {
        if (!unixLike())
            return QFileInfo::exists(path) ? path : QString();
        return QFileInfo(path).canonicalFilePath();
    }

    QString linkTarget(const QString &path) const override
    {
#ifdef Q_OS_UNIX
        char buffer[4096];
        const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof buffer - 1);
        return n > 0 ? QFile::decodeName(QByteArray(buffer, int(n))) : QString();
#else
        return QFileInfo(path).symLinkTarget();
#endif
    }

    OpenAttempt tryOpen(const QString &device) const override
    {
        OpenAttempt attempt;
#ifdef Q_OS_UNIX
        // Non-blocking: a modem line without carrier must not hang here.
        const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            ::close(fd);
            attempt.outcome = OpenAttempt::Opened;
            return attempt;
        }
        const int error = errno;
        attempt.error = QString::fromLocal8Bit(std::strerror(error));
        switch (error) {
        case EACCES:
        case EPERM:
            attempt.outcome = OpenAttempt::Denied;
            break;
        case EBUSY:
            attempt.outcome = OpenAttempt::Busy;
            break;
        case ENOENT:
        case ENXIO:
        case ENODEV:
            attempt.outcome = OpenAttempt::Missing;
            break;
        default:
            attempt.outcome = OpenAttempt::Failed;
        }
#else
        // Windows opens a COM port for one program at a time: access denied
        // means another program has it.
        QSerialPort port(device);
        if (port.open(QIODevice::ReadWrite)) {
            port.close();
            attempt.outcome = OpenAttempt::Opened;
            return attempt;
        }
        attempt.error = port.errorString();
        switch (port.error()) {
        case QSerialPort::PermissionError:
            attempt.outcome = OpenAttempt::Busy;
            break;
        case QSerialPort::DeviceNotFoundError:
            attempt.outcome = OpenAttempt::Missing;
            break;
        default:
            attempt.outcome = OpenAttempt::Failed;
        }
#endif
        return attempt;
    }

    QString userName() const override
    {
#ifdef Q_OS_UNIX
        return userNameOf(::geteuid());
#else
        return qEnvironmentVariable("USERNAME");
#endif
    }

    QStringList sessionGroups() const override
    {
        QStringList names;
#ifdef Q_OS_UNIX
        names.append(groupNameOf(::getegid()));
        const int count = ::getgroups(0, nullptr);
        if (count > 0) {
            QVector<gid_t> ids(count);
            const int got = ::getgroups(count, ids.data());
            for (int i = 0; i < got; ++i) {
                const QString name = groupNameOf(ids.at(i));
                if (!names.contains(name))
                    names.append(name);
            }
        }
#endif
        return names;
    }

    qint64 ownProcessId() const override { return QCoreApplication::applicationPid(); }

    bool installed(const QString &program) const override
    {
        if (!QStandardPaths::findExecutable(program).isEmpty())
            return true;
        // Daemons live in sbin, which a user's PATH may leave out.
        return !QStandardPaths::findExecutable(program, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                                         QStringLiteral("/usr/bin"), QStringLiteral("/bin")})
                        .isEmpty();
    }
};

} // namespace

const SystemProbe &liveSystemProbe()
{
    static const LiveSystemProbe probe;
    return probe;
}

FolderSystemProbe::FolderSystemProbe(const QString &root) : m_root(root) {}

QString FolderSystemProbe::described(const QString &name) const
{
    return QString::fromUtf8(readWhole(m_root + QStringLiteral("/probe/") + name));
}

// The words of the line of probe/<name> that begins with path.
QStringList FolderSystemProbe::describedLine(const QString &name, const QString &path) const
{
    const QStringList lines = described(name).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QStringList words = line.simplified().split(QLatin1Char(' '));
        if (words.size() > 1 && words.first() == path)
            return words;
    }
    return {};
}

bool FolderSystemProbe::unixLike() const
{
    return !QFileInfo::exists(m_root + QStringLiteral("/probe/windows"));
}

FileStatus FolderSystemProbe::status(const QString &path) const
{
    FileStatus s;
    s.exists = QFileInfo::exists(m_root + path);
    if (!s.exists)
        return s;
    const QStringList words = describedLine(QStringLiteral("stat"), path);
    const QString kind = words.value(4, QStringLiteral("char"));
    s.kind = QFileInfo(m_root + path).isDir()     ? FileStatus::Folder
            : kind == QLatin1String("char") ? FileStatus::CharDevice
            : kind == QLatin1String("file") ? FileStatus::RegularFile
                                            : FileStatus::Other;
    s.owner = words.value(1, QStringLiteral("root"));
    s.group = words.value(2, QStringLiteral("root"));
    s.mode = words.value(3, QStringLiteral("660")).toInt(nullptr, 8);
    return s;
}

QByteArray FolderSystemProbe::read(const QString &path) const
{
    return readWhole(m_root + path);
}

QStringList FolderSystemProbe::entries(const QString &folder) const
{
    return namesIn(m_root + folder);
}

bool FolderSystemProbe::canList(const QString &folder) const
{
    return QFileInfo(m_root + folder).isDir();
}

QString FolderSystemProbe::linkTarget(const QString &path) const
{
    return QString::fromUtf8(readWhole(m_root + path)).trimmed();
}

// Each part of the path in turn, a link replaced by where it points, as
// the system resolves a path.
QString FolderSystemProbe::canonicalPath(const QString &path) const
{
    QStringList rest = QDir::cleanPath(path).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString done;
    for (int hops = 0; !rest.isEmpty();) {
        const QString next = done + QLatin1Char('/') + rest.takeFirst();
        if (!QFileInfo::exists(m_root + next))
            return {};
        const QString target = QFileInfo(m_root + next).isDir() ? QString() : linkTarget(next);
        if (target.isEmpty()) {
            done = next;
            continue;
        }
        // As many links as the system follows before it gives up.
        if (++hops > 40)
            return {};
        const QString resolved = target.startsWith(QLatin1Char('/')) ? target : done + QLatin1Char('/') + target;
        rest = QDir::cleanPath(resolved).split(QLatin1Char('/'), Qt::SkipEmptyParts) + rest;
        done.clear();
    }
    return done.isEmpty() ? QStringLiteral("/") : done;
}

OpenAttempt FolderSystemProbe::tryOpen(const QString &device) const
{
    OpenAttempt attempt;
    const QStringList words = describedLine(QStringLiteral("open"), device);
    const QString outcome = words.value(1, QFileInfo::exists(m_root + device) ? QStringLiteral("opened")
                                                                              : QStringLiteral("missing"));
    static const QStringList names = {QStringLiteral("opened"), QStringLiteral("missing"), QStringLiteral("denied"),
                                      QStringLiteral("busy"), QStringLiteral("failed")};
    attempt.outcome = OpenAttempt::Outcome(qMax(0, names.indexOf(outcome)));
    attempt.error = words.mid(2).join(QLatin1Char(' '));
    return attempt;
}

QString FolderSystemProbe::userName() const
{
    return described(QStringLiteral("user")).trimmed();
}

QStringList FolderSystemProbe::sessionGroups() const
{
    return described(QStringLiteral("groups")).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

qint64 FolderSystemProbe::ownProcessId() const
{
    return described(QStringLiteral("pid")).trimmed().toLongLong();
}

bool FolderSystemProbe::installed(const QString &program) const
{
    return described(QStringLiteral("installed")).split(QLatin1Char('\n')).contains(program);
}

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a device file says about itself.
struct FileStatus
{
    enum Kind { CharDevice, Folder, RegularFile, Other };
    bool exists = false;
    Kind kind = Other; // what the path leads to, every link followed
    QString owner; // user name, or the number when it has none
    QString group; // group name, or the number when it has none
    int mode = 0;  // permission bits, e.g. 0660
};

// How an attempt to open a device for reading and writing went.
struct OpenAttempt
{
    enum Outcome { Opened, Missing, Denied, Busy, Failed };
    Outcome outcome = Failed;
    QString error; // the system's words for a failure
};

// Everything the connection check learns from the system, behind one small
// interface: the live system (liveSystemProbe()), or a folder tree that
// stands in for it (FolderSystemProbe) so every cause can be tried anywhere.
// Paths are the system's own ("/dev/ttyUSB0", "/proc/1234/comm").
class SystemProbe
{
public:
    virtual ~SystemProbe() = default;

    // Unix-like (device files, /proc, /sys) rather than Windows.
    virtual bool unixLike() const = 0;
    virtual FileStatus status(const QString &path) const = 0;
    // The whole file; empty when it is missing or unreadable.
    virtual QByteArray read(const QString &path) const = 0;
    // The names in a folder, sorted; empty when it is missing or unreadable.
    virtual QStringList entries(const QString &folder) const = 0;
    // Whether the names in a folder may be read: another user's open files
    // under /proc cannot.
    virtual bool canList(const QString &folder) const = 0;
    // Where a symbolic link points (an open file of a process under /proc).
    virtual QString linkTarget(const QString &path) const = 0;
    // The path with every link in it resolved ("/dev/pts/3" for a link to
    // it); empty when it leads to nothing that exists.
    virtual QString canonicalPath(const QString &path) const = 0;
    // Opens the device for reading and writing and closes it at once.
    virtual OpenAttempt tryOpen(const QString &device) const = 0;
    virtual QString userName() const = 0;
    // The groups this process runs with (those of the login session).
    virtual QStringList sessionGroups() const = 0;
    virtual qint64 ownProcessId() const = 0;
    // Whether a program of that name is installed.
    virtual bool installed(const QString &program) const = 0;
};

// The system this process runs on.
const SystemProbe &liveSystemProbe();

// A system described by a folder tree, for tests. Files under root stand for
// the system's files at the same path ("<root>/proc/42/comm"). A file that
// holds a path is a symbolic link to it: an open file of a process
// ("<root>/proc/42/fd/3" holding "/dev/ttyUSB0"), or "<root>/dev/serial/by-id/x"
// holding "../../ttyACM0". A process without a "fd" folder is one whose open
// files this user may not see. What is no file is described under
// "<root>/probe/":
//   user       the user's name
//   groups     the session's groups, separated by spaces
//   pid        this process's id
//   installed  installed programs, one a line
//   stat       "path owner group mode [kind]" lines (mode in octal; kind
//              char, file or other, char when left out); a file not listed
//              is a character device of root:root 0660, a folder a folder
//   open       "path outcome error..." lines, outcome one of opened,
//              missing, denied, busy, failed; a file not listed opens
//              when it exists and is missing otherwise
//   windows    present: a Windows system
class FolderSystemProbe : public SystemProbe
{
public:
    explicit FolderSystemProbe(const QString &root);

    bool unixLike() const override;
    FileStatus status(const QString &path) const override;
    QByteArray read(const QString &path) const override;
    QStringList entries(const QString &folder) const override;
    bool canList(const QString &folder) const override;
    QString linkTarget(const QString &path) const override;
    QString canonicalPath(const QString &path) const override;
    OpenAttempt tryOpen(const QString &device) const override;
    QString userName() const override;
    QStringList sessionGroups() const override;
    qint64 ownProcessId() const override;
    bool installed(const QString &program) const override;

private:
    QString described(const QString &name) const;
    QStringList describedLine(const QString &name, const QString &path) const;

    QString m_root;
};

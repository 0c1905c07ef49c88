#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

struct ParameterSet;

// Automatic backups of what the transmitter held, taken before a command
// overwrites it. Each is a parameter file like the ones Save writes, named
// after the moment and the command: 20261207-104233-before-factory-reset.dat.
namespace Backups {

constexpr int kKept = 100;

// <application data>/backups
QString defaultDirectory();

struct Result
{
    bool ok = false;
    QString path;   // the file written, or the one that could not be
    QString error;
};

// Writes p into dir (created when missing) as a new file
// <time>-before-<command>.dat (-2, -3, ... when that name is taken; nothing
// is ever overwritten), then deletes the oldest backups there, by
// modification time, beyond the newest kKept. Other files are left alone.
// A port read on is recorded beside it, in <time>-before-<command>.port
// (the backup itself stays a plain parameter file), and goes with it.
Result write(const ParameterSet &p, const QString &command, const QDateTime &when,
             const QString &dir = defaultDirectory(), const QString &port = QString());

// Whether fileName is exactly of the form write() gives its files.
bool isBackupName(const QString &fileName);

} // namespace Backups

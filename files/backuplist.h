#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>

struct ParameterSet;

// The backups as a pilot looks them over: when each was taken, before which
// command, on which port, and what to do with them. Widget-free; the
// window's list and `kelvo-miraq-cli backups` show the same.
namespace Backups {

struct Entry
{
    QString path;
    QString fileName;
    QDateTime time;   // the moment in its name
    QString command;  // as in its name: "factory-reset"
    QString port;     // the port it was read on; empty when not recorded
};

// Every backup in dir, newest first by modification time (the order the
// pruning keeps them in). Files not named as backups are not listed.
QVector<Entry> list(const QString &dir);

// The command a backup was taken before, in the language in effect:
// "出厂设置"; the name itself for one not known.
QString commandText(const QString &command);

// "2026-12-07 10:42:33"
QString timeText(const Entry &entry);

// What keeps the folder from growing, in the language in effect.
QString pruningRule();

// Deletes the backup and what is recorded beside it. False with error set
// when it cannot.
bool remove(const Entry &entry, QString *error);

// The port recorded beside a backup file, or empty.
QString recordedPort(const QString &backupPath);

// The file beside a backup that records its port.
QString portRecordPath(const QString &backupPath);

} // namespace Backups

// Reads the parameter file at path into p as the command-line tool's show
// does: the start values, every frame in place decoded over them, values out
// of range repaired. False with error set when it cannot be read or holds no
// parameter frame.
bool readSetupFile(const QString &path, ParameterSet *p, QString *error);

namespace Backups {
// The folder the window keeps its backups in, also when another program
// (the command-line tool) asks.
QString windowDirectory();
} // namespace Backups

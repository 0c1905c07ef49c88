#include "cli/backupscommand.h"

#include <QDir>

#include "cli/clitext.h"
#include "cli/console.h"
#include "files/backuplist.h"

QStringList backupListing(const QString &dir)
{
    QStringList lines;
    for (const Backups::Entry &entry : Backups::list(dir)) {
        lines.append(QStringList{Backups::timeText(entry), Backups::commandText(entry.command),
                                 entry.port.isEmpty() ? QStringLiteral("-") : entry.port,
                                 QDir::toNativeSeparators(entry.path)}
                             .join(QStringLiteral("  ")));
    }
    return lines;
}

int listBackups()
{
    const QString dir = Backups::windowDirectory();
    const QStringList lines = backupListing(dir);
    if (lines.isEmpty())
        printLine(Cli::tr("no backups in %1").arg(QDir::toNativeSeparators(dir)));
    printLines(lines);
    return exitStatus(ExitCode::Ok);
}

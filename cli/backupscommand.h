#pragma once

#include <QString>
#include <QStringList>

// kelvo-miraq-cli backups: the window's automatic backups, newest first,
// one line each: time, the command it was taken before, the port, the file.
int listBackups();

// Those lines for the backups in dir.
QStringList backupListing(const QString &dir);

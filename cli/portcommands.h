#pragma once

#include <QString>

// The commands that talk to a transmitter. Each opens the port, says "OK",
// does its work as the window would and says "DIS" before it ends. They
// return the exit status (cli/exitcode.h) after printing what happened.
// write and reset send nothing more until the transmitter's live stream
// shows that it is there.

struct MonitorOptions
{
    int seconds = 0;   // 0: until interrupted (Ctrl-C)
    bool csv = false;
};

int listPorts();
int readToFile(const QString &port, const QString &outputPath);
// write and reset: what the transmitter held is read first and backed up
// in the window's folder (kelvo-miraq-cli backups lists it) before anything
// is sent, and the send is read back after.
struct SendOptions
{
    bool verify = true;  // --no-verify: no read-back
    bool backup = true;  // --no-backup: no read first, no backup
    bool force = false;  // --force: send even when the backup cannot be taken
};

int writeFile(const QString &port, const QString &path, const SendOptions &options);
int factoryReset(const QString &port, const SendOptions &options);
int monitor(const QString &port, const MonitorOptions &options);

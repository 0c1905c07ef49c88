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
int writeFile(const QString &port, const QString &path, bool verify);
int factoryReset(const QString &port, bool verify);
int monitor(const QString &port, const MonitorOptions &options);

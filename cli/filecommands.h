#pragma once

#include <QString>

// The commands on parameter files alone, no transmitter involved. They
// return the exit status (cli/exitcode.h) after printing their report.

// Every setting of the file by label with its value; as JSON with json.
int showFile(const QString &path, bool json);
// The settings that differ between two files; Differs when there are any.
int diffFiles(const QString &pathA, const QString &pathB);

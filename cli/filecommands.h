#pragma once

#include <QString>

// The commands on parameter files alone, no transmitter involved. They
// return the exit status (cli/exitcode.h) after printing their report.

// A file that lacks frames is named with the pages it leaves unknown; its
// settings there read as unknown, and the status is Unknown.

// Every setting of the file by label with its value; as JSON with json.
int showFile(const QString &path, bool json);
// The settings that differ between two files, and those unknown in either;
// Differs when there are differences only, Unknown when anything is unknown.
int diffFiles(const QString &pathA, const QString &pathB);

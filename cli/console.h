#pragma once

#include <QString>
#include <QStringList>

#include "cli/exitcode.h"

// Output of the command-line tool. Everything goes out as UTF-8, the
// settings' captions being Chinese, and every line is flushed at once so a
// pipe sees a live monitor as it runs.

// False once the line could not be written (the reader of a pipe went away).
bool printLine(const QString &line);
void printLines(const QStringList &lines);

// "kelvo-miraq-cli: <message>" on stderr.
void printError(const QString &message);

// printError(message), then code as the exit status to return.
int fail(ExitCode code, const QString &message);

// Drops Qt's debug and info output (the parameter file code writes debug
// lines meant for the window's developers) and prints warnings as errors of
// the tool.
void installMessageFilter();

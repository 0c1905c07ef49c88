#pragma once

#include <QString>
#include <QStringList>

#include "cli/exitcode.h"

// Output of the command-line tool. Everything goes out as UTF-8, the
// settings' captions being Chinese, and every line is flushed at once so a
// pipe sees a live monitor as it runs.

// Puts stdout and stderr in binary mode where the C library would turn
// "\n" into "\r\n" (Windows), so files and pipes get the same bytes on
// every system. Call once before anything is printed.
void setUpConsole();

// False once the line could not be written (the reader of a pipe went away).
bool printLine(const QString &line);

// Text that already ends in a line end (a help text) goes out as it is.
void printText(const QString &text);
void printLines(const QStringList &lines);

// "kelvo-miraq-cli: <message>" on stderr.
void printError(const QString &message);

// printError(message), then code as the exit status to return.
int fail(ExitCode code, const QString &message);

// Drops Qt's debug and info output (the parameter file code writes debug
// lines meant for the window's developers) and prints warnings as errors of
// the tool.
void installMessageFilter();

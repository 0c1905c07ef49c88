#pragma once

#include <QStringList>

// Parses the arguments of kelvo-miraq-cli (as QCoreApplication::arguments()
// gives them, the program first), runs the command they name and returns the
// exit status. --help and --version print and return 0.
int runCommandLine(const QStringList &arguments);

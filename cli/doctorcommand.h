#pragma once

#include <QString>

// kelvo-miraq-cli doctor [--port P]: runs the connection check on port (the
// first USB port listed when empty), prints one line per step and returns 0
// when the transmitter answers, else the exit status of the cause's family
// (cli/exitcode.h).
int runDoctor(const QString &port);

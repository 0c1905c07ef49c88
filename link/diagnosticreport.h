#pragma once

#include <QString>
#include <QStringList>

struct ConnectionReport;

// The text a pilot pastes into a bug report or a forum post when the
// transmitter cannot be reached: the tool's and Qt's versions, the system,
// every serial port with its USB ids and serial number, the connection
// check's steps and the last messages in hexadecimal.
QString diagnosticReport(const QString &tool, const ConnectionReport &report, const QStringList &traffic);

// One line per serial port the system lists, then the extra ports:
// "ttyUSB0  1a86:7523  serial 12345  USB Serial".
QStringList diagnosticPortLines();

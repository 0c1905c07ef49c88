#pragma once

#include <QDateTime>
#include <QString>

struct ParameterSet;

// The set-up sheet: every setting of a configuration on paper, grouped as
// the pages show them, in the language in effect, black on white so that a
// printout reads in the sun. HTML that QTextDocument lays out as it is (the
// PDF is that document printed).
namespace SetupSheet {

// The first eight hexadecimal digits of the SHA-1 of the parameter file Save
// writes for p (`sha1sum plane.dat` begins with them), to match a printout
// with its file.
QString checksum(const ParameterSet &p);

// Where the set-up came from, for the sheet's header: "文件 plane.dat",
// "遥控器 ttyUSB0".
QString fileSource(const QString &fileName);
QString transmitterSource(const QString &port);

// The whole sheet: a header with source, date and checksum, then each page,
// its groups and their settings with caption and value.
QString html(const ParameterSet &p, const QString &source, const QDateTime &when);

} // namespace SetupSheet

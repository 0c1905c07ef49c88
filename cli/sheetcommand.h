#pragma once

#include <QString>

// kelvo-miraq-cli sheet FILE -o OUT: the set-up sheet of a parameter file,
// as HTML or PDF by OUT's extension. The PDF is laid out with the system's
// fonts, so it needs a QGuiApplication (no display: see needsFonts()).
int writeSheet(const QString &path, const QString &out);

// Whether the arguments ask for a command that lays out text with fonts.
bool needsFonts(int argc, char **argv);

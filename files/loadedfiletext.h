#pragma once

#include <QString>

// The text of the last parameter file read by Load (bounded to the prefix
// that matters), kept until the next Load.
QString &loadedFileText();

#pragma once

#include <QString>

struct ParameterSet;

// Reads the parameter file at path into p as the window's Load does: at most
// the first kParameterFileReadLimit bytes, every frame found in place
// decoded, then values out of range repaired and the dual-rate view rebuilt.
// p should hold the start values; members of frames the file lacks keep them.
//
// Returns false with error set when the file cannot be read or holds no
// parameter frame at all (p is then unchanged). A file with only some
// frames is taken, and warning says which ones were missing.
bool loadParameterFile(const QString &path, ParameterSet &p, QString *error, QString *warning);

#pragma once

#include <QString>
#include <QStringList>

#include "files/parameterfile.h"

struct ParameterSet;

// A parameter file as read and checked, before anything is decoded into a
// configuration.
struct ParameterFileInput
{
    QString path;
    QString text;          // at most the first kParameterFileReadLimit bytes
    FileDecodeResult found; // the frames in place
    // The letters of the frames the file lacks: "H, I"; empty when complete.
    QString missingFrames() const;
};

// Reads the file at path and finds its frames. Returns false with error set
// when the file cannot be read or holds no parameter frame at all.
bool readParameterFileInput(const QString &path, ParameterFileInput *in, QString *error);

// Decodes the frames of in over p, as the window's Load does: members of
// frames the file lacks keep what p holds, then values out of range are
// repaired.
void overlayParameterFile(const ParameterFileInput &in, ParameterSet &p);

// Reads the parameter file at path into p as the window's Load does: at most
// the first kParameterFileReadLimit bytes, every frame found in place
// decoded, then values out of range repaired. p should hold the start
// values; members of frames the file lacks keep them.
//
// Returns false with error set when the file cannot be read or holds no
// parameter frame at all (p is then unchanged). A file with only some
// frames is taken, and warning says which ones were missing.
bool loadParameterFile(const QString &path, ParameterSet &p, QString *error, QString *warning);

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

// What a command that only looks at a file tells of the frames it lacks:
// the pages whose settings are therefore unknown, and the frames' letters.
// Empty for a complete file.
QString missingFramesWarning(const ParameterFileInput &in);

// Reads the file at path into p (frames it lacks keep what p holds); warning
// names what the file lacks. False with error set when it cannot be read.
bool loadParameterFile(const QString &path, ParameterSet &p, QString *error, QString *warning);

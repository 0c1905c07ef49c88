#pragma once

#include <QStringList>

// The faces a Chinese text falls back to when the face it is set in has no
// such glyphs. On Windows these are the ones every installation since Vista
// has, Microsoft YaHei and then SimSun; left to itself Qt would try the
// Japanese MS UI Gothic first on a Windows that is not set to Chinese.
// Elsewhere the list is empty: fontconfig knows the installed faces.
QStringList chineseFallbackFaces();

// Registers chineseFallbackFaces() for the faces the tool's texts are set in:
// the form's Arial and the system's face for everything else. Call once the
// application object exists and before the window is built.
void installChineseFallbackFaces();

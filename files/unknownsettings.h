#pragma once

#include <QStringList>

#include "files/parameterfile.h"

struct Setting;

// What a configuration that came without some of its four frames leaves
// unknown: the settings those frames carry, and the pages that show them.
// The window's Load and the command-line tool name them alike.

// Every frame in place: a configuration read from the transmitter.
FileDecodeResult allFrames();

// Whether frames include the one that carries setting. A setting no frame
// carries is known only with every frame in place.
bool settingKnown(const Setting &setting, const FileDecodeResult &frames);

// The titles of the pages with a setting that frames leave unknown, in
// table order, each once, in the language in effect as the form's tabs
// show them ("高级菜单1"); empty when every setting is known.
QStringList pagesWithUnknownSettings(const FileDecodeResult &frames);

#pragma once

#include <QString>

// The language of the whole tool: the form, the status line, the tooltips,
// the message boxes and file dialogs, all through Qt's translation (the
// Chinese words are the source texts).
//
// "en" installs the English translation; "zh", an empty string or anything
// else leaves the source texts. Call it with the application object in place and before the
// main window is built: the form takes its words when it is built. The
// system locale plays no part. Returns false when the language asked for is
// not the one in effect (unknown, or the English catalogue failed to load,
// in which case the tool stays Chinese). In Chinese, Qt's own words (file
// dialogs, standard buttons) come from qtbase_zh_CN, looked for in a
// "translations" folder beside the program and in Qt's translations folder.
bool installLanguage(const QString &lang);

// The command-line tool's language: installLanguage(lang) and, in Chinese,
// the catalogue of the texts whose sources are English (the tool's own
// messages and the port and file errors it passes on). The window never installs that
// catalogue. Returns false as installLanguage() does, or when the Chinese
// catalogue failed to load.
bool installCommandLineLanguage(const QString &lang);


// The language in effect, "en" or "zh": the one place the tool's language is
// read from. installLanguage() sets it.
QString currentLanguage();

#pragma once

#include <QString>

// The words a pilot knows the configuration by: the page titles, the group
// titles and the captions beside the editors, each by the object name of
// the widget that shows it ("tab_2", "groupBox_3", "lineEdit_53"). The form
// is built with them and the command-line tool names settings with them, so
// each is written once. Returns an empty string for a name without a text.
//
// The Chinese words are the source texts (context "FormText"); the text is
// translated at each call, so a translator installed before the window is
// built decides the language of the whole form.
QString formText(const QString &objectName);

#pragma once

#include <QString>

// The words a pilot knows the configuration by: the page titles, the group
// titles and the captions beside the editors, each by the object name of
// the widget that shows it ("tab_2", "groupBox_3", "lineEdit_53"). The form
// is built with them and the command-line tool names settings with them, so
// each is written once. Returns an empty string for a name without a text.
QString formText(const QString &objectName);

#pragma once

#include <QKeySequence>
#include <QString>

class MainForm;

// What each command button, the port list and the lamp do, as tooltips in
// the language of the installed translation (Chinese without one), and the
// keyboard shortcuts of the commands. Destructive commands (factory reset,
// reset data) get no shortcut: they stay one deliberate click.
namespace CommandHelp {

// The shortcut of a button, or an empty sequence.
QKeySequence shortcut(const QString &objectName);
QString toolTip(const QString &objectName, const QString &backupDirectory);

// Puts the tooltips and shortcuts on the form's widgets.
void apply(MainForm &form, const QString &backupDirectory);

} // namespace CommandHelp

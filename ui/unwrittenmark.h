#pragma once

#include <QVector>

class QTabWidget;
class QWidget;

// Marks an editor whose value is not yet in the transmitter: the dynamic
// property "unwritten" and a magenta corner and dashed underline drawn over
// the editor by a child that takes no input (unlike the orange focus frame
// and the green of the pointer). The editor's own style sheet (and the hover
// styling that replaces it) is left alone, so the mark works with any look.
void setUnwritten(QWidget *editor, bool unwritten);
bool isUnwritten(const QWidget *editor);

// Marks the tab of each page of tabs that holds one of the marked editors:
// a small magenta dot right of the tab's title, which stays as it is, and
// the tab's tooltip "此页有未写入的修改" in the language in effect. The
// other tabs carry neither. Called again after a language switch, it says
// the tooltip again in the new language.
void markUnwrittenPages(QTabWidget *tabs, const QVector<QWidget *> &marked);
// Whether the tab at index carries the mark.
bool pageMarkedUnwritten(const QTabWidget *tabs, int index);

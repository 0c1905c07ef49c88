#pragma once

class QWidget;

// Marks an editor whose value is not yet in the transmitter: the dynamic
// property "unwritten" and a magenta corner and dashed underline drawn over
// the editor by a child that takes no input (unlike the orange focus frame
// and the green of the pointer). The editor's own style sheet (and the hover
// styling that replaces it) is left alone, so the mark works with any look.
void setUnwritten(QWidget *editor, bool unwritten);
bool isUnwritten(const QWidget *editor);

#pragma once

#include <QString>
#include <QVector>

class QLineEdit;
class QWidget;

// A caption wider than its box at the form's font would show cut (a line
// edit scrolls its text to the end, so the start goes). Such a caption is
// drawn out to the box's inner edges and, where even that is too narrow
// (another face standing in for the form's), a pixel size smaller at a time
// until it fits, with the whole text as its tooltip. Captions that fit are
// left exactly as they are.
namespace CaptionFit {

// A caption that needs a smaller face than its family's.
struct Smaller
{
    QLineEdit *edit;
    int px;
    bool bold;
};

// Marks edit as a caption: its words are the form's, never a value.
void markAsCaption(QLineEdit *edit);
// True when edit's text fits the room its box gives it now.
bool fits(const QLineEdit *edit);
// Gives every caption under root that is too wide the room of its whole box
// and its text as tooltip, and takes both back from those that fit now;
// returns the captions that need a smaller face still.
QVector<Smaller> fitAll(QWidget *root);
// The style rules that give each its face: "QLineEdit#lineEdit_9 { font: bold 24px; }".
QString rules(const QVector<Smaller> &smaller);
// The rules fitAll(root) will ask for once sheet is on root, found before it
// is: on a stand-in of each caption (its name, size and text) under a root
// of their own with that sheet, far cheaper to polish than the whole form.
// Each caption's family face is recorded as fitAll's first call would, so
// that fitAll measures from it also when the rules are on root already.
QString rulesAhead(QWidget *root, const QString &sheet);

} // namespace CaptionFit

#pragma once

#include <QList>
#include <QString>

class MainForm;
class QWidget;

// What a screen reader and the keyboard get from the form: names, units and
// ranges of the editors (from the table of settings), Tab stops in the
// order the pages are read, keys that change pages.
namespace Accessibility {

// Editors: accessible name "page · group · caption", description and
// tooltip with the range and unit. Buttons: their tooltip as description.
// Read-only fields leave the Tab chain; every other widget that takes focus
// gets a name from the caption beside it when it has none. Call after the
// tooltips are in place.
void apply(MainForm &form, QWidget *window);
// The parts of apply(): the names and descriptions, which follow the
// language (run again after it changes), and the Tab chain with the page keys
// (once).
void name(MainForm &form, QWidget *window);
void chainTabs(MainForm &form, QWidget *window);

// "-100…100 %" for a spin box, empty for anything else.
QString rangeText(const QWidget *editor, const QString &unit);

// The widgets under root that Tab stops at, group box by group box (rows
// of group boxes top to bottom, left to right within a row), and inside a
// group row by row, left to right.
QList<QWidget *> visualOrder(QWidget *root);

} // namespace Accessibility

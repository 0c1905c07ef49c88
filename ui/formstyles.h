#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The looks of the main window, one style sheet per family of widgets. Every
// widget of the form gets the sheet of its family; the families differ only
// in the few values passed here.
namespace FormStyle {

// Backgrounds
QString window();                 // the central widget
QString page(bool basicMenu);     // tab pages; the basic-menu page starts a shade lighter
QString pageFrame();              // the frame filling each page
QString curveWidget();            // the white plotting areas

QString tabBar();                 // the tab widget and its tabs

enum class Button { Tool, ToolReset, Push };
QString commandButton(Button kind);
QString lamp();                   // the connection lamp
QString portSelector();
QString portPopup();              // the list the port selector pops up

// Line edits: captions, values of the strip, trims and channel monitor.
QString caption(int fontPx = 20);
QString stripValue();
QString trimValue();
QString monitorValue();
QString monitorName();

QString editor(int fontPx = 20);  // spin boxes and combo boxes
QString groupTitle();
QString upperBar();               // white groove, blue chunk
QString lowerBar();               // blue groove, white chunk

// Arial, or the nearest sans-serif face where it is not installed.
QFont arial(int pointSize, bool bold);

// The status line right of the tabs: the label "statusLabel" and its thin
// progress bar "statusProgress", named by their object names.
QString statusLabel();
QString statusProgress();
// The banner under the tab bar ("statusBanner") in the colour of an
// interruption, with its text and close button.
QString statusBanner();
// The four telemetry values of the strip while their reading is old (the
// dynamic property "stale"): the same text, dimmed.
QString staleTelemetry(const QStringList &names);

// Tooltips of every widget inside the widget called root: dark text on a
// light box, whatever the widget under them looks like.
QString toolTip(const QString &root);

// The frame a box, button or editor shows while it has the keyboard focus,
// for the selectors given (each already naming its widget): its own border
// in the focus colour, or a thin line where it has no border (line).
QString focusFrame(const QStringList &selectors, bool line);

} // namespace FormStyle

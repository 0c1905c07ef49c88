#pragma once

#include <QFont>
#include <QString>

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

} // namespace FormStyle

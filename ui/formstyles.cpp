#include "ui/formstyles.h"

namespace FormStyle {
namespace {

const char kWhite[] = "rgb(255, 255, 255)";
const char kYellow[] = "rgba(255, 255, 0, 255)";
const char kCaptionGrey[] = "rgb(70, 70, 70)";
const char kEditorBlue[] = "rgb(85, 170, 255)";

// The rounded box of the editors: a transparent 4 px outset border.
const char kOutsetBox[] = "  border-style: outset;\n"
                          "  border-width: 4px;\n"
                          "  border-color: rgba(0, 0, 0, 0);\n"
                          "  border-radius: 4px;\n"
                          "  padding: 0px;\n";

// The value boxes' rounded box without its border. The box's transparent
// 4 px border shows nothing, yet Qt works out its edges and corners on every
// paint: a third of a live value's repaint. Qt fills the background of a
// rounded box inside half its border, with the corners' radius less half the
// border (2 px in, radius 2 px): a box set in by a 2 px margin with a 2 px
// radius and 2 px of padding fills the same pixels and keeps its text where
// it was.
const char kSetInBox[] = "  border-style: none;\n"
                         "  margin: 2px;\n"
                         "  border-radius: 2px;\n"
                         "  padding: 2px;\n";

// The rounded box shared by captions, value boxes and editors.
QString boxSheet(const QString &selector, const char *box, const char *background, int fontPx, const char *colour)
{
    return QStringLiteral("%1 {\n"
                          "  background-color: %2;\n"
                          "%3"
                          "  font: bold %4px;\n"
                          "  color: %5;\n"
                          "}\n")
        .arg(selector, QLatin1String(background), QLatin1String(box))
        .arg(fontPx)
        .arg(QLatin1String(colour));
}

QString hoverSheet(const QString &selector, const char *background)
{
    return QStringLiteral("%1 {\n"
                          "  background-color: %2;\n"
                          "  border-color: rgba(255, 255, 255, 255);\n"
                          "  color: rgba(255, 255, 255, 255);\n"
                          "}\n")
        .arg(selector, QLatin1String(background));
}

// With the focus, the value boxes' border comes back for the frame to be
// drawn in.
QString lineEditSheet(const char *background, int fontPx, const char *colour)
{
    return boxSheet(QStringLiteral("QLineEdit"), kSetInBox, background, fontPx, colour)
        + QStringLiteral("QLineEdit:focus {\n"
                         "  margin: 0px;\n"
                         "  border-width: 4px;\n"
                         "  border-radius: 4px;\n"
                         "  padding: 0px;\n"
                         "}\n");
}

QString barSheet(const char *groove, const char *chunk)
{
    return QStringLiteral("QProgressBar {\n"
                          "  background-color: %1;\n"
                          "  border-radius: 0px;\n"
                          "  color: rgba(0, 0, 0, 0);\n"
                          "  text-align: center;\n"
                          "}\n"
                          "QProgressBar::chunk {\n"
                          "  background-color: %2;\n"
                          "  border-radius: 0px;\n"
                          "  margin: 0px;\n"
                          "}\n")
        .arg(QLatin1String(groove), QLatin1String(chunk));
}

QString gradientPage(const char *top, const char *x2)
{
    return QStringLiteral("background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:%1, y2:1, "
                          "stop:0 %2, stop:1 rgba(255, 255, 255, 255));")
        .arg(QLatin1String(x2), QLatin1String(top));
}

} // namespace

QString window() { return QStringLiteral("background-color: rgb(40, 40, 40);"); }

QString page(bool basicMenu)
{
    return basicMenu ? gradientPage("rgba(255, 19, 19, 255)", "0.006")
                     : gradientPage("rgba(255, 0, 0, 255)", "0");
}

QString pageFrame() { return QStringLiteral("background-color: rgb(50, 50, 50);"); }

QString curveWidget() { return QStringLiteral("background-color: rgb(255, 255, 255);"); }

QString tabBar()
{
    return QStringLiteral("QTabWidget::pane { border: 10px; }\n"
                          "QTabWidget::tab-bar { alignment: left; }\n"
                          "QTabBar::tab {\n"
                          "  border: none;\n"
                          "  border-top-left-radius: 10px;\n"
                          "  border-top-right-radius: 10px;\n"
                          "  color: rgb(255, 255, 255);\n"
                          "  background-color: rgb(80, 80, 80);\n"
                          "  height: 50px;\n"
                          "  min-width: 140px;\n"
                          "}\n"
                          "QTabBar::tab:hover { background-color: rgba(0, 0, 0, 0); }\n"
                          "QTabBar::tab:selected {\n"
                          "  border-color: rgb(255, 255, 255);\n"
                          "  background-color: rgb(255, 0, 0);\n"
                          "  color: rgba(0, 255, 255, 255);\n"
                          "}\n");
}

QString commandButton(Button kind)
{
    const bool push = kind == Button::Push;
    const QString cls = push ? QStringLiteral("QPushButton") : QStringLiteral("QToolButton");
    const QString pressed = kind == Button::ToolReset
        ? QStringLiteral("  background-color: rgba(255, 255, 0, 255);\n"
                         "  color: rgba(255, 0, 0, 100);\n")
        : QStringLiteral("  background-color: rgba(100, 255, 100, 200);\n"
                         "  color: rgba(0, 0, 0, 100);\n");
    return QStringLiteral("%1 {\n"
                          "  background-color: %2;\n"
                          "  border-style: outset;\n"
                          "  border-width: 4px;\n"
                          "  border-color: rgba(0, 0, 0, 0);\n"
                          "  border-radius: 10px;\n"
                          "  font: bold %3px;\n"
                          "  color: rgb(255, 255, 255);\n"
                          "  padding: 0px;\n"
                          "}\n"
                          "%1:pressed {\n"
                          "%4"
                          "  border-style: inset;\n"
                          "  border-color: rgba(255, 255, 255, 30);\n"
                          "}\n")
               .arg(cls, push ? QStringLiteral("rgba(100, 100, 100, 100)")
                              : QStringLiteral("rgba(70, 70, 70, 70)"))
               .arg(push ? 16 : 14)
               .arg(pressed)
        + hoverSheet(cls + QStringLiteral(":hover"), "rgba(100, 255, 100, 100)");
}

QString lamp()
{
    return QStringLiteral("QToolButton {\n"
                          "  background-color: rgba(70, 70, 70, 70);\n"
                          "  border-width: 0px;\n"
                          "  border-radius: 0px;\n"
                          "}\n");
}

QString portSelector()
{
    // The popup's highlighted entry takes the selection colours of the box:
    // white on a strong blue, not the white of the box on white.
    return QStringLiteral("QComboBox {\n"
                          "  background-color: rgb(255, 255, 255);\n"
                          "  selection-color: rgb(255, 255, 255);\n"
                          "  selection-background-color: rgb(0, 90, 200);\n"
                          "}\n");
}

QString portPopup()
{
    // Dark text on white with a strong blue for the highlighted entry.
    return QStringLiteral("QAbstractItemView {\n"
                          "  color: rgb(0, 0, 0);\n"
                          "  background-color: rgb(255, 255, 255);\n"
                          "  selection-color: rgb(255, 255, 255);\n"
                          "  selection-background-color: rgb(0, 90, 200);\n"
                          "}\n"
                          "QAbstractItemView::item:selected {\n"
                          "  color: rgb(255, 255, 255);\n"
                          "  background-color: rgb(0, 90, 200);\n"
                          "}\n");
}

QString caption(int fontPx) { return lineEditSheet(kCaptionGrey, fontPx, kWhite); }
QString stripValue() { return lineEditSheet(kCaptionGrey, 14, kYellow); }
QString trimValue() { return lineEditSheet(kCaptionGrey, 20, kYellow); }
QString monitorValue() { return lineEditSheet(kEditorBlue, 26, kWhite); }
QString monitorName() { return lineEditSheet("rgb(0, 0, 0)", 26, kYellow); }

QString editor(int fontPx)
{
    const QString classes = QStringLiteral("QSpinBox, QDoubleSpinBox, QComboBox");
    const QString hovered = QStringLiteral("QSpinBox:hover, QDoubleSpinBox:hover, QComboBox:hover");
    return boxSheet(classes, kOutsetBox, kEditorBlue, fontPx, kWhite)
        + hoverSheet(hovered, "rgba(100, 255, 100, 100)");
}

QString groupTitle() { return QStringLiteral("QGroupBox { color: rgb(255, 170, 0); }"); }

QString upperBar() { return barSheet("rgba(255, 255, 255, 255)", "rgba(0, 0, 255, 255)"); }
QString lowerBar() { return barSheet("rgba(0, 0, 255, 255)", "rgba(255, 255, 255, 255)"); }

QString statusLabel()
{
    return QStringLiteral("QLabel#statusLabel {\n"
                          "  color: rgb(20, 20, 20);\n"
                          "  background-color: rgb(235, 235, 235);\n"
                          "  border-radius: 4px;\n"
                          "  padding: 0px 4px;\n"
                          "  font: 11pt;\n"
                          "}\n");
}

QString statusProgress()
{
    return QStringLiteral("QProgressBar#statusProgress { border: none; background: rgb(70, 70, 70); }\n"
                          "QProgressBar#statusProgress::chunk { background: rgb(85, 170, 255); }\n");
}

QString statusBanner()
{
    return QStringLiteral("QFrame#statusBanner {\n"
                          "  background-color: rgb(200, 40, 30);\n"
                          "  border-radius: 3px;\n"
                          "}\n"
                          "QLabel#statusBannerText {\n"
                          "  color: rgb(255, 255, 255);\n"
                          "  background: transparent;\n"
                          "  font: bold 13px;\n"
                          "}\n"
                          "QToolButton#statusBannerClose {\n"
                          "  color: rgb(255, 255, 255);\n"
                          "  background: transparent;\n"
                          "  border: none;\n"
                          "  font: bold 14px;\n"
                          "}\n"
                          "QToolButton#statusBannerClose:hover, QToolButton#statusBannerClose:focus {\n"
                          "  background-color: rgb(150, 20, 15);\n"
                          "}\n");
}

QString staleTelemetry(const QStringList &names)
{
    QStringList selectors;
    for (const QString &name : names)
        selectors.append(QStringLiteral("QLineEdit#%1[stale=\"true\"]").arg(name));
    return selectors.join(QStringLiteral(",\n"))
        + QStringLiteral(" {\n  color: rgba(255, 255, 0, 90);\n  background-color: rgb(55, 55, 55);\n}\n");
}

QString toolTip(const QString &root)
{
    // Named through the root, so that it outweighs the backgrounds the
    // window and the pages give everything inside them.
    return QStringLiteral("#%1 QToolTip {\n"
                          "  color: rgb(0, 0, 0);\n"
                          "  background-color: rgb(255, 255, 225);\n"
                          "  border: 1px solid rgb(70, 70, 70);\n"
                          "  padding: 2px;\n"
                          "  font: 14px;\n"
                          "}\n")
        .arg(root);
}

QString focusFrame(const QStringList &selectors, bool line)
{
    // The boxes' own 4 px border, drawn solid in the group titles' orange;
    // while a button is held down it keeps its pressed look.
    QStringList states;
    for (const QString &selector : selectors)
        states.append(selector + QStringLiteral(":!pressed"));
    return states.join(QStringLiteral(",\n"))
        + (line ? QStringLiteral(" {\n  border: 2px solid rgb(255, 170, 0);\n}\n")
                : QStringLiteral(" {\n"
                                 "  border-style: solid;\n"
                                 "  border-color: rgb(255, 170, 0);\n"
                                 "}\n"));
}

QFont arial(int pointSize, bool bold)
{
    QFont font(QStringLiteral("Arial"), pointSize, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace FormStyle

#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QFontMetrics;

// The closed port list shows as much of its choice as fits: each entry may
// carry a shorter text for the closed box (kBoxTextRole), which is elided at
// its start where even that is too wide, so the end of a name, the part that
// tells ports apart, stays in sight, after a mark ("× ") where it has one. The popup and the tooltip keep the
// full text.
class PortBox : public QObject
{
public:
    static constexpr int kBoxTextRole = 0x0101; // Qt::UserRole + 1

    // Draws box with the fitted text from now on.
    static void install(QComboBox *box);
    // text as it fits width: whole, else elided at the start of the name.
    static QString fitted(const QString &text, const QFontMetrics &metrics, int width);
    // What the closed box shows now.
    static QString shownText(const QComboBox *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};

#pragma once

#include <QString>
#include <QStringList>

class QFontMetrics;
class QLabel;
class QProgressBar;
class QWidget;

// A file name inside a status text, set apart so that a line too long for
// the label loses characters from the middle of the name and never from the
// words around it. The marks are the Unicode isolates (U+2068, U+2069),
// which also keep a name in another script from reordering the line.
QString markedName(const QString &name);
// The text without the marks, for tooltips and screen readers.
QString withoutMarks(const QString &text);

// One line as the label shows it within width pixels of metrics: whole when
// it fits; else the marked name elided in the middle; else also without its
// trailing time (" · 10:42", which stays in the tooltip); only then cut at
// the right.
QString fitStatusLine(const QString &line, const QFontMetrics &metrics, int width);

// The lines as the label shows them, at most maxLines: each fitted as
// above, except that a line with a marked name that does not fit whole is
// shown as two when there is room: the name (elided in the middle if need
// be), then the verdict after it with its time.
QStringList fitStatusLines(const QStringList &lines, const QFontMetrics &metrics, int width, int maxLines);

// The status line in the band right of the tabs: two or three short lines,
// each elided to the width, and the full text in the tooltip. Its looks are
// part of the form's one style sheet (FormStyle::statusLabel).
class StatusLine
{
public:
    // Creates the label "statusLabel" on parent, above its siblings.
    void create(QWidget *parent);
    QLabel *label() const { return m_label; }
    // The width a line may take inside the label's padding.
    int textWidth() const;

    // Shows lines (the first two, see fitStatusLines) and details in the
    // tooltip below them.
    void show(const QStringList &lines, const QString &details = QString());

    // A thin bar under the lines while a command runs; value of maximum.
    void showProgress(int value, int maximum);
    void hideProgress();
    QProgressBar *progressBar() const { return m_progress; }

private:
    QLabel *m_label = nullptr;
    QProgressBar *m_progress = nullptr;
    QStringList m_lines;   // what is shown, to skip unchanged updates
    QString m_details;

    void render();
};

#pragma once

#include <QString>
#include <QStringList>

class QLabel;
class QProgressBar;
class QWidget;

// The status line in the band right of the tabs: one or two short lines,
// each elided to the width, and the full text in the tooltip. Its looks are
// part of the form's one style sheet (FormStyle::statusLabel).
class StatusLine
{
public:
    // Creates the label "statusLabel" on parent, above its siblings.
    void create(QWidget *parent);
    QLabel *label() const { return m_label; }

    // Shows lines (at most two) and details in the tooltip below them.
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
};

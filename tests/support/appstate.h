#pragma once

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QString>
#include <QTimer>

#include "app/mainwindow.h"
#include "link/protocol.h"
#include "ui/mainform.h"

// The pauses of the protocol and the end of a reply cut short, for tests
// that do not look at timing: a Write takes about half a second instead of
// 3.4 s, a Read nobody answers 0.6 s instead of 2 s. A test that checks the
// pauses or when a reply ends, or looks in at a fixed moment of a command,
// gives the window the real ones (Protocol::Pacing()).
Protocol::Pacing quickPacing();

// A _data() function's rows for a test run in each language: a column
// "language" with the rows "zh" and "en".
void addLanguageRows();

// Clicks a button from the event loop, so the test keeps control while the
// command runs its nested waits.
inline void clickLater(MainWindow &w, const QString &name)
{
    auto *button = w.form()->find<QAbstractButton>(name);
    Q_ASSERT_X(button, "clickLater", qPrintable(name));
    QTimer::singleShot(0, button, &QAbstractButton::click);
}

// An icon as pixels, to compare the lamp with the picture it should show.
inline QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(QSize(40, 40)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Runs a window slot by name, also private ones (they are invokable).
bool invokeSlot(MainWindow &w, const char *slot);

// All ParameterSet members that differ between a and b, by name.
QStringList differingMembers(const struct ParameterSet &a, const struct ParameterSet &b);

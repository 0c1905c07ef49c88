#pragma once

#include <QString>
#include <memory>

#include "app/mainwindow.h"
#include "support/faketransmitter.h"

// A fresh window whose port list starts with a fresh transmitter on a
// pseudo-terminal, for the tests that talk to the tool over a real port. The
// window runs with quickPacing().
struct FakePortRig
{
    std::unique_ptr<FakeTransmitter> tx;
    std::unique_ptr<MainWindow> w;

    // Installs the language ("en"; Chinese otherwise, see installLanguage)
    // and builds both; false (see error) when no pseudo-terminal could be
    // opened.
    bool start(const QString &language = QString());
    void stop();
    // Presses the open button and waits for the tool's "OK".
    bool openPort();

    QString error;
};

// Waits until the window has taken a live packet from now on, so that a
// command started next finds the transmitter present however loaded the
// machine is. False when none came within timeoutMs.
bool waitForStream(MainWindow &w, int timeoutMs = 5000);

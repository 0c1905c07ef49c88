#pragma once

#include <QString>
#include <memory>

#include "app/mainwindow.h"
#include "link/protocol.h"
#include "support/faketransmitter.h"

// The pauses of the protocol cut short, for tests that do not look at
// timing: a Write takes about half a second instead of 3.4 s. A test that
// checks the pauses, or looks in at a fixed moment of a command, gives the
// window the real ones (Protocol::Pacing()).
Protocol::Pacing quickPacing();

// A fresh window whose port list starts with a fresh transmitter on a
// pseudo-terminal, for the tests that talk to the tool over a real port. The
// window runs with quickPacing().
struct FakePortRig
{
    std::unique_ptr<FakeTransmitter> tx;
    std::unique_ptr<MainWindow> w;

    // Resets the process-wide state, installs the language ("en"; Chinese
    // otherwise, see installLanguage) and builds both; false (see error) when
    // no pseudo-terminal could be opened.
    bool start(const QString &language = QString());
    void stop();
    // Presses the open button and waits for the tool's "OK".
    bool openPort();

    QString error;
};

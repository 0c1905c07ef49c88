#pragma once

class QCoreApplication;

// Makes SIGINT, SIGTERM and SIGHUP end the event loop of app normally, so
// the simulator saves its configuration and releases its pseudo-terminal.
// The handler only writes a byte to a pipe; the quit happens in the event
// loop. Elsewhere than on Unix nothing is installed and Ctrl-C ends the
// process the default way.
void quitOnTerminationSignals(QCoreApplication &app);

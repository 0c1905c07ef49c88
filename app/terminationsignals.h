#pragma once

#include <functional>

// Runs onSignal in the event loop when the process is asked to end (SIGTERM,
// SIGINT, SIGHUP on Unix), so the tool can close its port (no lock file stays
// behind) and end as closing its window does. The handler only writes a byte
// to a socket pair; everything else happens on the GUI thread. A no-op on
// systems without these signals. Installed once, for the process.
void onTerminationSignal(std::function<void()> onSignal);

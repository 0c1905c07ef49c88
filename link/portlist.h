#pragma once

#include <QStringList>

// The names offered in the port list: first the device paths listed in the
// environment variable KELVO_EXTRA_PORTS (separated by the platform's path
// list separator, e.g. a virtual transmitter's pseudo-terminal), then the
// ports the system reports, in its order.
QStringList availablePortNames();

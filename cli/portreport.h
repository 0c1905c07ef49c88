#pragma once

#include <QStringList>
#include <QVector>

#include "link/portlist.h"

// The ports command's listing: one line per port, its name first, then what
// is known about it separated by two spaces: the description, the
// manufacturer and the USB ids as "vid:pid" in hexadecimal. A port from
// KELVO_EXTRA_PORTS says so instead.
//   "ttyUSB0  CP2102 USB to UART Bridge Controller  Silicon Labs  10c4:ea60"
QStringList portListing(const QVector<PortDescription> &ports);

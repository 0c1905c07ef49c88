#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One entry of the port list with what the system tells about it.
struct PortDescription
{
    QString name;          // what opens it: "ttyUSB0", "COM3", "/dev/pts/7"
    QString description;   // "CP2102 USB to UART Bridge Controller"
    QString manufacturer;  // "Silicon Labs"
    bool hasUsbIds = false;
    quint16 vendorId = 0;
    quint16 productId = 0;
    bool fromEnvironment = false; // listed in KELVO_EXTRA_PORTS
};

// The ports offered in the port list: first the device paths listed in the
// environment variable KELVO_EXTRA_PORTS (separated by the platform's path
// list separator, e.g. a virtual transmitter's pseudo-terminal), then the
// ports the system reports, in its order.
QVector<PortDescription> availablePorts();

// The names of availablePorts(), in the same order.
QStringList availablePortNames();

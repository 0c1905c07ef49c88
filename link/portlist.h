#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One entry of the port list.
struct PortEntry
{
    QString name;    // shown in the list and used to open the port
    QString details; // description, manufacturer and USB ids, for its tooltip
    // A USB device or a port named by the user, as opposed to a built-in port
    // that is unlikely to be a transmitter.
    bool useful = false;

    friend bool operator==(const PortEntry &a, const PortEntry &b)
    {
        return a.name == b.name && a.details == b.details && a.useful == b.useful;
    }
    friend bool operator!=(const PortEntry &a, const PortEntry &b) { return !(a == b); }
};

// A port with what the system tells about it.
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

// The ports the system reports, in its order.
QVector<PortDescription> systemPorts();

// Every entry of KELVO_EXTRA_PORTS (present or not), then the system's ports.
QVector<PortDescription> availablePorts();

// The entries of the environment variable KELVO_EXTRA_PORTS: device paths
// (e.g. a virtual transmitter's pseudo-terminal) separated by the platform's
// path list separator.
QStringList extraPortsFromEnvironment();

// Whether an extra entry is there now: a device path while it exists, a bare
// port name while its /dev entry exists on Unix and always elsewhere.
bool extraPortPresent(const QString &entry);

// The tooltip text of a port; empty arguments and negative ids are left out.
QString portDetails(const QString &description, const QString &manufacturer, int vendorId,
                    int productId);

// The ports present now: the extra entries that are there, in their order,
// then the ports the system reports, in its order; no name twice.
QVector<PortEntry> scanPorts(const QStringList &extraPorts);

// The names of scanPorts(extraPortsFromEnvironment()).
QStringList availablePortNames();

// The outcome of comparing a fresh scan with the list on show.
struct PortListUpdate
{
    bool changed = false; // the list differs: show ports instead
    QVector<PortEntry> ports;
    int current = -1; // the choice in ports, -1 for none
};

// The choice stays while its port is there. A port that appears while nothing
// useful was listed (an empty list, or only built-in ports) becomes the
// choice, a useful one before others. When the choice has gone, the first
// port is chosen.
PortListUpdate updatePortList(const QVector<PortEntry> &shown, const QString &chosen,
                              const QVector<PortEntry> &found);

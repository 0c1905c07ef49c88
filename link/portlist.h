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
    QString identity; // portIdentity() of the adapter, empty when it has none

    friend bool operator==(const PortEntry &a, const PortEntry &b)
    {
        return a.name == b.name && a.details == b.details && a.useful == b.useful
                && a.identity == b.identity;
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
    QString serialNumber;  // the USB serial number, empty when it has none
};

// What differs between systems: how a port is named, the order of the list
// and which ports are likely a transmitter's cable. Plain functions of the
// system, so that both rule sets can be checked anywhere.
enum class PortSystem { Unix, Windows };

constexpr PortSystem hostPortSystem()
{
#ifdef Q_OS_WIN
    return PortSystem::Windows;
#else
    return PortSystem::Unix;
#endif
}

// The name that a port given by the user (--port, KELVO_EXTRA_PORTS, the
// port remembered from last time) stands for, spelled as the system lists
// it. Unix: a device directly under /dev by its bare name ("/dev/ttyUSB0"
// is "ttyUSB0"); Windows: a COM port in capitals without the device prefix
// ("com3" and "\\.\COM3" are "COM3"). Anything else is kept as given.
QString canonicalPortName(const QString &given, PortSystem system = hostPortSystem());

// A port with USB ids: a USB-serial cable rather than a port of the machine.
// On Windows Intel's management port (serial over LAN) is left out: Qt
// reports the PCI ids of such built-in ports as if they were USB ids.
bool usefulPort(const PortDescription &port, PortSystem system = hostPortSystem());

// The system's ports in the order of the list. Windows reports them in no
// useful order, so there they are sorted by name with numbers compared as
// numbers (COM3 before COM10); elsewhere they stay in the order reported.
QVector<PortDescription> orderedPorts(QVector<PortDescription> reported, PortSystem system = hostPortSystem());

// The list entries of the system's ports, in their order: the name, the
// driver's description and the rest for the tooltip, and whether usefulPort().
QVector<PortEntry> systemEntries(const QVector<PortDescription> &ports, PortSystem system = hostPortSystem());

// What tells a USB-serial adapter from others whatever name the system gives
// it after a replug: "usb:1a86:7523:A9XK3" from its USB vendor and product ids
// and serial number; "usb:1a86:7523" for one without a serial number (as
// most CH340 cables); empty for a port without USB ids.
QString portIdentity(const PortDescription &port);

// The one entry of ports whose identity is identity; -1 when none has it or
// several do (two cables of a kind without serial numbers look the same).
int indexOfIdentity(const QVector<PortEntry> &ports, const QString &identity);
// The entry of ports called name; -1 when none is.
int indexOfName(const QVector<PortEntry> &ports, const QString &name);

// The ports the system reports, in the order of the list.
QVector<PortDescription> systemPorts();

// Every entry of KELVO_EXTRA_PORTS (present or not), then the system's ports.
QVector<PortDescription> availablePorts();

// The entries of the environment variable KELVO_EXTRA_PORTS: device paths
// (e.g. a virtual transmitter's pseudo-terminal) separated by the platform's
// path list separator.
QStringList extraPortsFromEnvironment();

// Whether an extra entry is there now: a device path while it exists, a bare
// port name while its /dev entry exists on Unix. On Windows a name such as
// COM8 has no file to look for and counts as always there: the system's own
// enumeration misses some drivers (virtual and network ports) that still
// open by name, and opening an absent one fails with the usual message.
bool extraPortPresent(const QString &entry);

// The tooltip text of a port; empty arguments and negative ids are left out.
QString portDetails(const QString &description, const QString &manufacturer, int vendorId,
                    int productId);

// The ports present now: the extra entries that are there, in their order,
// then the ports the system reports, in the order of systemEntries(); no name
// twice. Extra entries are taken by their canonical names.
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

// The port the user chose (wanted, empty for none) is chosen whenever it is
// there, also when it returns after being unplugged; when its adapter has an
// identity (wantedIdentity) and one port of the list has it, that port is
// the user's, whatever its name is now. Otherwise the choice
// stays while its port is there. A port that appears while nothing useful was
// listed (an empty list, or only built-in ports) becomes the choice, a useful
// one before others. When the choice has gone, the first port is chosen.
PortListUpdate updatePortList(const QVector<PortEntry> &shown, const QString &chosen,
                              const QVector<PortEntry> &found, const QString &wanted = QString(),
                              const QString &wantedIdentity = QString());

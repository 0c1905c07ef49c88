#include "link/portlist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>
#include <utility>

namespace {

QString hexId(int id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

// The vendor id of Intel, whose management port Windows lists among the
// serial ports with its PCI ids.
constexpr quint16 kIntelVendor = 0x8086;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int digitsEnd(const QString &text, int from)
{
    while (from < text.size() && isAsciiDigit(text.at(from)))
        ++from;
    return from;
}

// "COM3" before "COM10": runs of digits compare by value, letters without
// regard to case.
bool naturalLess(const QString &a, const QString &b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (isAsciiDigit(a.at(i)) && isAsciiDigit(b.at(j))) {
            int iEnd = digitsEnd(a, i);
            int jEnd = digitsEnd(b, j);
            while (i < iEnd - 1 && a.at(i) == QLatin1Char('0'))
                ++i;
            while (j < jEnd - 1 && b.at(j) == QLatin1Char('0'))
                ++j;
            if (iEnd - i != jEnd - j)
                return iEnd - i < jEnd - j;
            const int order = a.mid(i, iEnd - i).compare(b.mid(j, jEnd - j));
            if (order != 0)
                return order < 0;
            i = iEnd;
            j = jEnd;
            continue;
        }
        const QChar x = a.at(i).toUpper();
        const QChar y = b.at(j).toUpper();
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

PortEntry systemEntry(const PortDescription &port, PortSystem system)
{
    const int vendor = port.hasUsbIds ? port.vendorId : -1;
    const int product = port.hasUsbIds ? port.productId : -1;
    return {port.name, portDetails(port.description, port.manufacturer, vendor, product), usefulPort(port, system),
            portIdentity(port)};
}

} // namespace

QString canonicalPortName(const QString &given, PortSystem system)
{
    const QString name = given.trimmed();
    if (system == PortSystem::Windows) {
        QString bare = name;
        for (const char *prefix : {"\\\\.\\", "//./"}) {
            if (bare.startsWith(QLatin1String(prefix)))
                bare.remove(0, 4);
        }
        const bool comPort = bare.size() > 3 && bare.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)
                && digitsEnd(bare, 3) == bare.size();
        return comPort ? QStringLiteral("COM") + bare.mid(3) : name;
    }
    const QString dev = QStringLiteral("/dev/");
    if (name.startsWith(dev) && name.size() > dev.size() && name.indexOf(QLatin1Char('/'), dev.size()) < 0)
        return name.mid(dev.size());
    return name;
}

bool usefulPort(const PortDescription &port, PortSystem system)
{
    if (!port.hasUsbIds)
        return false;
    return system != PortSystem::Windows || port.vendorId != kIntelVendor;
}

QVector<PortDescription> orderedPorts(QVector<PortDescription> reported, PortSystem system)
{
    if (system == PortSystem::Windows) {
        std::stable_sort(reported.begin(), reported.end(),
                         [](const PortDescription &a, const PortDescription &b) { return naturalLess(a.name, b.name); });
    }
    return reported;
}

QVector<PortEntry> systemEntries(const QVector<PortDescription> &ports, PortSystem system)
{
    QVector<PortEntry> entries;
    for (const PortDescription &port : ports)
        entries.append(systemEntry(port, system));
    return entries;
}

QStringList extraPortsFromEnvironment()
{
    QStringList names;
    const QString extra = qEnvironmentVariable("KELVO_EXTRA_PORTS");
    for (const QString &path : extra.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        const QString trimmed = path.trimmed();
        if (!trimmed.isEmpty())
            names.append(trimmed);
    }
    return names;
}

QVector<PortDescription> systemPorts()
{
    QVector<PortDescription> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        PortDescription port;
        port.name = info.portName();
        port.description = info.description();
        port.manufacturer = info.manufacturer();
        port.hasUsbIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
        port.vendorId = info.vendorIdentifier();
        port.productId = info.productIdentifier();
        port.serialNumber = info.serialNumber();
        ports.append(port);
    }
    return orderedPorts(ports);
}

QString portIdentity(const PortDescription &port)
{
    if (!port.hasUsbIds)
        return QString();
    QString identity = QStringLiteral("usb:") + hexId(port.vendorId) + QLatin1Char(':') + hexId(port.productId);
    const QString serial = port.serialNumber.trimmed();
    if (!serial.isEmpty())
        identity += QLatin1Char(':') + serial;
    return identity;
}

int indexOfName(const QVector<PortEntry> &ports, const QString &name)
{
    for (int i = 0; i < ports.size(); ++i) {
        if (ports.at(i).name == name)
            return i;
    }
    return -1;
}

int indexOfIdentity(const QVector<PortEntry> &ports, const QString &identity)
{
    if (identity.isEmpty())
        return -1;
    int found = -1;
    for (int i = 0; i < ports.size(); ++i) {
        if (ports.at(i).identity != identity)
            continue;
        if (found >= 0)
            return -1;
        found = i;
    }
    return found;
}

QVector<PortDescription> availablePorts()
{
    QVector<PortDescription> ports;
    for (const QString &entry : extraPortsFromEnvironment()) {
        PortDescription port;
        port.name = canonicalPortName(entry);
        port.fromEnvironment = true;
        ports.append(port);
    }
    return ports + systemPorts();
}

bool extraPortPresent(const QString &entry)
{
    if (entry.contains(QLatin1Char('/')))
        return QFileInfo::exists(entry);
#ifdef Q_OS_UNIX
    return QFileInfo::exists(QStringLiteral("/dev/") + entry);
#else
    return true; // a name such as COM8 has no file to look for
#endif
}

QString portDetails(const QString &description, const QString &manufacturer, int vendorId,
                    int productId)
{
    QStringList lines;
    if (!description.isEmpty())
        lines << QCoreApplication::translate("PortList", "Description: %1").arg(description);
    if (!manufacturer.isEmpty())
        lines << QCoreApplication::translate("PortList", "Manufacturer: %1").arg(manufacturer);
    if (vendorId >= 0) {
        const QString ids = productId >= 0 ? hexId(vendorId) + QLatin1Char(':') + hexId(productId)
                                           : hexId(vendorId);
        lines << QCoreApplication::translate("PortList", "USB ID: %1").arg(ids);
    }
    if (lines.isEmpty())
        return QCoreApplication::translate("PortList", "No details reported");
    return lines.join(QLatin1Char('\n'));
}

QVector<PortEntry> scanPorts(const QStringList &extraPorts)
{
    const QVector<PortEntry> system = systemEntries(systemPorts());

    QVector<PortEntry> ports;
    const auto add = [&ports](const PortEntry &entry) {
        if (indexOfName(ports, entry.name) < 0)
            ports.append(entry);
    };
    for (const QString &given : extraPorts) {
        const QString entry = canonicalPortName(given);
        const int listed = indexOfName(system, entry);
        if (listed >= 0) {
            PortEntry named = system.at(listed);
            named.useful = true;
            add(named);
        } else if (extraPortPresent(entry)) {
            add({entry, QCoreApplication::translate("PortList", "Added through KELVO_EXTRA_PORTS or --port"),
                 true, QString()});
        }
    }
    for (const PortEntry &entry : std::as_const(system))
        add(entry);
    return ports;
}

QStringList availablePortNames()
{
    QStringList names;
    const QVector<PortEntry> ports = scanPorts(extraPortsFromEnvironment());
    for (const PortEntry &port : ports)
        names.append(port.name);
    return names;
}

PortListUpdate updatePortList(const QVector<PortEntry> &shown, const QString &chosen,
                              const QVector<PortEntry> &found, const QString &wanted,
                              const QString &wantedIdentity)
{
    PortListUpdate update;
    update.ports = found;
    update.changed = found != shown;

    const int same = indexOfIdentity(found, wantedIdentity);
    if (same >= 0) {
        update.current = same;
        return update;
    }

    const int back = wanted.isEmpty() ? -1 : indexOfName(found, wanted);
    if (back >= 0) {
        update.current = back;
        return update;
    }

    const bool usefulShown =
            std::any_of(shown.cbegin(), shown.cend(), [](const PortEntry &port) { return port.useful; });
    if (!usefulShown) {
        for (int i = 0; i < found.size(); ++i) {
            if (found.at(i).useful && indexOfName(shown, found.at(i).name) < 0) {
                update.current = i;
                return update;
            }
        }
    }
    const int kept = indexOfName(found, chosen);
    update.current = kept >= 0 ? kept : (found.isEmpty() ? -1 : 0);
    return update;
}

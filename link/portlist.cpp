#include "link/portlist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>
#include <utility>

namespace {

int indexOfName(const QVector<PortEntry> &ports, const QString &name)
{
    for (int i = 0; i < ports.size(); ++i) {
        if (ports.at(i).name == name)
            return i;
    }
    return -1;
}

QString hexId(int id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

PortEntry systemEntry(const PortDescription &port)
{
    const int vendor = port.hasUsbIds ? port.vendorId : -1;
    const int product = port.hasUsbIds ? port.productId : -1;
    return {port.name, portDetails(port.description, port.manufacturer, vendor, product), port.hasUsbIds};
}

} // namespace

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
        ports.append(port);
    }
    return ports;
}

QVector<PortDescription> availablePorts()
{
    QVector<PortDescription> ports;
    for (const QString &entry : extraPortsFromEnvironment()) {
        PortDescription port;
        port.name = entry;
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
    QVector<PortEntry> system;
    const QVector<PortDescription> reported = systemPorts();
    for (const PortDescription &port : reported)
        system.append(systemEntry(port));

    QVector<PortEntry> ports;
    const auto add = [&ports](const PortEntry &entry) {
        if (indexOfName(ports, entry.name) < 0)
            ports.append(entry);
    };
    for (const QString &entry : extraPorts) {
        const int listed = indexOfName(system, entry);
        if (listed >= 0) {
            PortEntry named = system.at(listed);
            named.useful = true;
            add(named);
        } else if (extraPortPresent(entry)) {
            add({entry, QCoreApplication::translate("PortList", "Added through KELVO_EXTRA_PORTS or --port"),
                 true});
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
                              const QVector<PortEntry> &found)
{
    PortListUpdate update;
    update.ports = found;
    update.changed = found != shown;

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

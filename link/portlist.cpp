#include "link/portlist.h"

#include <QDir>
#include <QSerialPortInfo>

QVector<PortDescription> availablePorts()
{
    QVector<PortDescription> ports;
    const QString extra = qEnvironmentVariable("KELVO_EXTRA_PORTS");
    for (const QString &path : extra.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        const QString trimmed = path.trimmed();
        if (trimmed.isEmpty())
            continue;
        PortDescription port;
        port.name = trimmed;
        port.fromEnvironment = true;
        ports.append(port);
    }
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

QStringList availablePortNames()
{
    QStringList names;
    const QVector<PortDescription> ports = availablePorts();
    for (const PortDescription &port : ports)
        names.append(port.name);
    return names;
}

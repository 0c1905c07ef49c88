#include "link/portlist.h"

#include <QDir>
#include <QSerialPortInfo>

QStringList availablePortNames()
{
    QStringList names;
    const QString extra = qEnvironmentVariable("KELVO_EXTRA_PORTS");
    for (const QString &path : extra.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        const QString trimmed = path.trimmed();
        if (!trimmed.isEmpty())
            names.append(trimmed);
    }
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        names.append(info.portName());
    return names;
}

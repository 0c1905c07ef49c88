#include "link/diagnosticreport.h"

#include <QSerialPortInfo>
#include <QSysInfo>

#include "link/connectioncheck.h"
#include "link/portlist.h"

QStringList diagnosticPortLines()
{
    QStringList lines;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports) {
        QStringList parts{port.portName()};
        if (port.hasVendorIdentifier() && port.hasProductIdentifier())
            parts.append(QStringLiteral("%1:%2")
                                 .arg(port.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                                 .arg(port.productIdentifier(), 4, 16, QLatin1Char('0')));
        if (!port.serialNumber().isEmpty())
            parts.append(QStringLiteral("serial ") + port.serialNumber());
        for (const QString &text : {port.description(), port.manufacturer()})
            if (!text.isEmpty())
                parts.append(text);
        lines.append(parts.join(QStringLiteral("  ")));
    }
    for (const QString &extra : extraPortsFromEnvironment())
        lines.append(extra + QStringLiteral("  (KELVO_EXTRA_PORTS)"));
    return lines;
}

QString diagnosticReport(const QString &tool, const ConnectionReport &report, const QStringList &traffic)
{
    QStringList out;
    out << tool + QStringLiteral(", Qt ") + QString::fromLatin1(qVersion());
    out << QSysInfo::prettyProductName() + QStringLiteral(" (") + QSysInfo::kernelType() + QLatin1Char(' ')
                    + QSysInfo::kernelVersion() + QLatin1Char(' ') + QSysInfo::currentCpuArchitecture()
                    + QLatin1Char(')');
    out << QString() << QStringLiteral("Ports:");
    const QStringList ports = diagnosticPortLines();
    for (const QString &line : ports)
        out << QStringLiteral("  ") + line;
    if (ports.isEmpty())
        out << QStringLiteral("  -");
    out << QString() << QStringLiteral("Check of %1:").arg(report.port.isEmpty() ? QStringLiteral("-") : report.port);
    for (const QString &line : ConnectionCheck::lines(report))
        out << QStringLiteral("  ") + line;
    out << QString() << QStringLiteral("Last %1 messages:").arg(traffic.size());
    for (const QString &line : traffic)
        out << QStringLiteral("  ") + line;
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

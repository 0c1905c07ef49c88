#include "cli/portreport.h"

#include "cli/clitext.h"

namespace {

QString hex4(quint16 id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

} // namespace

QStringList portListing(const QVector<PortDescription> &ports)
{
    QStringList lines;
    for (const PortDescription &port : ports) {
        QStringList fields{port.name};
        if (port.fromEnvironment)
            fields.append(Cli::tr("(from KELVO_EXTRA_PORTS)"));
        for (const QString &text : {port.description, port.manufacturer}) {
            if (!text.trimmed().isEmpty())
                fields.append(text.trimmed());
        }
        if (port.hasUsbIds)
            fields.append(hex4(port.vendorId) + QLatin1Char(':') + hex4(port.productId));
        lines.append(fields.join(QStringLiteral("  ")));
    }
    return lines;
}

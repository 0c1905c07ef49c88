#include "cli/monitorreport.h"

#include <QStringList>

#include "cli/clitext.h"
#include "link/livevalues.h"
#include "model/monitortext.h"
#include "model/parameterset.h"

namespace {

constexpr int kChannels = 8;
// The raw signal byte is 100 plus the dBm; from 0 down there is no signal.
constexpr int kRssiOffset = 100;

QStringList channelValues(const ParameterSet &p)
{
    QStringList values;
    for (int ch = 0; ch < kChannels; ++ch)
        values.append(QString::number(channelOutput(ch).of(p)));
    return values;
}

} // namespace

QString monitorLine(const ParameterSet &p, const LiveValues &live)
{
    return Cli::tr("CH %1  TX %2  RSSI %3  RX %4  EXT %5")
            .arg(channelValues(p).join(QLatin1Char(' ')), txVoltText(live.LiveTxVolt).trimmed(),
                 rssiText(live.LiveRssi), tenthsVoltText(live.LiveRxVolt).trimmed(),
                 tenthsVoltText(live.LiveExtVolt).trimmed());
}

namespace {

// Tenths of a volt as "4.2 V", "12.3 V".
QString volts(int tenths)
{
    return QStringLiteral("%1.%2 V").arg(tenths / 10).arg(qAbs(tenths % 10));
}

} // namespace

QString monitorReadingLine(const ParameterSet &p, const LiveValues &live)
{
    const QString rssi = live.LiveRssi > 0 ? QStringLiteral("%1 dBm").arg(live.LiveRssi - kRssiOffset)
                                           : Cli::tr("none");
    return Cli::tr("CH %1  TX %2  RSSI %3  RX %4  EXT %5")
            .arg(channelValues(p).join(QLatin1Char(' ')), volts(live.LiveTxVolt / 10), rssi,
                 volts(live.LiveRxVolt), volts(live.LiveExtVolt));
}

QString monitorCsvHeader()
{
    return QStringLiteral("ms,ch1,ch2,ch3,ch4,ch5,ch6,ch7,ch8,tx_volts,rssi_dbm,rx_volts,ext_volts");
}

QString monitorCsvLine(qint64 elapsedMs, const ParameterSet &p, const LiveValues &live)
{
    QStringList fields{QString::number(elapsedMs)};
    fields += channelValues(p);
    fields.append(QString::number(live.LiveTxVolt / 100.0, 'f', 2));
    fields.append(live.LiveRssi > 0 ? QString::number(live.LiveRssi - kRssiOffset) : QString());
    fields.append(QString::number(live.LiveRxVolt / 10.0, 'f', 1));
    fields.append(QString::number(live.LiveExtVolt / 10.0, 'f', 1));
    return fields.join(QLatin1Char(','));
}

#include "model/telemetryglance.h"

#include <QCoreApplication>

bool telemetryStale(qint64 sinceLastMs)
{
    return sinceLastMs >= kTelemetryStaleMs;
}

bool telemetryNeedsAge(qint64 sinceLastMs)
{
    return sinceLastMs < 0 || telemetryStale(sinceLastMs);
}

QString telemetryAgeText(const QString &lastAt, bool portOpen)
{
    const QString why = portOpen ? QCoreApplication::translate("Telemetry", "无新数据")
                                 : QCoreApplication::translate("Telemetry", "串口已关闭");
    if (lastAt.isEmpty())
        return QCoreApplication::translate("Telemetry", "尚无读数 · %1").arg(why);
    return QCoreApplication::translate("Telemetry", "最后读数 %1 · %2").arg(lastAt, why);
}

QString telemetryValueWords(const QString &shown)
{
    const QString value = shown.trimmed();
    return value == QLatin1String("null") ? QStringLiteral("\u2014") : value;
}

QString staleTelemetryToolTip(const QString &caption, const QString &shown, const QString &lastAt,
                              bool portOpen)
{
    return caption.trimmed() + QLatin1Char(' ') + telemetryValueWords(shown) + QLatin1Char('\n')
            + telemetryAgeText(lastAt, portOpen);
}

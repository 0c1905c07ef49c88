#include "model/monitortext.h"

namespace {

constexpr int kCentre = 1000;
constexpr int kUpperRest = 10;

// One decimal digit of value / divisor. Negative values keep their sign on
// every digit, which is what the monitor has always shown for them.
QString digit(int value, int divisor)
{
    return QString::number((value / divisor) % 10);
}

} // namespace

BarLevels barLevels(int v)
{
    if (v < kCentre)
        return {kCentre + kUpperRest - v, kCentre};
    if (v == kCentre)
        return {kUpperRest, kCentre};
    return {kUpperRest, 2 * kCentre - v};
}

QString txVoltText(int hundredths)
{
    const int x = hundredths;
    if (x / 10 > 99)
        return digit(x, 1000) + digit(x, 100) + QLatin1Char('.') + digit(x, 10) + QLatin1String(" V");
    return QLatin1Char(' ') + digit(x, 100) + QLatin1Char('.') + digit(x, 10) + QLatin1Char('V');
}

QString tenthsVoltText(int tenths)
{
    const int x = tenths;
    if (x > 99)
        return digit(x, 100) + digit(x, 10) + QLatin1Char('.') + digit(x, 1) + QLatin1String(" V");
    return QLatin1Char(' ') + digit(x, 10) + QLatin1Char('.') + digit(x, 1) + QLatin1Char('V');
}

QString rssiText(int raw)
{
    const int r = 100 - raw;
    if (r > 99)
        return QStringLiteral("null");
    return QLatin1Char('-') + digit(r, 10) + digit(r, 1) + QLatin1String("dBm");
}

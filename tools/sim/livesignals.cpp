#include "sim/livesignals.h"

#include <QRandomGenerator>
#include <QtMath>

#include "model/parameterset.h"

namespace {

constexpr int kCentre = 1000;
constexpr int kChannelMax = 2000;
constexpr int kStickSwing = 700;
constexpr int kSubTrimScale = 2; // output steps per sub-trim step

// Periods in seconds; no two share a divisor, so the pattern never repeats
// quickly.
const double kStickPeriods[] = {4.0, 5.3, 7.1, 9.7};
const double kStickPhases[] = {0.0, 1.1, 2.3, 0.7};

struct SwitchChannel
{
    double periodS;      // time in one position
    int positions;       // 2 or 3
};

const SwitchChannel kSwitches[] = {{3.0, 2}, {4.5, 3}, {6.0, 2}, {8.0, 3}};

constexpr int kTxFullHundredths = 1260;
constexpr int kTxLowHundredths = 1110;
constexpr double kTxDrainS = 600.0;

int jitter(QRandomGenerator &noise, int spread)
{
    return noise.bounded(-spread, spread + 1);
}

int stickValue(int stick, double t)
{
    const double angle = 2.0 * M_PI * t / kStickPeriods[stick] + kStickPhases[stick];
    return kCentre + qRound(kStickSwing * qSin(angle));
}

int switchValue(const SwitchChannel &sw, double t)
{
    const int step = int(t / sw.periodS) % sw.positions;
    return step * kChannelMax / (sw.positions - 1);
}

int applyServoSettings(int value, int reverse, int subTrim)
{
    if (reverse)
        value = kChannelMax - value;
    return qBound(0, value + kSubTrimScale * subTrim, kChannelMax);
}

} // namespace

LiveSample liveSample(qint64 elapsedMs, const ParameterSet &config, QRandomGenerator &noise)
{
    const double t = elapsedMs / 1000.0;
    const int reverse[] = {config.Rev1, config.Rev2, config.Rev3, config.Rev4,
                           config.Rev5, config.Rev6, config.Rev7, config.Rev8};
    const int subTrim[] = {config.Sub1, config.Sub2, config.Sub3, config.Sub4,
                           config.Sub5, config.Sub6, config.Sub7, config.Sub8};

    LiveSample sample;
    sample.channels.reserve(8);
    for (int ch = 0; ch < 8; ++ch) {
        const int raw = ch < 4 ? stickValue(ch, t) : switchValue(kSwitches[ch - 4], t);
        sample.channels.append(applyServoSettings(raw, reverse[ch], subTrim[ch]));
    }

    const double drained = qMin(1.0, t / kTxDrainS);
    sample.txVoltHundredths = qRound(kTxFullHundredths - drained * (kTxFullHundredths - kTxLowHundredths))
            + jitter(noise, 1);
    const double drift = 12.0 * qSin(2.0 * M_PI * t / 23.0) + 4.0 * qSin(2.0 * M_PI * t / 7.0);
    sample.rssi = qBound(1, 45 + qRound(drift) + jitter(noise, 1), 100);
    sample.rxVoltTenths = 50 + jitter(noise, 1);
    sample.extVoltTenths = 114 + jitter(noise, 1);
    return sample;
}

#pragma once

#include <QVector>

class QRandomGenerator;
struct ParameterSet;

// What the simulated transmitter reports at one moment.
struct LiveSample
{
    QVector<int> channels;     // ChOut1..ChOut8, 0..2000, 1000 = centre
    int txVoltHundredths = 0;  // the transmitter's own battery
    int rssi = 0;              // raw byte, the signal is -(100 - rssi) dBm
    int rxVoltTenths = 0;
    int extVoltTenths = 0;
};

// The live values elapsedMs after power-on: four sticks swinging on sines of
// different periods, channels 5 to 8 flipping between switch positions, a
// battery draining from 12.6 V toward 11.1 V over ten minutes, a drifting
// signal and steady receiver and external voltages. noise adds the last
// digit's jitter of a real measurement. Reverse and sub-trim of config act on
// the channels, as they would on the servos.
LiveSample liveSample(qint64 elapsedMs, const ParameterSet &config, QRandomGenerator &noise);

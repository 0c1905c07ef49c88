#pragma once

#include <QString>

// How the live monitor turns the reported values into bar levels and short
// texts. All divisions truncate, as the transmitter's own display does. Plain
// QtCore, so the window and the command-line tool show the same texts.

// The two bars of one channel column: the upper one (0..1010) rests at 10 and
// grows upward for values below the centre 1000, the lower one (0..1000)
// rests full and empties downward for values above it.
struct BarLevels
{
    int upper;
    int lower;
};

BarLevels barLevels(int v);

// Transmitter voltage in hundredths: "11.8 V" from ten volts on, " 3.8V"
// below; the hundredths digit is dropped.
QString txVoltText(int hundredths);

// Receiver and external voltage in tenths: "11.8 V" from ten volts on,
// " 4.2V" below.
QString tenthsVoltText(int tenths);

// Signal strength from the raw byte: "-70dBm" for 30, "null" for 0.
QString rssiText(int raw);

#pragma once

// Telemetry as last reported by the transmitter. The channel outputs live in
// the ParameterSet (ChOut1..ChOut8).
struct LiveValues
{
    int LiveTxVolt = 0;  // hundredths of a volt
    int LiveRssi = 0;    // raw byte; the signal is -(100 - value) dBm
    int LiveRxVolt = 0;  // tenths of a volt
    int LiveExtVolt = 0; // tenths of a volt
    int ReadFlag = 0;    // number of the last parameter block handled
};

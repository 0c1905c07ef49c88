#pragma once

#include <QString>

struct LiveValues;
struct ParameterSet;

// One line per live packet for the monitor command: the eight channel
// outputs (ChOut1..ChOut8 of p) and the telemetry of live.

// As the window's monitor shows them:
// "CH 1000 1000 1000 1000 1000 1000 1000 1000  TX 11.8 V  RSSI -70dBm  RX 5.0V  EXT 7.4V"
QString monitorLine(const ParameterSet &p, const LiveValues &live);

// The line the monitor command prints: the voltages all in one shape, one
// decimal (truncated, as the window shows them) and a unit after a space,
// the signal "-70 dBm" or "none":
// "CH 1000 1000 1000 1000 1000 1000 1000 1000  TX 11.8 V  RSSI -70 dBm  RX 5.0 V  EXT 7.4 V"
QString monitorReadingLine(const ParameterSet &p, const LiveValues &live);

// Comma-separated numbers for a spreadsheet: milliseconds since the start,
// the channels, the voltages in volts and the signal in dBm (empty when
// there is none).
QString monitorCsvHeader();
QString monitorCsvLine(qint64 elapsedMs, const ParameterSet &p, const LiveValues &live);

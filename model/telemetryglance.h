#pragma once

#include <QString>
#include <QtGlobal>

// Whether the telemetry of the top strip (遥控, 动力, 信号, 接收) is a live
// reading, and what its tooltip says when it is not. The values themselves
// stay as the monitor shows them; only their look and tooltip change.

// A reading older than this is no longer live.
constexpr qint64 kTelemetryStaleMs = 1000;

// sinceLastMs: milliseconds since the last live packet, negative when none
// came since the start. Stale: a reading came, but not within the last
// second. Before the first reading the fields hold the form's placeholders
// (" 0.0V", "null"), which keep their look; their tooltip says there is no
// reading yet.
bool telemetryStale(qint64 sinceLastMs);
// Whether the fields carry the age tooltip: while stale and before the first
// reading.
bool telemetryNeedsAge(qint64 sinceLastMs);

// The second tooltip line of a stale field: "最后读数 20:43:12 · 串口已关闭",
// "最后读数 20:43:12 · 无新数据" (port open, nothing arriving), or
// "尚无读数 · 串口已关闭" when nothing has arrived (lastAt empty).
QString telemetryAgeText(const QString &lastAt, bool portOpen);

// A field's value in words for its tooltip: the text shown, trimmed, with
// "null" (no signal) as "—".
QString telemetryValueWords(const QString &shown);

// The whole tooltip of a stale field: "信号: —\n最后读数 20:43:12 · 串口已关闭".
QString staleTelemetryToolTip(const QString &caption, const QString &shown, const QString &lastAt,
                              bool portOpen);

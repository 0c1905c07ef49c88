#pragma once

#include <QByteArray>
#include <QStringList>

#include "files/unknownsettings.h"

struct ParameterSet;
struct Setting;

// The settings of a configuration as text, for show and diff. Pure
// functions of the settings table (model/settings.h), in its order.
//
// frames says which of the four frames the configuration came with: a
// setting carried by a frame it lacks is unknown, never its start value.
// A configuration read from the transmitter has them all.

// What an unknown setting reads: "未知".
QString unknownValueText();

// One line per setting: "基础菜单 / 中点微调 / CH1: 0 %".
QStringList settingsListing(const ParameterSet &p, const FileDecodeResult &frames = allFrames());

// A JSON array with one object per setting: key (the member name), page (its
// page title), label, value (the text above), raw (the number kept: the
// stored integer, or the volts rounded to tenths) and unit ("%", "V", "dBm"
// or empty). value and raw are null for an unknown setting.
QByteArray settingsJson(const ParameterSet &p, const FileDecodeResult &frames = allFrames());

// One line per setting that differs between a and b, with both values:
// "基础菜单 / 中点微调 / CH1: 0 % -> 15 %", and one per setting unknown in
// either, never taken as equal: "... CH1: 0 % -> 未知". Empty when every
// setting is known in both and equal.
QStringList differenceListing(const ParameterSet &a, const ParameterSet &b,
                              const FileDecodeResult &framesA = allFrames(),
                              const FileDecodeResult &framesB = allFrames());

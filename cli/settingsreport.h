#pragma once

#include <QByteArray>
#include <QStringList>

struct ParameterSet;

// The settings of a configuration as text, for show and diff. Pure
// functions of the settings table (model/settings.h), in its order.

// One line per setting: "基础菜单 / 中点微调 / CH1: 0 %".
QStringList settingsListing(const ParameterSet &p);

// A JSON array with one object per setting: key (the member name), page (its
// page title), label, value (the text above), raw (the number kept: the
// stored integer, or the volts rounded to tenths) and unit ("%", "V", "dBm"
// or empty).
QByteArray settingsJson(const ParameterSet &p);

// One line per setting that differs between a and b, with both values:
// "基础菜单 / 中点微调 / CH1: 0 % -> 15 %". Empty when they are equal.
QStringList differenceListing(const ParameterSet &a, const ParameterSet &b);

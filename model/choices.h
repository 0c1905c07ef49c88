#pragma once

#include <QStringList>

// The texts of every choice the configuration offers (the item lists of the
// combo boxes). The index of an item is the value the
// parameter behind the combo box holds, so the order is part of the data.
namespace Choices {

QStringList phase();            // servo direction
QStringList onOff();            // dual rate, elevon, V-tail and throttle-curve mixes
QStringList mixState();         // programmable mixes
QStringList auxSource();        // sources of channels 5..8
QStringList reserved();         // channels 1..4 have no selectable source
QStringList dualRateChannel();
QStringList dualRateSwitch();
QStringList switchPosition();
QStringList attitudeChannel();
QStringList mixChannel();       // masters and slaves of the programmable mixes
QStringList programVersion();

} // namespace Choices

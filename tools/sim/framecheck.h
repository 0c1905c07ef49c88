#pragma once

#include <QByteArray>
#include <QString>

#include "link/framecodec.h"

// The kind of frame its first byte names; false for any other byte.
bool frameKindOf(const QByteArray &frame, FrameKind *kind);

// Why the transmitter would refuse this frame, or an empty string when it
// takes it: 81 bytes, the letter, upper-case hexadecimal digits only, and the
// constant parts of its kind (S ends in "Y"; G has "6" at 36 and ends in
// "6D2Z"; H ends in "0000X"; I has "0" from 9 to 79 and ends in "V").
QString frameProblem(const QByteArray &frame);

#pragma once

#include <QString>
#include <QVector>

#include "model/parameterset.h"

// The four parameter frames as the tool keeps them between sends. Each is 81
// ASCII characters; only the leading fields are rebuilt, the tails stay as
// they start.
struct ParameterFrames
{
    QString FrameS;
    QString FrameG;
    QString FrameH;
    QString FrameI;
    ParameterFrames();
};

enum class FrameKind { S = 0, G = 1, H = 2, I = 3 };
constexpr int kFrameLength = 81;

enum class FieldEncoding {
    Digit,      // one decimal digit
    Hex16,      // value + 16, two upper-case hex digits
    Hex116,     // value + 116
    Hex120,     // value + 120
    Decimal3,   // three decimal digits (ExtVoltTenths)
    Constant6,  // the constant "6" of the G frame
};

struct FrameField
{
    FieldEncoding encoding;
    IntRef member; // null for Constant6
};

struct FrameLayout
{
    FrameKind kind;
    QChar letter;
    int prefixLength; // characters rebuilt from position 0
    QVector<FrameField> fields;
};

const FrameLayout &frameLayout(FrameKind kind);
QString &frameString(ParameterFrames &f, FrameKind kind);
const QString &frameString(const ParameterFrames &f, FrameKind kind);

// Tenths of a volt as the frames carry them: volts x 10, rounded to single
// precision, truncated toward zero. Safe for any double.
int voltsToTenths(double volts);

// Stores the tenths members the frame carries (S: TxVoltTenths; H:
// RxVoltTenths then ExtVoltTenths) and returns the rebuilt prefix. Every field
// keeps its width whatever the member holds: hex fields are clamped to 0..255
// after their offset, digits to 0..9, ExtVoltTenths to 0..999, and a clamped
// tenths member keeps the clamped value. A member (or voltage) inside its
// valid range that its field cannot carry takes the value that was encoded;
// members outside their valid range are left as they are.
QString buildFramePrefix(FrameKind kind, ParameterSet &p);

// Rebuilds the frame string of kind from p (the prefix from buildFramePrefix
// and the constant tail, whatever the string held before) and returns the
// bytes to put on the wire (always 81).
QByteArray rebuildFrame(FrameKind kind, ParameterSet &p, ParameterFrames &f);

// Whether every field of the frame at text[offset .. offset+80] is written
// in its encoding: two hexadecimal digits for a hex field (either case),
// decimal digits for a digit field and the three voltage digits. No sign, no
// blank. Frames this tool builds always pass; the letter, the tail and the
// constant "6" are not looked at. Requires offset + 81 <= text.size().
bool frameFieldsValid(FrameKind kind, const QString &text, int offset);

// Decodes the fields of one frame found at text[offset .. offset+80] into p,
// as a parameter file does: each field read in base 16 (non-hex text reads 0),
// minus its offset; voltages follow their tenths. The caller checks the
// markers. Requires offset + 81 <= text.size().
void decodeFrameFields(FrameKind kind, const QString &text, int offset, ParameterSet &p);

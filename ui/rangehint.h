#pragma once

#include <QObject>
#include <QString>

class QAbstractSpinBox;
class QWidget;

// A number box refuses a key that would take its value out of range: typing
// 110 into a -100..100 box leaves "11". The box keeps what the pilot sees,
// and the hint says why beside it for a moment: "最大 100" / "max 100".
namespace RangeHint {

enum class Refusal { None, AboveMaximum, BelowMinimum };

// What typing typed into text (the selection replaced, else at the cursor)
// would do to a box of minimum..maximum. Only digits are judged; text that
// is not a number yet ("-") is no refusal.
Refusal judge(const QString &text, int cursor, int selectionStart, int selectionLength, const QString &typed,
              double minimum, double maximum);

// "最大 100", "最小 -100"; bound as the box writes it.
QString text(Refusal refusal, const QString &bound);

// Watches every spin box under root (its lifetime is root's).
void watchAll(QWidget *root);

} // namespace RangeHint

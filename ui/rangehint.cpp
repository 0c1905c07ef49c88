#include "ui/rangehint.h"

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QToolTip>

namespace RangeHint {

namespace {

constexpr int kShownMs = 1500;

class Watcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            check(qobject_cast<QAbstractSpinBox *>(watched), static_cast<QKeyEvent *>(event)->text());
        return false;
    }

private:
    static void check(QAbstractSpinBox *box, const QString &typed)
    {
        const QLineEdit *edit = box ? box->findChild<QLineEdit *>() : nullptr;
        if (!edit || box->isReadOnly())
            return;
        double minimum = 0;
        double maximum = 0;
        QString bound;
        Refusal refusal = Refusal::None;
        if (const auto *spin = qobject_cast<const QSpinBox *>(box)) {
            minimum = spin->minimum();
            maximum = spin->maximum();
        } else if (const auto *volts = qobject_cast<const QDoubleSpinBox *>(box)) {
            minimum = volts->minimum();
            maximum = volts->maximum();
        } else {
            return;
        }
        refusal = judge(edit->text(), edit->cursorPosition(), edit->selectionStart(), edit->selectedText().size(),
                        typed, minimum, maximum);
        if (refusal == Refusal::None)
            return;
        const double value = refusal == Refusal::AboveMaximum ? maximum : minimum;
        if (const auto *volts = qobject_cast<const QDoubleSpinBox *>(box))
            bound = volts->locale().toString(value, 'f', volts->decimals());
        else
            bound = box->locale().toString(int(value));
        // Right of the box, at its middle, so that it covers nothing typed.
        const QPoint beside = box->mapToGlobal(QPoint(box->width() + 2, box->height() / 2 - 10));
        QToolTip::showText(beside, text(refusal, bound), box, QRect(), kShownMs);
    }
};

double parsed(const QString &text, bool *ok)
{
    const double value = QLocale().toDouble(text, ok);
    return *ok ? value : text.toDouble(ok);
}

} // namespace

Refusal judge(const QString &text, int cursor, int selectionStart, int selectionLength, const QString &typed,
              double minimum, double maximum)
{
    if (typed.size() != 1 || !typed.at(0).isDigit())
        return Refusal::None;
    QString next = text;
    if (selectionLength > 0 && selectionStart >= 0)
        next.replace(selectionStart, selectionLength, typed);
    else
        next.insert(qBound(0, cursor, int(next.size())), typed);
    bool ok = false;
    const double value = parsed(next.trimmed(), &ok);
    if (!ok)
        return Refusal::None;
    if (value > maximum)
        return Refusal::AboveMaximum;
    // A negative number grows away from zero as digits come.
    if (value < minimum && value < 0)
        return Refusal::BelowMinimum;
    return Refusal::None;
}

QString text(Refusal refusal, const QString &bound)
{
    switch (refusal) {
    case Refusal::AboveMaximum:
        return QCoreApplication::translate("RangeHint", "最大 %1").arg(bound);
    case Refusal::BelowMinimum:
        return QCoreApplication::translate("RangeHint", "最小 %1").arg(bound);
    case Refusal::None:
        break;
    }
    return QString();
}

void watchAll(QWidget *root)
{
    auto *watcher = new Watcher(root);
    for (QAbstractSpinBox *box : root->findChildren<QAbstractSpinBox *>())
        box->installEventFilter(watcher);
}

} // namespace RangeHint

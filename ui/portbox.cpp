#include "ui/portbox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace {

QStyleOptionComboBox boxOption(const QComboBox *box)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    option.frame = box->hasFrame();
    option.subControls = QStyle::SC_All;
    if (box->hasFocus() && !option.editable)
        option.state |= QStyle::State_Selected;
    if (box->view() && box->view()->isVisible())
        option.state |= QStyle::State_On;
    option.currentIcon = box->itemIcon(box->currentIndex());
    option.iconSize = box->iconSize();
    return option;
}

} // namespace

void PortBox::install(QComboBox *box)
{
    box->installEventFilter(new PortBox(box));
}

QString PortBox::fitted(const QString &text, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    // A mark before the name ("× ") stays; the name keeps its end.
    const int space = text.indexOf(QLatin1Char(' '));
    const QString mark = space > 0 && space <= 2 ? text.left(space + 1) : QString();
    const int room = width - metrics.horizontalAdvance(mark);
    return mark + metrics.elidedText(text.mid(mark.size()), Qt::ElideLeft, room);
}

QString PortBox::shownText(const QComboBox *box)
{
    const QVariant shorter = box->currentData(kBoxTextRole);
    const QString text = shorter.isValid() ? shorter.toString() : box->currentText();
    QStyleOptionComboBox option = boxOption(box);
    const QRect room = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    // The label is drawn a pixel in from each side of the field.
    return fitted(text, box->fontMetrics(), room.width() - 2);
}

bool PortBox::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QComboBox *>(watched);
    if (!box || event->type() != QEvent::Paint)
        return QObject::eventFilter(watched, event);
    QStyleOptionComboBox option = boxOption(box);
    option.currentText = shownText(box);
    QStylePainter painter(box);
    painter.setPen(box->palette().color(QPalette::Text));
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    return true;
}

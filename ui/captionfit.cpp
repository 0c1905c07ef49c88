#include "ui/captionfit.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPair>
#include <QStyle>
#include <QStyleOptionFrame>

namespace CaptionFit {

namespace {

// The line edit keeps this much free on each side of its text, and wants
// room for its cursor and a pixel more before it stops scrolling.
constexpr int kLineEditMarginPx = 2;
constexpr int kCursorRoomPx = 2;
const char kCaptionProperty[] = "formCaption";
const char kFittedProperty[] = "captionFitted";
const char kFamilyPxProperty[] = "captionFamilyPx"; // the face before any fitting

int room(const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    return contents.width() - 2 * kLineEditMarginPx - margins.left() - margins.right() - kCursorRoomPx;
}

bool fitsWith(const QLineEdit *edit, const QFont &font)
{
    return QFontMetrics(font).horizontalAdvance(edit->text()) <= room(edit);
}

} // namespace

void markAsCaption(QLineEdit *edit)
{
    edit->setProperty(kCaptionProperty, true);
}

bool fits(const QLineEdit *edit)
{
    return fitsWith(edit, edit->font());
}

QVector<Smaller> fitAll(QWidget *root)
{
    QVector<Smaller> smaller;
    for (QLineEdit *edit : root->findChildren<QLineEdit *>()) {
        if (!edit->property(kCaptionProperty).toBool())
            continue;
        // Measured at the family's face: a caption fitted for another
        // language may fit whole now.
        if (edit->property(kFittedProperty).toBool()) {
            edit->setProperty(kFittedProperty, false);
            edit->setTextMargins(QMargins());
            edit->setToolTip(QString());
        }
        edit->ensurePolished();
        QFont font = edit->font();
        int familyPx = edit->property(kFamilyPxProperty).toInt();
        if (familyPx <= 0) {
            familyPx = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
            edit->setProperty(kFamilyPxProperty, familyPx);
        }
        font.setPixelSize(familyPx);
        if (edit->text().isEmpty() || fitsWith(edit, font) || !edit->toolTip().isEmpty())
            continue;
        edit->setProperty(kFittedProperty, true);
        edit->setToolTip(edit->text());
        edit->setTextMargins(-kLineEditMarginPx, 0, -kLineEditMarginPx, 0);
        edit->setCursorPosition(0);
        int px = familyPx;
        while (!fitsWith(edit, font) && px > familyPx * 2 / 3)
            font.setPixelSize(--px);
        if (px != familyPx)
            smaller.append({edit, px, font.bold()});
    }
    return smaller;
}

QString rulesAhead(QWidget *root, const QString &sheet)
{
    QWidget standIns;
    standIns.setObjectName(root->objectName());
    standIns.setStyleSheet(sheet);
    QVector<QPair<QLineEdit *, QLineEdit *>> pairs;
    for (QLineEdit *edit : root->findChildren<QLineEdit *>()) {
        if (!edit->property(kCaptionProperty).toBool())
            continue;
        auto *standIn = new QLineEdit(&standIns);
        standIn->setObjectName(edit->objectName());
        standIn->resize(edit->size());
        standIn->setFrame(edit->hasFrame());
        standIn->setTextMargins(edit->textMargins());
        standIn->setText(edit->text());
        standIn->setToolTip(edit->toolTip());
        standIn->setProperty(kFittedProperty, edit->property(kFittedProperty));
        standIn->setProperty(kFamilyPxProperty, edit->property(kFamilyPxProperty));
        markAsCaption(standIn);
        pairs.append(qMakePair(edit, standIn));
    }
    const QString ahead = rules(fitAll(&standIns));
    for (const auto &[edit, standIn] : std::as_const(pairs))
        edit->setProperty(kFamilyPxProperty, standIn->property(kFamilyPxProperty));
    return ahead;
}

QString rules(const QVector<Smaller> &smaller)
{
    QString out;
    for (const Smaller &s : smaller) {
        out += QStringLiteral("QLineEdit#%1 { font: %2 %3px; }\n")
                       .arg(s.edit->objectName(), s.bold ? QStringLiteral("bold") : QStringLiteral("normal"))
                       .arg(s.px);
    }
    return out;
}

} // namespace CaptionFit

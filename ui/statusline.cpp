#include "ui/statusline.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>

namespace {
// Right of the last tab, above the page frame; covers only the empty part of
// the tab bar.
const QRect kGeometry(860, 112, 230, 40);
const QRect kProgressGeometry(866, 153, 222, 4);
constexpr int kMaxLines = 2;
} // namespace

void StatusLine::create(QWidget *parent)
{
    m_label = new QLabel(parent);
    m_label->setObjectName(QStringLiteral("statusLabel"));
    m_label->setGeometry(kGeometry);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label->setTextFormat(Qt::PlainText);
    m_label->raise();

    m_progress = new QProgressBar(parent);
    m_progress->setObjectName(QStringLiteral("statusProgress"));
    m_progress->setGeometry(kProgressGeometry);
    m_progress->setTextVisible(false);
    m_progress->hide();
    m_progress->raise();
}

void StatusLine::showProgress(int value, int maximum)
{
    if (!m_progress)
        return;
    m_progress->setRange(0, maximum);
    m_progress->setValue(value);
    m_progress->show();
}

void StatusLine::hideProgress()
{
    if (m_progress)
        m_progress->hide();
}

void StatusLine::show(const QStringList &lines, const QString &details)
{
    if (!m_label || (lines == m_lines && details == m_details))
        return;
    m_lines = lines;
    m_details = details;
    m_label->ensurePolished(); // the sheet's font decides where lines are cut
    const QFontMetrics metrics(m_label->font());
    const int width = m_label->width() - 4;
    QStringList shown;
    for (const QString &line : lines.mid(0, kMaxLines))
        shown.append(metrics.elidedText(line, Qt::ElideRight, width));
    const QString text = shown.join(QLatin1Char('\n'));
    QString tip = lines.join(QLatin1Char('\n'));
    if (!details.isEmpty())
        tip += QLatin1Char('\n') + details;
    if (m_label->text() != text) {
        m_label->setText(text);
        // Screen readers announce the new status.
        QAccessibleEvent event(m_label, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (m_label->toolTip() != tip)
        m_label->setToolTip(tip);
}

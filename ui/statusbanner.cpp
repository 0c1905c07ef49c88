#include "ui/statusbanner.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace {
// Under the tab bar, over the pane's border and the page's margin: it hides
// nothing of the page frame and its groups.
const QRect kGeometry(10, 160, 1080, 20);
} // namespace

void StatusBanner::create(QWidget *parent)
{
    m_frame = new QFrame(parent);
    m_frame->setObjectName(QStringLiteral("statusBanner"));
    m_frame->setGeometry(kGeometry);
    auto *layout = new QHBoxLayout(m_frame);
    layout->setContentsMargins(8, 0, 2, 0);
    layout->setSpacing(4);

    m_text = new QLabel(m_frame);
    m_text->setObjectName(QStringLiteral("statusBannerText"));
    m_text->setTextFormat(Qt::PlainText);
    layout->addWidget(m_text, 1);

    m_close = new QToolButton(m_frame);
    m_close->setObjectName(QStringLiteral("statusBannerClose"));
    m_close->setText(QStringLiteral("\u00d7"));
    m_close->setAutoRaise(true);
    m_close->setFocusPolicy(Qt::TabFocus);
    m_close->setFixedSize(18, 18);
    m_close->setAccessibleName(QCoreApplication::translate("StatusBanner", "关闭提示"));
    m_close->setToolTip(m_close->accessibleName());
    layout->addWidget(m_close);
    QObject::connect(m_close, &QToolButton::clicked, m_frame, [this] { hide(); });

    m_frame->hide();
    m_frame->raise();
}

void StatusBanner::show(const QString &text)
{
    if (!m_frame)
        return;
    m_close->setAccessibleName(QCoreApplication::translate("StatusBanner", "关闭提示"));
    m_close->setToolTip(m_close->accessibleName());
    m_text->setText(text);
    m_text->setToolTip(text);
    m_frame->setAccessibleName(text);
    m_frame->show();
    m_frame->raise();
    QAccessibleEvent event(m_text, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void StatusBanner::hide()
{
    if (m_frame)
        m_frame->hide();
}

bool StatusBanner::isShown() const
{
    return m_frame && !m_frame->isHidden();
}

QString StatusBanner::text() const
{
    return m_text ? m_text->text() : QString();
}

#include "ui/guidedialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "model/translations.h"

GuideDialog::GuideDialog(QWidget *parent)
    : QDialog(parent)
{
    Q_INIT_RESOURCE(guide);
    setObjectName(QStringLiteral("guideDialog"));
    auto *layout = new QVBoxLayout(this);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("guideBrowser"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setMinimumSize(640, 520);
    layout->addWidget(m_browser, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    showGuide();
}

QString GuideDialog::resource(const QString &language)
{
    return language == QLatin1String("en") ? QStringLiteral("qrc:/guide/guide_en.html")
                                           : QStringLiteral("qrc:/guide/guide_zh.html");
}

void GuideDialog::showGuide()
{
    setWindowTitle(tr("使用说明"));
    m_browser->setAccessibleName(tr("使用说明"));
    if (auto *close = findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Close))
        close->setText(tr("关闭"));
    m_browser->setSource(QUrl(resource(currentLanguage())));
}

void GuideDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        showGuide();
    QDialog::changeEvent(event);
}

QString aboutText(const AboutFacts &facts)
{
    const auto row = [](const QString &name, const QString &value) {
        return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(name.toHtmlEscaped(), value.toHtmlEscaped());
    };
    const QString what = QCoreApplication::translate("GuideDialog", "KELVO 与 MIRAQ 八通道遥控器的设置工具");
    return QStringLiteral("<h3>kelvo-miraq-config %1</h3><p>%2</p><table cellspacing=\"4\">")
                   .arg(facts.version.toHtmlEscaped(), what.toHtmlEscaped())
            + row(QCoreApplication::translate("GuideDialog", "Qt 版本"), facts.qtVersion)
            + row(QCoreApplication::translate("GuideDialog", "构建日期"), facts.buildDate)
            + row(QCoreApplication::translate("GuideDialog", "许可"),
                  QCoreApplication::translate("GuideDialog", "未声明：软件包中没有许可文件"))
            + row(QCoreApplication::translate("GuideDialog", "备份"), facts.backups)
            + row(QCoreApplication::translate("GuideDialog", "设置"), facts.settings)
            + row(QCoreApplication::translate("GuideDialog", "日志"), facts.log) + QStringLiteral("</table>");
}

// The language of the window, chosen from the status line's menu: it changes
// at once and is remembered for the next start (--lang still decides the run
// it is given for).
#include "app/mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSettings>

#include "app/commandhelp.h"
#include "app/edithistory.h"
#include "app/portchooser.h"
#include "app/startup.h"
#include "files/backups.h"
#include "model/translations.h"
#include "ui/accessibility.h"
#include "ui/formlanguage.h"
#include "ui/mainform.h"

void MainWindow::setUpLanguageMenu()
{
    // Each entry in its own language, so that a pilot finds his whatever the
    // window speaks now.
    auto *menu = new QMenu(QStringLiteral("English / 中文"), m_statusMenu);
    menu->setObjectName(QStringLiteral("languageMenu"));
    auto *group = new QActionGroup(menu);
    const auto add = [&](const QString &name, const QString &text, const QString &language) {
        QAction *action = menu->addAction(text);
        action->setObjectName(name);
        action->setCheckable(true);
        action->setData(language);
        action->setChecked(currentLanguage() == language);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, language] { switchLanguage(language); });
    };
    add(QStringLiteral("languageEnglish"), QStringLiteral("English"), QStringLiteral("en"));
    add(QStringLiteral("languageChinese"), QStringLiteral("中文"), QStringLiteral("zh"));
    m_statusMenu->addSeparator();
    m_statusMenu->addMenu(menu);
}

void MainWindow::switchLanguage(const QString &language)
{
    QSettings settings;
    rememberLanguage(language, settings);
    if (language == currentLanguage())
        return;
    installLanguage(language);
    showPortState();
    retranslateWindow();
}

void MainWindow::retranslateWindow()
{
    retranslateForm(*ui);
    // Tooltips and the shortcuts the new captions replaced.
    CommandHelp::apply(*ui, Backups::defaultDirectory());
    Accessibility::name(*ui, this);
    retranslateActions(this);
    for (QAction *action : m_statusMenu->findChild<QMenu *>(QStringLiteral("languageMenu"))->actions())
        action->setChecked(action->data().toString() == currentLanguage());

    m_ports->retranslate();

    m_statusView.retranslate();
    m_monitor.showAge(portIsOpen());
    m_history->updateActions();
    updateTransmitterState();
}

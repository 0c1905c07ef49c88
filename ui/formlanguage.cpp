#include "ui/formlanguage.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>

#include "ui/mainform.h"

namespace {
const char kContextProperty[] = "translationContext";
const char kSourceProperty[] = "translationSource";
} // namespace

void retranslateForm(MainForm &form)
{
    QMainWindow window;
    MainForm fresh;
    fresh.setupUi(&window, MainForm::Sheets::None);
    form.takeWords(fresh);
    form.fitCaptions();
}

void setTranslatedText(QAction *action, const char *context, const char *source)
{
    action->setProperty(kContextProperty, QByteArray(context));
    action->setProperty(kSourceProperty, QByteArray(source));
    action->setText(QCoreApplication::translate(context, source));
}

void retranslateActions(QObject *root)
{
    for (QAction *action : root->findChildren<QAction *>()) {
        const QByteArray context = action->property(kContextProperty).toByteArray();
        const QByteArray source = action->property(kSourceProperty).toByteArray();
        if (!context.isEmpty() && !source.isEmpty())
            action->setText(QCoreApplication::translate(context.constData(), source.constData()));
    }
}

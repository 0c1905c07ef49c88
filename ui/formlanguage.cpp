#include "ui/formlanguage.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTabWidget>

#include "ui/mainform.h"

namespace {

const char kContextProperty[] = "translationContext";
const char kSourceProperty[] = "translationSource";

// Captions are read-only, but for the one the form leaves writable; a value
// field shows numbers the window writes.
bool isCaption(const QLineEdit *edit)
{
    return edit->isReadOnly() || edit->objectName() == QLatin1String("lineEdit_36");
}

void takeText(QWidget *widget, const QWidget *fresh)
{
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        const auto *from = qobject_cast<const QComboBox *>(fresh);
        for (int i = 0; from && i < combo->count() && i < from->count(); ++i) {
            if (combo->itemText(i) != from->itemText(i))
                combo->setItemText(i, from->itemText(i));
        }
    } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        if (const auto *from = qobject_cast<const QGroupBox *>(fresh))
            group->setTitle(from->title());
    } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        const auto *from = qobject_cast<const QLineEdit *>(fresh);
        if (from && isCaption(edit))
            edit->setText(from->text());
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        const auto *from = qobject_cast<const QAbstractButton *>(fresh);
        if (from && !from->text().isEmpty())
            button->setText(from->text());
    }
}

} // namespace

void retranslateForm(MainForm &form)
{
    QMainWindow window;
    MainForm fresh;
    fresh.setupUi(&window, MainForm::Sheets::EachWidget);
    for (auto it = form.widgets().cbegin(); it != form.widgets().cend(); ++it) {
        const QWidget *from = fresh.widget(it.key());
        // The open button's caption tells the port state: its slots set it.
        if (from && it.value() && it.value() != form.openButton)
            takeText(it.value(), from);
    }
    for (int i = 0; i < form.tabWidget->count() && i < fresh.tabWidget->count(); ++i)
        form.tabWidget->setTabText(i, fresh.tabWidget->tabText(i));
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

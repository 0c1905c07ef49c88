#include <QApplication>

#include "app/mainwindow.h"
#include "model/translations.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Names the place of the backups and settings.
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-miraq-config"));
    // Before the window: the form takes its words when it is built.
    if (!installLanguage(languageFromArguments(QCoreApplication::arguments())))
        qWarning("Unknown or unavailable language; using Chinese (--lang en|zh).");
    MainWindow window;
    window.show();
    return app.exec();
}

#include <QApplication>

#include "app/mainwindow.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Names the place of the backups and settings.
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-miraq-config"));
    MainWindow window;
    window.show();
    return app.exec();
}

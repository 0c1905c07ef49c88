// Renders each page of the main window into page0.png .. page5.png in the
// directory given on the command line:  screenshot-pages <directory>
// Runs headless with QT_QPA_PLATFORM=offscreen.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QEventLoop>

#include "app/mainwindow.h"
#include "ui/mainform.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: screenshot-pages <output directory>\n";
        return 2;
    }
    const QDir out(args.at(1));
    if (!QDir().mkpath(out.absolutePath())) {
        err << "cannot create " << out.absolutePath() << '\n';
        return 1;
    }

    MainWindow window;
    window.show();
    QTabWidget *tabs = window.form()->tabWidget;
    int failures = 0;
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        // Let layouts settle and the refresh timer put the parameters in place.
        for (int i = 0; i < 3; ++i) {
            app.processEvents();
            QEventLoop wait;
            QTimer::singleShot(120, &wait, &QEventLoop::quit);
            wait.exec();
        }
        const QString path = out.filePath(QStringLiteral("page%1.png").arg(page));
        if (!window.grab().save(path)) {
            err << "cannot write " << path << '\n';
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

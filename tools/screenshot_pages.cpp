// Renders each page of the main window into page0.png .. page5.png:
//   screenshot-pages <directory>
//   screenshot-pages --port <device> [--read] [--stay SECONDS] <directory>
//   screenshot-pages --lang en <directory>
// With --port the tool first opens that port (e.g. a virtual transmitter's
// pseudo-terminal), optionally reads the set-up, and shows live data;
// --stay keeps it running that long before the pictures are taken, which
// also serves to watch its load while data streams in.
// Runs headless with QT_QPA_PLATFORM=offscreen.

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>

#include "app/mainwindow.h"
#include "model/translations.h"
#include "link/waitms.h"
#include "ui/mainform.h"

namespace {
void settle(int ms)
{
    QApplication::processEvents();
    waitMs(ms);
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders the pages of the main window to PNG files."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("directory"), QStringLiteral("Where page0.png .. page5.png go."));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Open this serial port first."),
                                        QStringLiteral("device"));
    const QCommandLineOption readOption(QStringLiteral("read"), QStringLiteral("Read the set-up after opening."));
    const QCommandLineOption stayOption(QStringLiteral("stay"), QStringLiteral("Seconds to run before the pictures."),
                                        QStringLiteral("seconds"), QStringLiteral("0"));
    const QCommandLineOption langOption(QStringLiteral("lang"), QStringLiteral("Language of the window: en or zh."),
                                        QStringLiteral("code"), QStringLiteral("zh"));
    parser.addOptions({portOption, readOption, stayOption, langOption});
    parser.process(app);

    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);
    const QDir out(parser.positionalArguments().constFirst());
    if (!QDir().mkpath(out.absolutePath())) {
        err << "cannot create " << out.absolutePath() << '\n';
        return 1;
    }

    if (!installLanguage(parser.value(langOption))) {
        err << "unknown or unavailable language " << parser.value(langOption) << '\n';
        return 1;
    }
    MainWindow window;
    window.show();
    MainForm *form = window.form();

    if (parser.isSet(portOption)) {
        form->portNameBox->insertItem(0, parser.value(portOption));
        form->portNameBox->setCurrentIndex(0);
        form->openButton->click();
        if (!window.port().isOpen()) {
            err << "cannot open " << parser.value(portOption) << '\n';
            return 1;
        }
        if (parser.isSet(readOption)) {
            form->toolButton_Read->click(); // returns when the command has run
            settle(1500);
        }
    }
    settle(parser.value(stayOption).toInt() * 1000);

    QTabWidget *tabs = form->tabWidget;
    int failures = 0;
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        // Let layouts settle and the refresh timer put the parameters in place.
        for (int i = 0; i < 3; ++i)
            settle(120);
        const QString path = out.filePath(QStringLiteral("page%1.png").arg(page));
        if (!window.grab().save(path)) {
            err << "cannot write " << path << '\n';
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

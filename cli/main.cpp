// kelvo-miraq-cli: the transmitter and its parameter files from a terminal
// or a script. "kelvo-miraq-cli --help" lists the commands.
#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

#include "cli/commandline.h"
#include "cli/console.h"
#include "cli/sheetcommand.h"

namespace {

// What a platform says as it starts (no runtime directory, no display) is
// not the tool's business.
void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

int main(int argc, char *argv[])
{
    // The set-up sheet lays its PDF out with the system's fonts, which takes
    // a GUI application; it needs no display.
    std::unique_ptr<QCoreApplication> app;
    if (needsFonts(argc, argv)) {
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        qInstallMessageHandler(dropMessage);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-miraq-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVO_VERSION));
    setUpConsole();
    installMessageFilter();
    return runCommandLine(QCoreApplication::arguments());
}

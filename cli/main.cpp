// kelvo-miraq-cli: the transmitter and its parameter files from a terminal
// or a script. "kelvo-miraq-cli --help" lists the commands.
#include <QCoreApplication>

#include "cli/commandline.h"
#include "cli/console.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-miraq-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVO_VERSION));
    setUpConsole();
    installMessageFilter();
    return runCommandLine(QCoreApplication::arguments());
}

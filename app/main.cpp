#include <QApplication>

#include "app/startup.h"

namespace {

// --help and --version are answered before the window system is loaded, so
// they work on a console without a display. Returns -1 for everything else.
int answerWithoutWindow(int argc, char *argv[])
{
    QCoreApplication console(argc, argv);
    describeApplication();
    const StartCommand::Action action = parseStartCommand(QCoreApplication::arguments()).action;
    if (action != StartCommand::ShowHelp && action != StartCommand::ShowVersion)
        return -1;
    return startTool(QCoreApplication::arguments());
}

} // namespace

int main(int argc, char *argv[])
{
    const int answered = answerWithoutWindow(argc, argv);
    if (answered >= 0)
        return answered;
    QApplication app(argc, argv);
    describeApplication();
    return startTool(QApplication::arguments());
}

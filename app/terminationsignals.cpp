#include "app/terminationsignals.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The signal handler may only write to a descriptor: the write end of the
// pair. It is set once and never changes.
int g_signalWriteEnd = -1;

void signalArrived(int)
{
    const char byte = 1;
    if (g_signalWriteEnd >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(g_signalWriteEnd, &byte, 1);
    }
}

} // namespace

void onTerminationSignal(std::function<void()> onSignal)
{
    int pair[2];
    if (g_signalWriteEnd >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0)
        return;
    g_signalWriteEnd = pair[0];
    auto *notifier = new QSocketNotifier(pair[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, onSignal] {
        char byte;
        if (::read(int(notifier->socket()), &byte, 1) == 1 && onSignal)
            onSignal();
    });
    struct sigaction action = {};
    action.sa_handler = signalArrived;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

#else

void onTerminationSignal(std::function<void()>) {}

#endif

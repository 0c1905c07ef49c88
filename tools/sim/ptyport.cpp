#include "sim/ptyport.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

constexpr int kRetryMs = 50;

} // namespace

PtyPort::PtyPort(QObject *parent) : SimLink(parent)
{
    retryTimer_.setSingleShot(true);
    retryTimer_.setInterval(kRetryMs);
    connect(&retryTimer_, &QTimer::timeout, this, [this] {
        if (notifier_)
            notifier_->setEnabled(true);
    });
}

PtyPort::~PtyPort()
{
    close();
}

bool PtyPort::fail(const QString &what)
{
#ifdef Q_OS_UNIX
    error_ = QStringLiteral("%1: %2").arg(what, qt_error_string(errno));
#else
    error_ = what;
#endif
    close();
    return false;
}

bool PtyPort::open()
{
    close();
#ifndef Q_OS_UNIX
    return fail(QStringLiteral("pseudo-terminals are not available here; use --port"));
#else
    masterFd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (masterFd_ < 0 || ::grantpt(masterFd_) != 0 || ::unlockpt(masterFd_) != 0)
        return fail(QStringLiteral("cannot allocate a pseudo-terminal"));
    ::fcntl(masterFd_, F_SETFL, ::fcntl(masterFd_, F_GETFL) | O_NONBLOCK);
    ::fcntl(masterFd_, F_SETFD, FD_CLOEXEC);
    const char *name = ::ptsname(masterFd_);
    if (!name)
        return fail(QStringLiteral("cannot name the pseudo-terminal"));
    devicePath_ = QString::fromLocal8Bit(name);

    slaveFd_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveFd_ < 0)
        return fail(QStringLiteral("cannot open %1").arg(devicePath_));
    termios mode{};
    if (::tcgetattr(slaveFd_, &mode) != 0)
        return fail(QStringLiteral("cannot read the line settings"));
    ::cfmakeraw(&mode);
    ::cfsetispeed(&mode, B115200);
    ::cfsetospeed(&mode, B115200);
    if (::tcsetattr(slaveFd_, TCSANOW, &mode) != 0)
        return fail(QStringLiteral("cannot set the line to raw mode"));

    notifier_ = new QSocketNotifier(masterFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &PtyPort::readMaster);
    return true;
#endif
}

void PtyPort::close()
{
    retryTimer_.stop();
    delete notifier_;
    notifier_ = nullptr;
#ifdef Q_OS_UNIX
    if (masterFd_ >= 0)
        ::close(masterFd_);
    if (slaveFd_ >= 0)
        ::close(slaveFd_);
#endif
    masterFd_ = -1;
    slaveFd_ = -1;
}

bool PtyPort::write(const QByteArray &bytes)
{
    if (masterFd_ < 0)
        return false;
#ifdef Q_OS_UNIX
    int written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(masterFd_, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false; // the line is full: nobody reads it
        written += int(n);
    }
#else
    Q_UNUSED(bytes)
#endif
    return true;
}

void PtyPort::discardUnread()
{
#ifdef Q_OS_UNIX
    if (slaveFd_ >= 0)
        ::tcflush(slaveFd_, TCIFLUSH);
#endif
}

void PtyPort::readMaster()
{
#ifdef Q_OS_UNIX
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(masterFd_, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EIO && bytes.isEmpty()) {
            // No slave open (should not happen while we hold one): the
            // notifier would fire without end, so look again later.
            notifier_->setEnabled(false);
            retryTimer_.start();
        }
        break;
    }
    if (!bytes.isEmpty())
        emit received(bytes);
#endif
}

// Ahead of every Qt header: its ParameterBlock has a member named like Qt's
// "slots" keyword, which is only a plain word before <QObject> defines it.
#include "link/parameterblocks.h"

#include "support/faketransmitter.h"

#include "link/framecodec.h"
#include "model/parameterset.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QStringList>
#include <QTest>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

constexpr int kFrameBytes = 81;
constexpr int kFlushDelayMs = 200; // an unfinished message this old is garbage
constexpr int kRetryDelayMs = 50;

const QString kGarbage = QStringLiteral("garbage");

// The short commands the tool writes, longest first is not needed: no
// command is a prefix of another.
const QVector<QByteArray> &commands()
{
    static const QVector<QByteArray> list{"WWW", "DIS", "OK", "RR"};
    return list;
}

bool isFrameLetter(char c)
{
    return c == 'S' || c == 'G' || c == 'H' || c == 'I';
}

bool startsSomething(char c)
{
    if (isFrameLetter(c))
        return true;
    for (const QByteArray &command : commands())
        if (command.at(0) == c)
            return true;
    return false;
}

// Frames are printable ASCII throughout; a frame letter followed by anything
// else is not the start of a frame.
bool isPrintable(const QByteArray &bytes, int length)
{
    for (int i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(bytes.at(i));
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

enum class Match { Complete, NeedMore, None };

struct Split
{
    Match match;
    int length = 0;
    QString kind;
};

Split matchFront(const QByteArray &pending)
{
    const char first = pending.at(0);
    if (isFrameLetter(first)) {
        const int have = qMin(pending.size(), kFrameBytes);
        if (isPrintable(pending, have)) {
            if (have == kFrameBytes)
                return {Match::Complete, kFrameBytes, QString(QLatin1Char(first))};
            return {Match::NeedMore, 0, {}};
        }
    }
    for (const QByteArray &command : commands()) {
        if (pending.startsWith(command))
            return {Match::Complete, int(command.size()), QString::fromLatin1(command)};
        if (command.startsWith(pending))
            return {Match::NeedMore, 0, {}};
    }
    return {Match::None, 0, {}};
}

} // namespace

FakeTransmitter::FakeTransmitter(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<TransmitterMessage>();
    clock_.start();
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(kFlushDelayMs);
    connect(&flushTimer_, &QTimer::timeout, this, [this] { splitPending(true); });
    retryTimer_.setSingleShot(true);
    retryTimer_.setInterval(kRetryDelayMs);
    connect(&retryTimer_, &QTimer::timeout, this, [this] {
        if (notifier_)
            notifier_->setEnabled(true);
    });
    connect(&liveTimer_, &QTimer::timeout, this, &FakeTransmitter::sendLivePacket);

#ifdef Q_OS_UNIX
    masterFd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (masterFd_ < 0 || ::grantpt(masterFd_) != 0 || ::unlockpt(masterFd_) != 0) {
        error_ = QStringLiteral("cannot allocate a pseudo-terminal: %1").arg(qt_error_string(errno));
        closeMaster();
        return;
    }
    ::fcntl(masterFd_, F_SETFL, ::fcntl(masterFd_, F_GETFL) | O_NONBLOCK);
    ::fcntl(masterFd_, F_SETFD, FD_CLOEXEC);
    const char *name = ::ptsname(masterFd_);
    devicePath_ = QString::fromLocal8Bit(name ? name : "");

    // Keeping a slave descriptor of our own stops the master from seeing a
    // hang-up whenever the tool closes the port; raw mode means nothing is
    // echoed back or translated, even before the tool sets the line up.
    slaveFd_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveFd_ < 0) {
        error_ = QStringLiteral("cannot open %1: %2").arg(devicePath_, qt_error_string(errno));
        closeMaster();
        return;
    }
    termios mode{};
    ::tcgetattr(slaveFd_, &mode);
    ::cfmakeraw(&mode);
    ::cfsetispeed(&mode, B115200);
    ::cfsetospeed(&mode, B115200);
    ::tcsetattr(slaveFd_, TCSANOW, &mode);

    notifier_ = new QSocketNotifier(masterFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &FakeTransmitter::readMaster);
#else
    error_ = QStringLiteral("pseudo-terminals are not available on this platform");
#endif
}

FakeTransmitter::~FakeTransmitter()
{
    closeMaster();
    closeSlave();
}

bool FakeTransmitter::isSupported()
{
#ifdef Q_OS_UNIX
    return true;
#else
    return false;
#endif
}

QVector<TransmitterMessage> FakeTransmitter::messagesOfKind(const QString &kind) const
{
    QVector<TransmitterMessage> result;
    for (const TransmitterMessage &m : messages_)
        if (m.kind == kind)
            result.append(m);
    return result;
}

int FakeTransmitter::count(const QString &kind) const
{
    return int(std::count_if(messages_.cbegin(), messages_.cend(),
                             [&kind](const TransmitterMessage &m) { return m.kind == kind; }));
}

QStringList FakeTransmitter::kinds() const
{
    QStringList result;
    for (const TransmitterMessage &m : messages_)
        result.append(m.kind);
    return result;
}

QByteArray FakeTransmitter::allBytes() const
{
    QByteArray all;
    for (const ReceivedChunk &c : chunks_)
        all.append(c.bytes);
    return all;
}

void FakeTransmitter::clear()
{
    chunks_.clear();
    messages_.clear();
    pending_.clear();
    flushTimer_.stop();
    replyActive_ = false;
    replyNext_ = 0;
    unanswered_ = 0;
}

bool FakeTransmitter::waitForMessage(const QString &kind, int timeoutMs)
{
    return waitForCount(kind, count(kind) + 1, timeoutMs);
}

bool FakeTransmitter::waitForCount(const QString &kind, int wanted, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (count(kind) < wanted && !deadline.hasExpired())
        QTest::qWait(5);
    return count(kind) >= wanted;
}

bool FakeTransmitter::send(const QByteArray &chunk)
{
#ifdef Q_OS_UNIX
    if (masterFd_ < 0 || chunk.isEmpty())
        return false;
    int written = 0;
    while (written < chunk.size()) {
        const ssize_t n = ::write(masterFd_, chunk.constData() + written, size_t(chunk.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += int(n);
    }
    bytesSent_ += written;
    ++unanswered_;
    return true;
#else
    Q_UNUSED(chunk)
    return false;
#endif
}

void FakeTransmitter::sendChunksSpaced(const QVector<QByteArray> &chunks, int gapMs)
{
    for (int i = 0; i < chunks.size(); ++i) {
        if (i > 0)
            QTest::qWait(gapMs);
        send(chunks.at(i));
    }
}

void FakeTransmitter::setConfiguration(const ParameterSet &set)
{
    stored_ = std::make_unique<ParameterSet>(set);
    replyBlocks_ = encodeParameterBlocks(set);
}

void FakeTransmitter::startLiveStream(int intervalMs)
{
    nextIsStatus_ = false;
    liveTimer_.start(intervalMs);
}

void FakeTransmitter::startLiveStream(int intervalMs, const LiveFeed &feed)
{
    feed_ = feed;
    startLiveStream(intervalMs);
}

void FakeTransmitter::stopLiveStream()
{
    liveTimer_.stop();
}

void FakeTransmitter::closeMaster()
{
    delete notifier_;
    notifier_ = nullptr;
    liveTimer_.stop();
    retryTimer_.stop();
#ifdef Q_OS_UNIX
    if (masterFd_ >= 0)
        ::close(masterFd_);
#endif
    masterFd_ = -1;
    connected_ = false;
}

void FakeTransmitter::closeSlave()
{
#ifdef Q_OS_UNIX
    if (slaveFd_ >= 0)
        ::close(slaveFd_);
#endif
    slaveFd_ = -1;
}

void FakeTransmitter::readMaster()
{
#ifdef Q_OS_UNIX
    QByteArray received;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(masterFd_, buffer, sizeof buffer);
        if (n > 0) {
            received.append(buffer, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EIO && received.isEmpty()) {
            // No slave is open: the notifier would fire without end. Look
            // again a little later, when the tool may have reopened the port.
            notifier_->setEnabled(false);
            retryTimer_.start();
        }
        break;
    }
    if (received.isEmpty())
        return;
    chunks_.append({received, clock_.elapsed()});
    pending_.append(received);
    splitPending(false);
#endif
}

void FakeTransmitter::splitPending(bool flushAll)
{
    flushTimer_.stop();
    while (!pending_.isEmpty()) {
        const Split split = matchFront(pending_);
        if (split.match == Match::Complete) {
            const QByteArray bytes = pending_.left(split.length);
            pending_.remove(0, split.length);
            emitMessage(bytes, split.kind);
            continue;
        }
        if (split.match == Match::NeedMore && !flushAll)
            break;
        // Garbage runs up to the next byte that could start a message.
        int end = 1;
        while (end < pending_.size() && !startsSomething(pending_.at(end)))
            ++end;
        if (split.match == Match::NeedMore)
            end = pending_.size(); // an unfinished message that will never finish
        const QByteArray bytes = pending_.left(end);
        pending_.remove(0, end);
        emitMessage(bytes, kGarbage);
    }
    if (!pending_.isEmpty())
        flushTimer_.start();
}

void FakeTransmitter::emitMessage(const QByteArray &bytes, const QString &kind)
{
    const TransmitterMessage message{bytes, clock_.elapsed(), kind};
    messages_.append(message);
    onMessage(message);
    emit messageReceived(message);
}

void FakeTransmitter::onMessage(const TransmitterMessage &message)
{
    if (message.bytes.size() == kFrameBytes && isFrameLetter(message.bytes.at(0))) {
        if (storeFrames_ && stored_ && message.kind != ignoredFrame_) {
            const auto kind = static_cast<FrameKind>(QByteArray("SGHI").indexOf(message.bytes.at(0)));
            decodeFrameFields(kind, QString::fromLatin1(message.bytes), 0, *stored_);
            replyBlocks_ = encodeParameterBlocks(*stored_);
        }
        if (++framesHeard_ == silentAfterFrames_) {
            silent_ = true;
            liveTimer_.stop();
            replyActive_ = false;
        }
    }
    if (silent_)
        return;
    if (message.kind == QLatin1String("OK")) {
        connected_ = true;
    } else if (message.kind == QLatin1String("DIS")) {
        connected_ = false;
        unanswered_ = 0;
        replyActive_ = false;
#ifdef Q_OS_UNIX
        if (slaveFd_ >= 0)
            ::tcflush(slaveFd_, TCIFLUSH);
#endif
    } else if (message.kind == QLatin1String("RR") && answerReads_) {
        replyActive_ = true;
        replyNext_ = 0;
        if (unanswered_ == 0)
            sendNextBlock();
    } else if (message.kind == QLatin1String("WWW")) {
        unanswered_ = qMax(0, unanswered_ - 1);
        if (replyActive_ && unanswered_ == 0 && !restPending_) {
            if (blockGapMs_ > 0)
                QTimer::singleShot(blockGapMs_, this, [this] {
                    if (replyActive_ && unanswered_ == 0 && !silent_)
                        sendNextBlock();
                });
            else
                sendNextBlock();
        }
    }
}

void FakeTransmitter::sendNextBlock()
{
    if (replyNext_ >= replyBlocks_.size()) {
        replyActive_ = false; // the last block is answered
        return;
    }
    const QByteArray block = replyBlocks_.at(replyNext_);
    if (splitGapMs_ > 0) {
        const int cut = 1 + replyNext_ % (block.size() - 1);
        send(block.left(cut));
        restPending_ = true;
        QTimer::singleShot(splitGapMs_, this, [this, rest = block.mid(cut)] {
            restPending_ = false;
            send(rest);
        });
    } else {
        send(block);
    }
    ++replyNext_;
}

void FakeTransmitter::sendLivePacket()
{
    if (!connected_ || replyActive_)
        return;
    const QByteArray packet = nextIsStatus_
        ? encodeStatusPacket(feed_.rssi, feed_.rxVoltTenths, feed_.extVoltTenths,
                             feed_.trim1, feed_.trim2, feed_.trim3, feed_.trim4)
        : encodeChannelPacket(feed_.channels, feed_.txVoltHundredths);
    if (send(packet)) {
        ++livePacketsSent_;
        nextIsStatus_ = !nextIsStatus_;
    }
}

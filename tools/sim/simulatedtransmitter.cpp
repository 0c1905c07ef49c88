#include "sim/simulatedtransmitter.h"

#include <QTime>

#include "link/framecodec.h"
#include "sim/configurationfile.h"
#include "sim/framecheck.h"
#include "sim/livesignals.h"

namespace {

// The tool takes each chunk it reads as one message, so writes are kept
// apart in time.
constexpr int kMinGapMs = 4;
// Before the first block of a reply, so the last live packet is read (and
// acknowledged) on its own.
constexpr int kReplyQuietMs = 30;
constexpr int kBlockGapMs = 5;
// A block not acknowledged by then is taken as lost.
constexpr int kStallMs = 400;
// An unfinished message this old is judged as it stands.
constexpr int kIdleMs = 100;

QString joined(const QVector<int> &values)
{
    QStringList parts;
    for (int v : values)
        parts.append(QString::number(v));
    return parts.join(QLatin1Char(' '));
}

QString volts(int tenths)
{
    return QString::number(tenths / 10.0, 'f', 1) + QStringLiteral(" V");
}

QString frameSummary(FrameKind kind, const ParameterSet &p)
{
    switch (kind) {
    case FrameKind::S:
        return QStringLiteral("mode %1, reverse %2, sub-trims %3, battery alarm %4")
                .arg(p.Mode)
                .arg(joined({p.Rev1, p.Rev2, p.Rev3, p.Rev4, p.Rev5, p.Rev6, p.Rev7, p.Rev8}))
                .arg(joined({p.Sub1, p.Sub2, p.Sub3, p.Sub4, p.Sub5, p.Sub6, p.Sub7, p.Sub8}))
                .arg(volts(p.TxVoltTenths));
    case FrameKind::G:
        return QStringLiteral("attitude mode %1, elevon mix %2, V-tail mix %3, dual-rate mix %4")
                .arg(p.AttiM).arg(p.EleMix).arg(p.RuMix).arg(p.DrMix);
    case FrameKind::H:
        return QStringLiteral("throttle curve %1, alarms receiver %2, external %3, signal %4 dBm")
                .arg(joined({p.ThCure1, p.ThCure2, p.ThCure3, p.ThCure4, p.ThCure5, p.ThCure6, p.ThCure7}))
                .arg(volts(p.RxVoltTenths), volts(p.ExtVoltTenths))
                .arg(p.RssiAlarm);
    case FrameKind::I:
        break;
    }
    return QStringLiteral("trims %1").arg(joined({p.Trim1, p.Trim2, p.Trim3, p.Trim4}));
}

QString preview(const QByteArray &bytes)
{
    constexpr int kShown = 24;
    QString text;
    for (char c : bytes.left(kShown)) {
        const auto u = static_cast<unsigned char>(c);
        text += (u >= 0x20 && u < 0x7F) ? QString(QLatin1Char(c))
                                        : QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    if (bytes.size() > kShown)
        text += QStringLiteral("...");
    return text;
}

} // namespace

SimulatedTransmitter::SimulatedTransmitter(const SimulatorOptions &options, QObject *parent)
    : QObject(parent), options_(options), config_(factoryConfiguration()),
      noise_(QRandomGenerator::global()->generate())
{
    clock_.start();
    liveTimer_.setTimerType(Qt::PreciseTimer);
    liveTimer_.setInterval(qMax(1, 1000 / qMax(1, options_.packetsPerSecond)));
    connect(&liveTimer_, &QTimer::timeout, this, &SimulatedTransmitter::sendLivePacket);

    idleTimer_.setSingleShot(true);
    idleTimer_.setInterval(kIdleMs);
    connect(&idleTimer_, &QTimer::timeout, this, [this] {
        for (const ToolMessage &message : splitter_.flush())
            handle(message);
    });

    blockTimer_.setSingleShot(true);
    connect(&blockTimer_, &QTimer::timeout, this, &SimulatedTransmitter::sendNextBlock);
    stallTimer_.setSingleShot(true);
    stallTimer_.setInterval(kStallMs);
    connect(&stallTimer_, &QTimer::timeout, this, [this] {
        log(QStringLiteral("RR"), QStringLiteral("block %1 not acknowledged, going on").arg(lastBlockSent_));
        unanswered_ = 0;
        sendNextBlock();
    });
}

SimulatedTransmitter::~SimulatedTransmitter() = default;

void SimulatedTransmitter::start()
{
    if (options_.faults.any())
        log(QStringLiteral("fault"), options_.faults.describe());
    const QString &path = options_.configPath;
    if (path.isEmpty()) {
        log(QStringLiteral("config"), QStringLiteral("factory values, kept in memory only"));
        return;
    }
    QString problem;
    switch (loadConfigurationFile(path, config_, &problem)) {
    case ConfigurationLoad::Loaded:
        log(QStringLiteral("config"), QStringLiteral("loaded from %1").arg(path));
        break;
    case ConfigurationLoad::Missing:
        log(QStringLiteral("config"), QStringLiteral("%1 does not exist yet: factory values, saved there after a write").arg(path));
        break;
    case ConfigurationLoad::Unreadable:
        log(QStringLiteral("config"), QStringLiteral("cannot use %1 (%2): factory values").arg(path, problem));
        break;
    }
}

void SimulatedTransmitter::stop()
{
    liveTimer_.stop();
    blockTimer_.stop();
    stallTimer_.stop();
    idleTimer_.stop();
    saveIfChanged();
}

void SimulatedTransmitter::receive(const QByteArray &bytes)
{
    if (silent_)
        return;
    for (const ToolMessage &message : splitter_.feed(bytes))
        handle(message);
    if (splitter_.hasPending())
        idleTimer_.start();
    else
        idleTimer_.stop();
}

void SimulatedTransmitter::handle(const ToolMessage &message)
{
    if (silent_)
        return; // the rest of a chunk that held the last frame it heard
    switch (message.kind) {
    case ToolMessage::Connect:
        connected_ = true;
        unanswered_ = 0;
        nextIsStatus_ = false;
        liveTimer_.start();
        log(QStringLiteral("OK"), QStringLiteral("connected, streaming %1 packets/s").arg(options_.packetsPerSecond));
        break;
    case ToolMessage::Disconnect:
        goQuiet(QStringLiteral("DIS"));
        break;
    case ToolMessage::ReadRequest:
        startReply();
        break;
    case ToolMessage::Acknowledge:
        unanswered_ = qMax(0, unanswered_ - 1);
        saveIfChanged();
        if (replyActive_ && replySent_ > 0 && unanswered_ == 0 && !blockTimer_.isActive()) {
            stallTimer_.stop();
            blockTimer_.start(options_.faults.blockGapMs > 0 ? options_.faults.blockGapMs : kBlockGapMs);
        }
        break;
    case ToolMessage::Frame:
        handleFrame(message.bytes);
        ++framesHeard_;
        if (options_.faults.silentAfterFrames > 0 && framesHeard_ >= options_.faults.silentAfterFrames)
            goSilent();
        break;
    case ToolMessage::Garbage:
        log(QStringLiteral("?"), QStringLiteral("%1 unrecognised bytes: %2").arg(message.bytes.size()).arg(preview(message.bytes)));
        break;
    }
}

void SimulatedTransmitter::lineStalled()
{
    if (connected_ || replyActive_)
        goQuiet(QStringLiteral("line"));
}

void SimulatedTransmitter::goQuiet(const QString &why)
{
    connected_ = false;
    liveTimer_.stop();
    if (replyActive_) {
        replyActive_ = false;
        blockTimer_.stop();
        stallTimer_.stop();
    }
    unanswered_ = 0;
    emit lineReset();
    log(why, why == QLatin1String("DIS") ? QStringLiteral("disconnected, quiet until the next OK")
                                         : QStringLiteral("nobody reads the line: quiet until the next OK"));
}

void SimulatedTransmitter::handleFrame(const QByteArray &frame)
{
    FrameKind kind = FrameKind::S;
    frameKindOf(frame, &kind);
    const QString name = QStringLiteral("%1 frame").arg(QLatin1Char(frame.at(0)));
    const QString problem = frameProblem(frame);
    if (!problem.isEmpty()) {
        ++framesRejected_;
        log(name, QStringLiteral("rejected: %1").arg(problem));
        return;
    }
    if (options_.faults.ignoreFrame && frame.at(0) == options_.faults.ignoreFrame) {
        log(name, QStringLiteral("ignored (fault): not stored"));
        return;
    }
    decodeFrameFields(kind, QString::fromLatin1(frame), 0, config_);
    ++framesAccepted_;
    unsaved_ = true;
    log(name, frameSummary(kind, config_));
}

void SimulatedTransmitter::goSilent()
{
    silent_ = true;
    connected_ = false;
    replyActive_ = false;
    liveTimer_.stop();
    blockTimer_.stop();
    stallTimer_.stop();
    idleTimer_.stop();
    saveIfChanged();
    log(QStringLiteral("fault"), QStringLiteral("silent from now on, after %1 frame(s)").arg(framesHeard_));
}

void SimulatedTransmitter::startReply()
{
    replyBlocks_ = encodeParameterBlocks(config_);
    replyNext_ = 0;
    replySent_ = 0;
    replyActive_ = true;
    stallTimer_.stop();
    blockTimer_.start(kReplyQuietMs);
    log(QStringLiteral("RR"), QStringLiteral("sending %1 parameter blocks").arg(replyBlocks_.size()));
}

void SimulatedTransmitter::sendNextBlock()
{
    if (!replyActive_)
        return;
    if (replyNext_ >= replyBlocks_.size()) {
        finishReply();
        return;
    }
    if (replySent_ == 0)
        unanswered_ = 0; // the live packets before the reply are behind us
    send(replyBlocks_.at(replyNext_));
    ++replySent_;
    lastBlockSent_ = replyNext_ + 1;
    if (lastBlockSent_ != options_.faults.repeatBlock)
        ++replyNext_;
    stallTimer_.start();
}

void SimulatedTransmitter::finishReply()
{
    replyActive_ = false;
    blockTimer_.stop();
    stallTimer_.stop();
    log(QStringLiteral("RR"), QStringLiteral("reply complete"));
}

void SimulatedTransmitter::sendLivePacket()
{
    if (!connected_ || replyActive_)
        return;
    if (sinceSend_.isValid() && sinceSend_.elapsed() < kMinGapMs)
        return;
    const LiveSample sample = liveSample(clock_.elapsed(), config_, noise_);
    send(nextIsStatus_ ? encodeStatusPacket(sample.rssi, sample.rxVoltTenths, sample.extVoltTenths,
                                            config_.Trim1, config_.Trim2, config_.Trim3, config_.Trim4)
                       : encodeChannelPacket(sample.channels, sample.txVoltHundredths));
    ++livePacketsSent_;
    nextIsStatus_ = !nextIsStatus_;
}

void SimulatedTransmitter::send(const QByteArray &bytes)
{
    emit transmit(bytes);
    sinceSend_.restart();
    ++unanswered_;
}

void SimulatedTransmitter::saveIfChanged()
{
    if (!unsaved_)
        return;
    unsaved_ = false;
    if (options_.configPath.isEmpty())
        return;
    QString error;
    if (saveConfigurationFile(options_.configPath, config_, &error))
        log(QStringLiteral("WWW"), QStringLiteral("configuration saved to %1").arg(options_.configPath));
    else
        log(QStringLiteral("WWW"), QStringLiteral("cannot save %1: %2").arg(options_.configPath, error));
}

void SimulatedTransmitter::log(const QString &kind, const QString &summary)
{
    emit logLine(QStringLiteral("%1 %2 %3")
                         .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")),
                              kind.leftJustified(7), summary));
}

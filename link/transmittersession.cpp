#include "link/transmittersession.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPortInfo>

#include "link/portlist.h"
#include "link/protocol.h"
#include "link/waitms.h"
#include "model/defaults.h"
#include "model/dualrate.h"

namespace {
constexpr int kPollMs = 20;

bool portExists(const QString &name)
{
    if (availablePortNames().contains(canonicalPortName(name)))
        return true;
    // A device path (a pseudo-terminal, a by-id link) that the system
    // enumeration does not list.
    return name.contains(QLatin1Char('/')) && QFileInfo::exists(name);
}
} // namespace

TransmitterSession::TransmitterSession(QObject *parent)
    : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &TransmitterSession::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &TransmitterSession::onError);
    connect(&m_framer, &InboundFramer::heldTimedOut, this, &TransmitterSession::onHeldTimedOut);
}

TransmitterSession::~TransmitterSession() = default;

bool TransmitterSession::open(const QString &portName)
{
    m_openError = OpenError::None;
    m_error.clear();
    m_lost = false;
    if (!portExists(portName)) {
        m_openError = OpenError::UnknownPort;
        m_error = tr("no serial port called %1").arg(portName);
        return false;
    }
    // "com3" and "\\.\COM3" open COM3 on Windows.
    m_port.setPortName(canonicalPortName(portName));
    Protocol::applyLineSettings(m_port);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError why = m_port.error();
        m_openError = why == QSerialPort::PermissionError ? OpenError::Busy : OpenError::Other;
        m_error = why == QSerialPort::PermissionError
                ? tr("%1 is busy or not accessible: %2").arg(portName, m_port.errorString())
                : tr("cannot open %1: %2").arg(portName, m_port.errorString());
        m_port.clearError();
        return false;
    }
    m_framer.reset();
    Protocol::writeIfOpen(m_port, Protocol::hello());
    return true;
}

void TransmitterSession::close()
{
    if (m_port.isOpen() && !m_lost) {
        // Nothing may follow the goodbye: stop listening first, so no
        // acknowledgement can be written while it drains.
        disconnect(&m_port, &QSerialPort::readyRead, this, &TransmitterSession::onReadyRead);
        m_port.write(Protocol::goodbye());
        m_port.waitForBytesWritten(Protocol::kGoodbyeFlushMs);
        connect(&m_port, &QSerialPort::readyRead, this, &TransmitterSession::onReadyRead);
    }
    m_port.close();
    m_port.clearError();
    m_framer.reset();
}

bool TransmitterSession::waitForStatus(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    bool seen = false;
    const auto connection = connect(this, &TransmitterSession::chunkHandled, this,
                                     [&seen](const InboundResult &r) {
                                         if (r.kind == InboundResult::StatusPacket)
                                             seen = true;
                                     });
    while (!seen && !m_lost && clock.elapsed() < timeoutMs)
        waitMs(kPollMs);
    disconnect(connection);
    return seen;
}

bool TransmitterSession::waitForLivePacket(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    bool seen = false;
    const auto connection = connect(this, &TransmitterSession::chunkHandled, this, [&seen](const InboundResult &r) {
        seen = seen || r.kind == InboundResult::ChannelPacket || r.kind == InboundResult::StatusPacket;
    });
    while (!seen && !m_lost && clock.elapsed() < timeoutMs)
        waitMs(kPollMs);
    disconnect(connection);
    return seen;
}

void TransmitterSession::sendConfiguration()
{
    const int held = m_params.TrimHold;
    m_params.TrimHold = 1;
    for (FrameKind kind : Protocol::kFrameOrder)
        Protocol::sendFrame(&m_port, kind, m_params, m_frames, m_pacing);
    Protocol::writeIfOpen(m_port, Protocol::acknowledge());
    m_params.TrimHold = held;
}

ReadReply TransmitterSession::readConfiguration(int firstBlockMs, int quietMs, int deadlineMs)
{
    m_reply.restart();
    Protocol::writeIfOpen(m_port, Protocol::readRequest());

    QElapsedTimer sinceRequest;
    sinceRequest.start();
    QElapsedTimer sinceNewBlock;
    int distinctBefore = 0;
    while (!m_reply.complete() && !m_lost && m_port.isOpen() && sinceRequest.elapsed() < deadlineMs) {
        waitMs(kPollMs);
        if (m_reply.received() != distinctBefore) {
            distinctBefore = m_reply.received();
            sinceNewBlock.start();
        }
        if (!sinceNewBlock.isValid() ? sinceRequest.elapsed() >= firstBlockMs
                                     : sinceNewBlock.elapsed() >= quietMs)
            break;
    }
    return m_reply;
}

void TransmitterSession::onReadyRead()
{
    const QByteArray chunk = m_port.readAll();
    if (chunk.isEmpty())
        return;
    const QVector<QByteArray> messages = m_framer.feed(chunk);
    for (const QByteArray &message : messages)
        handleMessage(message);
    followUp();
    // Every chunk is acknowledged once, whatever it held.
    Protocol::writeIfOpen(m_port, Protocol::acknowledge());
}

void TransmitterSession::onHeldTimedOut()
{
    // On a busy machine the rest may be waiting unread: take it first.
    if (m_port.isOpen())
        m_port.waitForReadyRead(0);
    const QVector<QByteArray> held = m_framer.takeHeld();
    if (held.isEmpty() || !m_port.isOpen())
        return;
    for (const QByteArray &message : held)
        handleMessage(message);
}

void TransmitterSession::handleMessage(const QByteArray &message)
{
    const InboundResult result = decodeChunk(message, m_params, m_live);
    if (result.kind == InboundResult::ParamBlock || result.kind == InboundResult::AuxBlock) {
        m_reply.add(result.blockNumber);
    }
    // The same follow-up as the window: the shown dual rates and the repair
    // of anything out of range, before anyone looks at the result.
    followUp();
    emit chunkHandled(result);
}

void TransmitterSession::followUp()
{
    selectDualRate(m_params);
    sanitizeParameters(m_params);
}

void TransmitterSession::onError(QSerialPort::SerialPortError error)
{
    if ((error == QSerialPort::ResourceError || error == QSerialPort::ReadError) && m_port.isOpen())
        m_lost = true;
}

#include "link/transmittersession.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPortInfo>

#include "link/portlist.h"
#include "link/protocol.h"
#include "link/waitms.h"

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
    connect(&m_conversation.port(), &QSerialPort::readyRead, &m_conversation, &Conversation::readInput);
    connect(&m_conversation, &Conversation::messageDecoded, this, [this](const QByteArray &, const InboundResult &r) {
        // Settled at once, not only at the end of the chunk, so whoever looks
        // at the result sees the shown dual rates and nothing out of range.
        m_conversation.settle();
        emit chunkHandled(r);
    });
}

TransmitterSession::~TransmitterSession() = default;

bool TransmitterSession::open(const QString &portName)
{
    m_openError = OpenError::None;
    m_error.clear();
    if (!portExists(portName)) {
        m_openError = OpenError::UnknownPort;
        m_error = tr("no serial port called %1").arg(portName);
        return false;
    }
    // "com3" and "\\.\COM3" open COM3 on Windows.
    if (m_conversation.open(canonicalPortName(portName)))
        return true;
    const QSerialPort &port = m_conversation.port();
    const bool busy = port.error() == QSerialPort::PermissionError;
    m_openError = busy ? OpenError::Busy : OpenError::Other;
    m_error = busy ? tr("%1 is busy or not accessible: %2").arg(portName, port.errorString())
                   : tr("cannot open %1: %2").arg(portName, port.errorString());
    return false;
}

bool TransmitterSession::waitForPacket(int timeoutMs, bool channelsToo)
{
    QElapsedTimer clock;
    clock.start();
    bool seen = false;
    const auto connection = connect(this, &TransmitterSession::chunkHandled, this, [&](const InboundResult &r) {
        seen = seen || r.kind == InboundResult::StatusPacket || (channelsToo && r.kind == InboundResult::ChannelPacket);
    });
    while (!seen && !portLost() && clock.elapsed() < timeoutMs)
        waitMs(kPollMs);
    disconnect(connection);
    return seen;
}

SendTally TransmitterSession::sendConfiguration()
{
    const TrimHoldScope hold(m_params);
    SendTally tally;
    tally.begin(isOpen(), true);
    for (FrameKind kind : Protocol::kFrameOrder) {
        if (portLost())
            tally.portClosed();
        m_conversation.sendFrame(kind, tally.mayWrite(), [&tally](bool taken) { tally.frameWritten(taken); });
    }
    if (portLost())
        tally.portClosed();
    tally.closingWritten(tally.mayWrite() && m_conversation.write(Protocol::acknowledge()));
    tally.end();
    return tally;
}

#include "link/conversation.h"

#include <QSignalBlocker>

#include "link/inboundparser.h"
#include "link/livevalues.h"
#include "link/waitms.h"
#include "model/defaults.h"
#include "model/dualrate.h"
#include "model/parameterset.h"

Conversation::Conversation(ParameterSet &params, LiveValues &live, ParameterFrames &frames, QObject *parent)
    : QObject(parent)
    , m_params(params)
    , m_live(live)
    , m_frames(frames)
{
    connect(&m_port, &QSerialPort::errorOccurred, this, &Conversation::onError);
    connect(&m_framer, &InboundFramer::heldTimedOut, this, &Conversation::onHeldTimedOut);
}

bool Conversation::open(const QString &portName)
{
    m_lost = false;
    m_port.clearError();
    m_port.setPortName(portName);
    m_port.setBaudRate(QSerialPort::Baud115200);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite))
        return false;
    m_framer.reset();
    write(Protocol::hello());
    return true;
}

void Conversation::close(bool sayGoodbye)
{
    if (sayGoodbye && m_port.isOpen() && !m_lost) {
        // The wait below reads the port too and announces what it read:
        // quiet, so no input is handled (or acknowledged) after "DIS".
        const QSignalBlocker quiet(m_port);
        write(Protocol::goodbye());
        m_goodbyeSaid = true;
        m_port.waitForBytesWritten(Protocol::kGoodbyeFlushMs);
    }
    m_port.close();
    m_framer.reset();
    m_goodbyeSaid = false;
    m_port.clearError();
}

bool Conversation::write(const QByteArray &bytes)
{
    if (m_goodbyeSaid || !m_port.isOpen() || m_port.write(bytes) != bytes.size())
        return false;
    emit written(bytes);
    return true;
}

void Conversation::sendFrame(FrameKind kind, bool write, const std::function<void(bool)> &taken)
{
    // Built and written with no event in between: never seen half-built.
    const QByteArray frame = rebuildFrame(kind, m_params, m_frames);
    const bool took = write && this->write(frame);
    if (taken)
        taken(took);
    waitMs(m_pacing.framePauseMs);
}

void Conversation::settle()
{
    selectDualRate(m_params);
    sanitizeParameters(m_params);
}

void Conversation::readInput()
{
    const QByteArray chunk = m_port.readAll();
    if (chunk.isEmpty())
        return;
    emit chunkArrived();
    for (const InboundPiece &piece : m_framer.feed(chunk))
        handlePiece(piece);
    settle();
    // Every chunk, understood, held or not, is acknowledged once; the
    // transmitter paces its parameter blocks by these acknowledgements.
    write(Protocol::acknowledge());
}

void Conversation::onHeldTimedOut()
{
    // On a busy machine the rest may be waiting unread: take it first.
    if (m_port.isOpen())
        m_port.waitForReadyRead(0);
    // What is still held is judged as it stands; it was acknowledged on
    // arrival.
    const QVector<InboundPiece> held = m_framer.takeHeld();
    if (held.isEmpty() || !m_port.isOpen())
        return;
    for (const InboundPiece &piece : held)
        handlePiece(piece);
    settle();
}

void Conversation::handlePiece(const InboundPiece &piece)
{
    if (!piece.whole) {
        // Bytes that make no message are not decoded: read alone they might
        // look like one.
        InboundResult result;
        result.kind = InboundResult::Unrecognised;
        emit messageDecoded(piece.bytes, result);
        return;
    }
    emit messageArrived(piece.bytes);
    const InboundResult result = decodeChunk(piece.bytes, m_params, m_live, m_blockTarget);
    emit messageDecoded(piece.bytes, result);
}

void Conversation::onError(QSerialPort::SerialPortError error)
{
    const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (gone && m_port.isOpen() && !m_lost) {
        m_lost = true;
        emit lost();
    }
}

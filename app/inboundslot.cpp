// Everything the transmitter sends arrives here, one chunk per notification.
// The chunks are put back together into messages (an adapter may cut one
// message in two or deliver two in one read), each decoded on its own.
#include "app/mainwindow.h"

#include <QDebug>

#include <optional>

#include "link/inboundparser.h"
#include "link/livevalues.h"
#include "link/protocol.h"
#include "model/parameterset.h"

void MainWindow::serialPort_readyRead()
{
    const QByteArray chunk = serialPort.readAll();
    if (chunk.isEmpty())
        return;

    m_lastInbound.start();
    for (const QByteArray &message : m_framer.feed(chunk))
        handleInboundMessage(message);

    // Every chunk, understood, held or not, is acknowledged once; the
    // transmitter paces its parameter blocks by these acknowledgements.
    Dr_DataSelet();
    FalseSaveData();
    writeToPort(Protocol::acknowledge());
}

void MainWindow::inboundHeldTimedOut()
{
    // On a busy machine the rest may be waiting unread: take it first (it
    // is handled and acknowledged like any chunk).
    if (serialPort.isOpen())
        serialPort.waitForReadyRead(0);
    // What is still held is judged as it stands; it was acknowledged on
    // arrival.
    const QVector<QByteArray> held = m_framer.takeHeld();
    if (held.isEmpty() || !serialPort.isOpen())
        return;
    for (const QByteArray &message : held)
        handleInboundMessage(message);
    Dr_DataSelet();
    FalseSaveData();
}

void MainWindow::handleInboundMessage(const QByteArray &message)
{
    recordInbound(message);
    // A Read made for a backup or to check a send is collected by the record
    // alone: the blocks do not replace what the pilot sees and edits.
    const bool keepSettings = m_record.reading() && m_readPurpose != ReadPurpose::Show;
    std::optional<ParameterSet> shown;
    if (keepSettings)
        shown = params();
    const InboundResult result = decodeChunk(message, params(), liveValues());
    if (result.kind == InboundResult::ChannelPacket || result.kind == InboundResult::StatusPacket)
        noteLivePacket();
    if (keepSettings && (result.kind == InboundResult::ParamBlock || result.kind == InboundResult::AuxBlock))
        params() = *shown;
    noteInbound(message, result);
    if (result.blockNumber > 0)
        qDebug("ReadFlag:%d", result.blockNumber);
    if (result.refreshPages)
        ui_Display();
}

int MainWindow::byteArrayToInt(QByteArray b, int a)
{
    return bytesToWord(b, a);
}

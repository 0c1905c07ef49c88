// Everything the transmitter sends arrives here, one chunk per notification.
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

    recordInbound(chunk);
    m_lastInbound.start();
    // A Read made for a backup or to check a send is collected by the record
    // alone: the blocks do not replace what the pilot sees and edits.
    const bool keepSettings = m_record.reading() && m_readPurpose != ReadPurpose::Show;
    std::optional<ParameterSet> shown;
    if (keepSettings)
        shown = params();
    const InboundResult result = decodeChunk(chunk, params(), liveValues());
    if (result.kind == InboundResult::ChannelPacket || result.kind == InboundResult::StatusPacket)
        noteLivePacket();
    if (keepSettings && (result.kind == InboundResult::ParamBlock || result.kind == InboundResult::AuxBlock))
        params() = *shown;
    noteInbound(chunk, result);
    if (result.blockNumber > 0)
        qDebug("ReadFlag:%d", result.blockNumber);
    if (result.refreshPages)
        ui_Display();

    // Every chunk, understood or not, is acknowledged; the transmitter paces
    // its parameter blocks by these acknowledgements.
    Dr_DataSelet();
    FalseSaveData();
    writeToPort(Protocol::acknowledge());
}

int MainWindow::byteArrayToInt(QByteArray b, int a)
{
    return bytesToWord(b, a);
}

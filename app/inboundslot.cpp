// What the window does around the transmitter's input. The conversation puts
// the chunks back together into messages (an adapter may cut one message in
// two or deliver two in one read), decodes each on its own and acknowledges
// every chunk; the transfer workflow counts a Read's blocks and keeps them
// where that Read wants them; the window notes and shows the rest.
#include "app/mainwindow.h"

#include <QDebug>

#include "link/inboundparser.h"
#include "model/parameterset.h"

void MainWindow::serialPort_readyRead()
{
    m_conversation.readInput();
}

void MainWindow::afterDecoding(const QByteArray &message, const InboundResult &result)
{
    if (result.kind == InboundResult::ChannelPacket || result.kind == InboundResult::StatusPacket)
        m_monitor.notePacket();
    m_answer.inbound(message, result);
    if (result.blockNumber > 0)
        qDebug("ReadFlag:%d", result.blockNumber);
    if (result.refreshPages)
        ui_Display();
}

int MainWindow::byteArrayToInt(QByteArray b, int a)
{
    return bytesToWord(b, a);
}

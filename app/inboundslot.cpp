// What the window does around the transmitter's input. The conversation puts
// the chunks back together into messages (an adapter may cut one message in
// two or deliver two in one read), decodes each on its own and acknowledges
// every chunk; the window records, keeps, notes and shows around that.
#include "app/mainwindow.h"

#include <QDebug>

#include "link/inboundparser.h"
#include "link/parameterblocks.h"
#include "model/parameterset.h"

void MainWindow::serialPort_readyRead()
{
    m_conversation.readInput();
}

void MainWindow::beforeDecoding(const QByteArray &message)
{
    recordInbound(message);
    // Only a Read of the pilot's own puts the transmitter's blocks into the
    // window. One made for a backup or to check a send is collected by the
    // record alone, and blocks that come after their Read ended are only
    // reported: they never replace what the pilot sees and edits.
    m_keptSettings.reset();
    const bool mayBeBlock = message.size() == kParamBlockLength || message.size() == kAuxBlockLength;
    if (mayBeBlock && !(m_record.reading() && m_readPurpose == ReadPurpose::Show))
        m_keptSettings = params();
}

void MainWindow::afterDecoding(const QByteArray &message, const InboundResult &result)
{
    if (result.kind == InboundResult::ChannelPacket || result.kind == InboundResult::StatusPacket)
        m_monitor.notePacket();
    if (m_keptSettings && (result.kind == InboundResult::ParamBlock || result.kind == InboundResult::AuxBlock)) {
        params() = *m_keptSettings;
        if (!m_record.reading()) {
            ++m_lateBlocks;
            updateTransmitterState();
        }
    }
    m_keptSettings.reset();
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

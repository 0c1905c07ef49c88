// The commands that move a whole configuration over the link: Write, the two
// resets and Read, and the four frame senders they share.
#include "app/mainwindow.h"

#include "app/messagetexts.h"
#include "app/transferscope.h"
#include "link/framecodec.h"
#include "link/protocol.h"
#include "link/waitms.h"
#include "model/parameterset.h"

// Once a send is cut short, its remaining frames are still built (Save
// stores them) and paced, but written nowhere.
void MainWindow::sendFrame(FrameKind kind)
{
    Protocol::sendFrame(m_tally.mayWrite() ? &serialPort : nullptr, kind, params(), frames(), m_pacing,
                        [this, kind](bool taken) {
                            m_tally.frameWritten(taken);
                            showSendStep(Protocol::frameStep(kind));
                        });
}

void MainWindow::SendData1() { sendFrame(FrameKind::S); }
void MainWindow::SendData2() { sendFrame(FrameKind::G); }
void MainWindow::SendData3() { sendFrame(FrameKind::H); }
void MainWindow::SendData4() { sendFrame(FrameKind::I); }

void MainWindow::sendFramesAndFinish()
{
    SendData1();
    SendData2();
    SendData3();
    SendData4();
    m_tally.closingWritten(m_tally.mayWrite() && Protocol::writeIfOpen(serialPort, Protocol::acknowledge()));
    showSendStep(5);
}

// The debounce every transfer starts with, then the port check. Returns false
// after telling the user when the port is closed.
bool MainWindow::debounceAndCheckPort(TransferScope &transfer)
{
    waitMs(m_pacing.debounceMs);
    if (portIsOpen())
        return true;
    transfer.finish();
    setOutcome(StatusTexts::needsOpenPort());
    showPortMessage(portTexts(params().LangChinese).needsPort);
    return false;
}

void MainWindow::on_toolButton_Send_clicked()
{
    TransferScope transfer(this);
    if (transfer.started() && debounceAndCheckPort(transfer)) {
        beginSending(StatusTexts::Command::Write);
        sendFramesAndFinish();
        setOutcome(finishSending(StatusTexts::Command::Write));
    }
}

// Factory reset holds the stick trims for its whole run, so live packets that
// arrive during the pauses cannot replace the factory trims in the I frame.
void MainWindow::on_toolButton_Reset_clicked()
{
    TransferScope transfer(this);
    if (!transfer.started())
        return;
    params().TrimHold = 1;
    if (debounceAndCheckPort(transfer)) {
        beginSending(StatusTexts::Command::FactoryReset);
        RestData();
        RestData2();
        sendFramesAndFinish();
        setOutcome(finishSending(StatusTexts::Command::FactoryReset));
    }
    params().TrimHold = 0;
}

// The same factory values, but live trims that arrive meanwhile may go out
// in place of the factory trims.
void MainWindow::on_pushButton_Reset2_clicked()
{
    TransferScope transfer(this);
    if (transfer.started() && debounceAndCheckPort(transfer)) {
        beginSending(StatusTexts::Command::ResetData);
        RestData();
        RestData2();
        sendFramesAndFinish();
        setOutcome(finishSending(StatusTexts::Command::ResetData));
    }
}

// The transmitter answers "RR" with its parameter blocks, one per chunk, each
// after the acknowledgement of the previous one; serialPort_readyRead handles
// them whenever they come.
void MainWindow::on_toolButton_Read_clicked()
{
    TransferScope transfer(this);
    if (transfer.started() && debounceAndCheckPort(transfer)) {
        writeToPort(Protocol::readRequest());
        startReadRecord();
        waitMs(m_pacing.readPauseMs);
    }
}

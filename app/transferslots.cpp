// The commands that move a whole configuration over the link: Write, the two
// resets and Read, and the four frame senders they share.
#include "app/mainwindow.h"

#include "app/edithistory.h"
#include "app/messagetexts.h"
#include "app/transferscope.h"
#include "link/framecodec.h"
#include "link/protocol.h"
#include "link/waitms.h"
#include "model/defaults.h"
#include "model/dualrate.h"
#include "model/parameterset.h"
#include "model/translations.h"

#include <optional>

// Once a send is cut short, its remaining frames are still built (Save
// stores them) and paced, but written nowhere.
void MainWindow::sendFrame(FrameKind kind)
{
    m_conversation.sendFrame(kind, m_tally.mayWrite(), [this, kind](bool taken) {
        m_tally.frameWritten(taken);
        showSendStep(Protocol::frameStep(kind));
    });
}

void MainWindow::SendData1() { sendFrame(FrameKind::S); }
void MainWindow::SendData2() { sendFrame(FrameKind::G); }
void MainWindow::SendData3() { sendFrame(FrameKind::H); }
void MainWindow::SendData4() { sendFrame(FrameKind::I); }

void MainWindow::Dr_DataSelet() { selectDualRate(params()); }
void MainWindow::RestData() { restoreFactoryFirst(params()); }
void MainWindow::RestData2() { restoreFactorySecond(params()); }
void MainWindow::FalseSaveData() { sanitizeParameters(params()); }

// The four frames; a Write, a reset or a Load closes with an
// acknowledgement, a Save with its fourth frame.
void MainWindow::sendFrames(bool closing)
{
    SendData1();
    SendData2();
    SendData3();
    SendData4();
    if (!closing)
        return;
    m_tally.closingWritten(m_tally.mayWrite() && m_conversation.write(Protocol::acknowledge()));
    showSendStep(5);
}

// The debounce every transfer starts with, then the port check. Returns false
// after telling the user when the port is closed.
bool MainWindow::debounceAndCheckPort(TransferScope &transfer)
{
    waitMs(pacing().debounceMs);
    if (portIsOpen())
        return true;
    transfer.finish();
    setOutcome(StatusTexts::needsOpenPort);
    showPortMessage(portTexts().needsPort);
    return false;
}

// Write sends what the window shows. A transmitter whose set-up is not yet
// known is read first (the pilot's edits stay), so a backup of it exists
// before the first frame; the send is read back after.
void MainWindow::on_toolButton_Send_clicked()
{
    TransferScope transfer(this);
    if (!transfer.started() || !debounceAndCheckPort(transfer))
        return;
    if (!knowBefore(StatusTexts::Command::Write, true) || !backUpBeforeSending(StatusTexts::Command::Write))
        return;
    beginSending(StatusTexts::Command::Write);
    sendFrames(true);
    Phrase details;
    const Phrase outcome = finishAndCheck(StatusTexts::Command::Write, &details);
    setOutcome(outcome, {}, details);
}

// Both resets replace the whole set-up with factory values: the pilot sees
// the list of what changes first. Factory reset holds the stick trims for its
// whole run, so live packets that arrive during the pauses cannot replace the
// factory trims in the I frame; Reset data lets live trims that arrive
// meanwhile go out in their place.
void MainWindow::resetTransmitter(StatusTexts::Command command)
{
    TransferScope transfer(this);
    if (!transfer.started())
        return;
    std::optional<TrimHoldScope> hold;
    if (command == StatusTexts::Command::FactoryReset)
        hold.emplace(params());
    if (!debounceAndCheckPort(transfer) || !knowBefore(command, false))
        return;
    ParameterSet factory = params();
    restoreFactoryFirst(factory);
    restoreFactorySecond(factory);
    if (!confirmChanges(command, factory, StatusTexts::commandName(command))) {
        setOutcome([command] { return StatusTexts::cancelled(command); }, StatusTexts::notSent);
        return;
    }
    if (!backUpBeforeSending(command))
        return;
    beginSending(command);
    RestData();
    RestData2();
    sendFrames(true);
    Phrase details;
    const Phrase outcome = finishAndCheck(command, &details);
    setOutcome(outcome, {}, details);
}

void MainWindow::on_toolButton_Reset_clicked()
{
    resetTransmitter(StatusTexts::Command::FactoryReset);
}

void MainWindow::on_pushButton_Reset2_clicked()
{
    resetTransmitter(StatusTexts::Command::ResetData);
}

// The transmitter answers "RR" with its parameter blocks, one per chunk, each
// after the acknowledgement of the previous one; serialPort_readyRead handles
// them whenever they come. The command holds the one-transfer guard until the
// reply is complete or has gone quiet, so no send can start in its middle.
void MainWindow::on_toolButton_Read_clicked()
{
    TransferScope transfer(this);
    if (!transfer.started() || !debounceAndCheckPort(transfer))
        return;
    {
        // A Read replaces the window's set-up: work not yet written is not
        // dropped without the pilot's word.
        const TransferScope::NormalCursor asking(transfer);
        if (!m_boxes.mayDropUnwritten(m_history->unwrittenWork()) || !m_workflow.goesOn())
            return;
    }
    // A Read of its own replaces what the window shows; one made for a
    // backup or to check a send leaves the pilot's edits alone.
    m_history->clear();
    m_workflow.read(TransferWorkflow::ReadPurpose::Show);
}

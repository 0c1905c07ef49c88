// What the transmitter holds: the status line, the marks on unwritten
// editors, the completeness of a Read and its comparison with what was sent,
// and the backups taken before a command overwrites the transmitter.
#include "app/mainwindow.h"

#include <QTimer>
#include <QWidget>

#include "app/edithistory.h"
#include "files/backups.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "ui/mainform.h"

void MainWindow::setUpTransmitterState()
{
    m_statusView.create(ui->centralwidget, [this] {
        StatusTexts::StatusFacts facts;
        facts.port = portIsOpen() ? StatusTexts::portOpen(port().portName()) : StatusTexts::portClosed();
        if (m_workflow.lateBlocks() > 0)
            facts.outcomeDetail = StatusTexts::lateBlocks(m_workflow.lateBlocks());
        const TransmitterRecord &record = m_workflow.record();
        facts.uncertain = record.uncertain();
        facts.unwritten = record.hasKnown() ? countDifferingEditable(params(), record.known()) : 0;
        if (facts.unwritten > 0) {
            for (const Setting *s : differingSettings(params(), record.known())) {
                if (settingIsEditable(*s))
                    facts.unwrittenLabels.append(settingLabel(*s, QStringLiteral(" · ")));
            }
        }
        return facts;
    });
    connect(&m_workflow, &TransferWorkflow::readProgress, this, &MainWindow::showReadStep);
    connect(&m_workflow, &TransferWorkflow::readFinished, this, &MainWindow::showReadOutcome);
    connect(&m_workflow, &TransferWorkflow::lateBlock, this, &MainWindow::updateTransmitterState);
    // However the port closes (the button, an unplugged device), a send
    // running then is cut: nothing more of it goes out.
    connect(&port(), &QIODevice::aboutToClose, this, [this] { m_tally.portClosed(); });
    // After every refresh pass, which is where program-made changes show.
    connect(refreshTimer, &QTimer::timeout, this, &MainWindow::updateTransmitterState);
    updateTransmitterState();
}

void MainWindow::forgetTransmitter()
{
    if (m_tally.beganOpen()) {
        // A send is cut by the port closing (or opening again). The record
        // of the transmitter it began on is kept for its end to mark
        // uncertain (see finishSending).
        showSendStep(m_tally.frames());
        return;
    }
    m_workflow.connectionEnded();
    m_statusView.forget();
    updateTransmitterState();
}

void MainWindow::showReadStep(TransferWorkflow::ReadPurpose purpose, int received)
{
    Phrase text = [received] { return StatusTexts::readStep(received); };
    if (purpose == TransferWorkflow::ReadPurpose::Backup)
        text = [received] { return StatusTexts::readForBackupStep(received); };
    else if (purpose == TransferWorkflow::ReadPurpose::Verify)
        text = [received] { return StatusTexts::verifyStep(received); };
    m_statusView.showStep(text, received, ReadReply::kBlockCount);
    updateTransmitterState();
}

void MainWindow::showSendStep(int step)
{
    // Nothing goes out when the port was closed from the start.
    if (!m_transferRunning || !m_tally.beganOpen())
        return;
    if (m_tally.cut()) {
        const int frames = m_tally.frames();
        m_statusView.showStep([frames] { return StatusTexts::interrupted(frames); });
    } else {
        // Save sends no closing acknowledgement: its fourth frame ends it.
        const int steps = m_sending == StatusTexts::Command::Save ? 4 : 5;
        const StatusTexts::Command command = m_sending;
        m_statusView.showStep([command, step] { return StatusTexts::sendStep(command, step); }, step, steps);
    }
    updateTransmitterState();
}

// The command's end leaves the outcome; a Read keeps counting its reply.
void MainWindow::endProgress()
{
    if (m_workflow.reading())
        return;
    m_statusView.endStep();
    updateTransmitterState();
}

void MainWindow::showReadOutcome(TransferWorkflow::ReadPurpose purpose, const TransmitterRecord::ReadOutcome &outcome)
{
    if (!m_transferRunning)
        endProgress();
    // Whatever a complete Read was for, it shows what the transmitter holds:
    // a cut send or a lost connection is over.
    if (outcome.complete)
        m_statusView.dismissInterruption();
    // A command that read for itself says what it found with its own outcome.
    if (purpose != TransferWorkflow::ReadPurpose::Show)
        return;
    Phrase detail;
    Phrase details;
    if (!outcome.complete) {
        detail = [outcome] { return StatusTexts::stalePages(outcome.stalePages); };
    } else if (outcome.compared) {
        detail = [outcome] { return StatusTexts::comparison(outcome, nullptr); };
        details = [outcome] {
            QString all;
            StatusTexts::comparison(outcome, &all);
            return all;
        };
    }
    setOutcome([outcome] { return StatusTexts::readOutcome(outcome); }, detail, details);
}

// Before a command overwrites the transmitter, what it holds goes into a
// backup. One that cannot be written stops the command unless the pilot
// chooses to write anyway; false: nothing is sent.
bool MainWindow::backUpBeforeSending(StatusTexts::Command command)
{
    m_statusView.clearBackup();
    m_boxes.setCommand(command);
    const TransferWorkflow::Step step = m_workflow.backUp(StatusTexts::backupName(command), port().portName(),
                                                          Backups::defaultDirectory(), m_boxes);
    if (step == TransferWorkflow::Step::Cancelled) {
        m_statusView.keepBackupForOutcome();
        setOutcome([command] { return StatusTexts::cancelled(command); }, StatusTexts::notSent);
    }
    return step == TransferWorkflow::Step::Go;
}

void MainWindow::beginSending(StatusTexts::Command command)
{
    m_sending = command;
    if (command != StatusTexts::Command::Write && command != StatusTexts::Command::Save)
        m_history->clear();
    m_tally.begin(portIsOpen(), command != StatusTexts::Command::Save);
    showSendStep(0);
}

void MainWindow::finishSending()
{
    const SendTally tally = m_tally;
    m_tally.end();
    switch (tally.outcome()) {
    case SendTally::Outcome::Delivered:
        m_workflow.record().sent(frames(), params());
        break;
    case SendTally::Outcome::Interrupted:
        m_workflow.record().sendCut(frames(), params());
        m_statusView.showInterruption(StatusPresenter::Interruption::SendCut, tally.frames());
        break;
    case SendTally::Outcome::NotSent:
        break;
    }
}

void MainWindow::setOutcome(Phrase text, Phrase detail, Phrase details)
{
    m_statusView.setOutcome(std::move(text), std::move(detail), std::move(details));
    updateTransmitterState();
}

void MainWindow::updateTransmitterState()
{
    const TransmitterRecord &record = m_workflow.record();
    m_binder.showUnwritten(record.hasKnown() ? differingEditors(params(), record.known()) : QStringList());
    m_statusView.update();
}

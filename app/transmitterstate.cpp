// What the transmitter holds: the status line, the marks on unwritten
// editors, the completeness of a Read and its comparison with what was sent,
// and the backups taken before a command overwrites the transmitter.
#include "app/mainwindow.h"

#include <QEventLoop>
#include <QTime>
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
        if (m_lateBlocks > 0)
            facts.outcomeDetail = StatusTexts::lateBlocks(m_lateBlocks);
        facts.uncertain = m_record.uncertain();
        facts.unwritten = m_record.hasKnown() ? countDifferingEditable(params(), m_record.known()) : 0;
        if (facts.unwritten > 0) {
            for (const Setting *s : differingSettings(params(), m_record.known())) {
                if (settingIsEditable(*s))
                    facts.unwrittenLabels.append(settingLabel(*s, QStringLiteral(" · ")));
            }
        }
        return facts;
    });
    m_replyTimer = new QTimer(this);
    m_replyTimer->setSingleShot(true);
    connect(m_replyTimer, &QTimer::timeout, this, &MainWindow::finishReadRecord);
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
    // A command waiting for a reply learns that none will come.
    m_lastRead = TransmitterRecord::ReadOutcome();
    m_lastRead.received = m_record.reading() ? m_record.blocksReceived() : 0;
    if (m_readLoop)
        m_readLoop->quit();
    m_lastInbound.invalidate();
    m_record.connectionEnded();
    m_lateBlocks = 0;
    m_replyTimer->stop();
    m_statusView.forget();
    updateTransmitterState();
}

namespace {

Phrase readStepText(int received, bool forBackup, bool verifying)
{
    if (forBackup)
        return [received] { return StatusTexts::readForBackupStep(received); };
    if (verifying)
        return [received] { return StatusTexts::verifyStep(received); };
    return [received] { return StatusTexts::readStep(received); };
}

} // namespace

void MainWindow::startReadRecord()
{
    m_record.startRead(params());
    // A Read of its own replaces what the window shows; one made for a
    // backup or to check a send leaves the pilot's edits alone.
    if (m_readPurpose == ReadPurpose::Show)
        m_history->clear();
    m_replyTimer->start(ReplyRules::quietLimitMs(0, pacing()));
    m_statusView.showStep(readStepText(0, m_readPurpose == ReadPurpose::Backup, m_readPurpose == ReadPurpose::Verify),
                          0, ReadReply::kBlockCount);
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
    if (m_record.reading())
        return;
    m_statusView.endStep();
    updateTransmitterState();
}

void MainWindow::recordInbound(const QByteArray &chunk)
{
    if (!m_record.reading())
        return;
    const int before = m_record.blocksReceived();
    m_record.readChunk(chunk);
    if (m_record.blocksReceived() != before) {
        m_statusView.showStep(readStepText(m_record.blocksReceived(), m_readPurpose == ReadPurpose::Backup,
                                           m_readPurpose == ReadPurpose::Verify),
                              m_record.blocksReceived(), ReadReply::kBlockCount);
        updateTransmitterState();
    }
    if (m_record.blocksReceived() != before || m_record.blocksReceived() == ReadReply::kBlockCount)
        m_replyTimer->start(ReplyRules::quietLimitMs(m_record.blocksReceived(), pacing()));
}

void MainWindow::finishReadRecord()
{
    if (!m_record.reading())
        return;
    m_replyTimer->stop();
    const TransmitterRecord::ReadOutcome outcome = finishRead(m_record);
    m_lastRead = outcome;
    if (m_readLoop)
        m_readLoop->quit();
    if (!m_transferRunning)
        endProgress();
    // Whatever a complete Read was for, it shows what the transmitter holds:
    // a cut send or a lost connection is over.
    if (outcome.complete)
        m_statusView.dismissInterruption();
    // A command that read for itself says what it found with its own outcome.
    if (m_readPurpose != ReadPurpose::Show)
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
    const bool overwriteUnread = m_overwriteUnread;
    m_overwriteUnread = false;
    if (!portIsOpen())
        return true;
    if (!m_record.hasCompleteRead()) {
        if (overwriteUnread) {
            // The pilot chose to write although the set-up could not be read.
            m_statusView.setBackup(StatusTexts::noBackup);
            updateTransmitterState();
        }
        return true;
    }
    const Backups::Result result = Backups::write(m_record.known(), StatusTexts::backupName(command),
                                                  QDateTime::currentDateTime(), Backups::defaultDirectory(),
                                                  port().portName());
    const Phrase note = result.ok ? Phrase([command] { return StatusTexts::backupWritten(command); })
                                  : Phrase(StatusTexts::backupFailed);
    m_statusView.setBackup(note, fixedPhrase(result.ok ? result.path : result.path + QLatin1Char('\n') + result.error));
    updateTransmitterState();
    if (result.ok || writeWithoutBackup(m_statusView.backupDetail()))
        return true;
    m_statusView.keepBackupForOutcome();
    setOutcome([command] { return StatusTexts::cancelled(command); }, StatusTexts::notSent);
    return false;
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
        m_record.sent(frames(), params());
        break;
    case SendTally::Outcome::Interrupted:
        m_record.sendCut(frames(), params());
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
    m_binder.showUnwritten(m_record.hasKnown() ? differingEditors(params(), m_record.known()) : QStringList());
    m_statusView.update();
}

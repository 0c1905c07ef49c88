// What the transmitter holds: the status line, the marks on unwritten
// editors, the completeness of a Read and its comparison with what was sent,
// and the backups taken before a command overwrites the transmitter.
#include "app/mainwindow.h"

#include <QEventLoop>
#include <QTime>
#include <QTimer>
#include <QWidget>

#include "files/backups.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "ui/mainform.h"

namespace {
QString now()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm"));
}
} // namespace

void MainWindow::setUpTransmitterState()
{
    m_status.create(ui->centralwidget);
    m_banner.create(ui->centralwidget);
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
    for (auto part : {StatusPhrases::Outcome, StatusPhrases::OutcomeDetail, StatusPhrases::OutcomeDetails,
                      StatusPhrases::BackupNote, StatusPhrases::BackupDetail, StatusPhrases::Progress})
        m_said.clear(part);
    m_status.hideProgress();
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
        clearEdits();
    m_replyTimer->start(ReplyRules::quietLimitMs(0, pacing()));
    m_said.set(StatusPhrases::Progress, readStepText(0, m_readPurpose == ReadPurpose::Backup, m_readPurpose == ReadPurpose::Verify));
    m_status.showProgress(0, ReadReply::kBlockCount);
    updateTransmitterState();
}

void MainWindow::showSendStep(int step)
{
    // Nothing goes out when the port was closed from the start.
    if (!m_transferRunning || !m_tally.beganOpen())
        return;
    if (m_tally.cut()) {
        const int frames = m_tally.frames();
        m_said.set(StatusPhrases::Progress, [frames] { return StatusTexts::interrupted(frames); });
        m_status.hideProgress();
    } else {
        // Save sends no closing acknowledgement: its fourth frame ends it.
        const int steps = m_sending == StatusTexts::Command::Save ? 4 : 5;
        const StatusTexts::Command command = m_sending;
        m_said.set(StatusPhrases::Progress, [command, step] { return StatusTexts::sendStep(command, step); });
        m_status.showProgress(step, steps);
    }
    updateTransmitterState();
}

// The command's end leaves the outcome; a Read keeps counting its reply.
void MainWindow::endProgress()
{
    if (m_record.reading())
        return;
    m_said.clear(StatusPhrases::Progress);
    m_status.hideProgress();
    updateTransmitterState();
}

void MainWindow::recordInbound(const QByteArray &chunk)
{
    if (!m_record.reading())
        return;
    const int before = m_record.blocksReceived();
    m_record.readChunk(chunk);
    if (m_record.blocksReceived() != before) {
        m_said.set(StatusPhrases::Progress, readStepText(m_record.blocksReceived(),
                                                         m_readPurpose == ReadPurpose::Backup,
                                                         m_readPurpose == ReadPurpose::Verify));
        m_status.showProgress(m_record.blocksReceived(), ReadReply::kBlockCount);
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
        dismissInterruption();
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
    m_said.clear(StatusPhrases::BackupNote);
    m_said.clear(StatusPhrases::BackupDetail);
    const bool overwriteUnread = m_overwriteUnread;
    m_overwriteUnread = false;
    if (!portIsOpen())
        return true;
    if (!m_record.hasCompleteRead()) {
        if (overwriteUnread) {
            // The pilot chose to write although the set-up could not be read.
            m_said.set(StatusPhrases::BackupNote, StatusTexts::noBackup);
            m_backupFresh = true;
            updateTransmitterState();
        }
        return true;
    }
    const Backups::Result result = Backups::write(m_record.known(), StatusTexts::backupName(command),
                                                  QDateTime::currentDateTime(), Backups::defaultDirectory(),
                                                  port().portName());
    if (result.ok)
        m_said.set(StatusPhrases::BackupNote, [command] { return StatusTexts::backupWritten(command); });
    else
        m_said.set(StatusPhrases::BackupNote, StatusTexts::backupFailed);
    m_backupFresh = true;
    m_said.set(StatusPhrases::BackupDetail,
               fixedPhrase(result.ok ? result.path : result.path + QLatin1Char('\n') + result.error));
    updateTransmitterState();
    if (result.ok || writeWithoutBackup(m_said.text(StatusPhrases::BackupDetail)))
        return true;
    m_backupFresh = true;
    setOutcome([command] { return StatusTexts::cancelled(command); }, StatusTexts::notSent);
    return false;
}

void MainWindow::beginSending(StatusTexts::Command command)
{
    m_sending = command;
    if (command != StatusTexts::Command::Write && command != StatusTexts::Command::Save)
        clearEdits();
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
        showInterruption(Interruption::SendCut, tally.frames());
        break;
    case SendTally::Outcome::NotSent:
        break;
    }
}

void MainWindow::setOutcome(Phrase text, Phrase detail, Phrase details)
{
    // A backup belongs to the command that took it, not to the next one.
    if (!m_backupFresh) {
        m_said.clear(StatusPhrases::BackupNote);
        m_said.clear(StatusPhrases::BackupDetail);
    }
    m_backupFresh = false;
    const QString time = now();
    m_said.set(StatusPhrases::Outcome, [text, time] { return StatusTexts::withTime(text(), time); });
    m_said.set(StatusPhrases::OutcomeDetail, detail);
    m_said.set(StatusPhrases::OutcomeDetails, details);
    updateTransmitterState();
}

void MainWindow::updateTransmitterState()
{
    const bool known = m_record.hasKnown();
    m_binder.showUnwritten(known ? differingEditors(params(), m_record.known()) : QStringList());
    const int unwritten = known ? countDifferingEditable(params(), m_record.known()) : 0;

    StatusTexts::StatusFacts facts;
    facts.progress = m_said.text(StatusPhrases::Progress);
    facts.outcome = m_said.text(StatusPhrases::Outcome);
    facts.port = portIsOpen() ? StatusTexts::portOpen(port().portName()) : StatusTexts::portClosed();
    facts.outcomeDetail = m_said.text(StatusPhrases::OutcomeDetail);
    if (m_lateBlocks > 0) {
        const QString late = StatusTexts::lateBlocks(m_lateBlocks);
        facts.outcomeDetail = facts.outcomeDetail.isEmpty() ? late : facts.outcomeDetail + QStringLiteral(" · ") + late;
    }
    facts.outcomeDetails = m_said.text(StatusPhrases::OutcomeDetails);
    facts.backupNote = m_said.text(StatusPhrases::BackupNote);
    facts.backupDetail = m_said.text(StatusPhrases::BackupDetail);
    facts.uncertain = m_record.uncertain();
    facts.unwritten = unwritten;
    facts.busy = m_said.text(StatusPhrases::Busy);
    if (unwritten > 0) {
        for (const Setting *s : differingSettings(params(), m_record.known())) {
            if (settingIsEditable(*s))
                facts.unwrittenLabels.append(settingLabel(*s, QStringLiteral(" · ")));
        }
    }
    const StatusTexts::StatusLines status = StatusTexts::composeStatus(facts);
    m_status.show(status.lines, status.details);
}

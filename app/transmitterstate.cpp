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
    m_outcome.clear();
    m_outcomeDetail.clear();
    m_outcomeDetails.clear();
    m_backupNote.clear();
    m_backupDetail.clear();
    m_progressLine.clear();
    m_status.hideProgress();
    updateTransmitterState();
}

namespace {

QString readStepText(int received, bool forBackup, bool verifying)
{
    if (forBackup)
        return StatusTexts::readForBackupStep(received);
    return verifying ? StatusTexts::verifyStep(received) : StatusTexts::readStep(received);
}

} // namespace

void MainWindow::startReadRecord()
{
    m_record.startRead(params());
    // A Read of its own replaces what the window shows; one made for a
    // backup or to check a send leaves the pilot's edits alone.
    if (m_readPurpose == ReadPurpose::Show)
        clearEdits();
    m_replyTimer->start(ReplyRules::quietLimitMs(0));
    m_progressLine = readStepText(0, m_readPurpose == ReadPurpose::Backup, m_readPurpose == ReadPurpose::Verify);
    m_status.showProgress(0, ReadReply::kBlockCount);
    updateTransmitterState();
}

void MainWindow::showSendStep(int step)
{
    // Nothing goes out when the port was closed from the start.
    if (!m_transferRunning || !m_tally.beganOpen())
        return;
    if (m_tally.cut()) {
        m_progressLine = StatusTexts::interrupted(m_tally.frames());
        m_status.hideProgress();
    } else {
        // Save sends no closing acknowledgement: its fourth frame ends it.
        const int steps = m_sending == StatusTexts::Command::Save ? 4 : 5;
        m_progressLine = StatusTexts::sendStep(m_sending, step);
        m_status.showProgress(step, steps);
    }
    updateTransmitterState();
}

// The command's end leaves the outcome; a Read keeps counting its reply.
void MainWindow::endProgress()
{
    if (m_record.reading())
        return;
    m_progressLine.clear();
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
        m_progressLine = readStepText(m_record.blocksReceived(), m_readPurpose == ReadPurpose::Backup,
                                      m_readPurpose == ReadPurpose::Verify);
        m_status.showProgress(m_record.blocksReceived(), ReadReply::kBlockCount);
        updateTransmitterState();
    }
    if (m_record.blocksReceived() != before || m_record.blocksReceived() == ReadReply::kBlockCount)
        m_replyTimer->start(ReplyRules::quietLimitMs(m_record.blocksReceived()));
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
    // A command that read for itself says what it found with its own outcome.
    if (m_readPurpose != ReadPurpose::Show)
        return;
    QString detail;
    QString details;
    if (outcome.complete)
        dismissInterruption();
    if (!outcome.complete)
        detail = StatusTexts::stalePages(outcome.stalePages);
    else if (outcome.compared)
        detail = StatusTexts::comparison(outcome, &details);
    setOutcome(StatusTexts::readOutcome(outcome), detail, details);
}

// Before a command overwrites the transmitter, what it holds goes into a
// backup. One that cannot be written stops the command unless the pilot
// chooses to write anyway; false: nothing is sent.
bool MainWindow::backUpBeforeSending(StatusTexts::Command command)
{
    m_backupNote.clear();
    m_backupDetail.clear();
    const bool overwriteUnread = m_overwriteUnread;
    m_overwriteUnread = false;
    if (!portIsOpen())
        return true;
    if (!m_record.hasCompleteRead()) {
        if (overwriteUnread) {
            // The pilot chose to write although the set-up could not be read.
            m_backupNote = StatusTexts::noBackup();
            m_backupFresh = true;
            updateTransmitterState();
        }
        return true;
    }
    const Backups::Result result = Backups::write(m_record.known(), StatusTexts::backupName(command),
                                                  QDateTime::currentDateTime(), Backups::defaultDirectory(),
                                                  port().portName());
    m_backupNote = result.ok ? StatusTexts::backupWritten(command) : StatusTexts::backupFailed();
    m_backupFresh = true;
    m_backupDetail = result.ok ? result.path : result.path + QLatin1Char('\n') + result.error;
    updateTransmitterState();
    if (result.ok || writeWithoutBackup(m_backupDetail))
        return true;
    m_backupFresh = true;
    setOutcome(StatusTexts::cancelled(command), StatusTexts::notSent());
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

QString MainWindow::finishSending(StatusTexts::Command command)
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
    return StatusTexts::sendOutcome(command, tally);
}

void MainWindow::setOutcome(const QString &text, const QString &detail, const QString &details)
{
    // A backup belongs to the command that took it, not to the next one.
    if (!m_backupFresh) {
        m_backupNote.clear();
        m_backupDetail.clear();
    }
    m_backupFresh = false;
    m_outcome = StatusTexts::withTime(text, now());
    m_outcomeDetail = detail;
    m_outcomeDetails = details;
    updateTransmitterState();
}

void MainWindow::updateTransmitterState()
{
    const bool known = m_record.hasKnown();
    m_binder.showUnwritten(known ? differingEditors(params(), m_record.known()) : QStringList());
    const int unwritten = known ? countDifferingEditable(params(), m_record.known()) : 0;

    StatusTexts::StatusFacts facts;
    facts.progress = m_progressLine;
    facts.outcome = m_outcome;
    facts.port = portIsOpen() ? StatusTexts::portOpen(port().portName()) : StatusTexts::portClosed();
    facts.outcomeDetail = m_outcomeDetail;
    if (m_lateBlocks > 0) {
        const QString late = StatusTexts::lateBlocks(m_lateBlocks);
        facts.outcomeDetail = facts.outcomeDetail.isEmpty() ? late : facts.outcomeDetail + QStringLiteral(" · ") + late;
    }
    facts.outcomeDetails = m_outcomeDetails;
    facts.backupNote = m_backupNote;
    facts.backupDetail = m_backupDetail;
    facts.uncertain = m_record.uncertain();
    facts.unwritten = unwritten;
    facts.busy = m_busyNote;
    if (unwritten > 0) {
        for (const Setting *s : differingSettings(params(), m_record.known())) {
            if (settingIsEditable(*s))
                facts.unwrittenLabels.append(settingLabel(*s, QStringLiteral(" · ")));
        }
    }
    const StatusTexts::StatusLines status = StatusTexts::composeStatus(facts);
    m_status.show(status.lines, status.details);
}

// Safe writes: before a command replaces the transmitter's set-up, the tool
// knows what the transmitter held (a Read, then a backup), shows what will
// change, and after the send reads the transmitter back to prove what
// arrived. A transmitter that streams nothing gets the command exactly as
// before: there is nothing to back up, confirm or read back.
#include "app/mainwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QUndoStack>

#include <cstdio>

#include "app/edithistory.h"
#include "app/messagetexts.h"
#include "app/transferscope.h"
#include "files/parameterfile.h"
#include "link/protocol.h"
#include "link/waitms.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "model/translations.h"
#include "ui/editcommand.h"

namespace {

// The change list names this many settings; its details name them all.
constexpr int kListedChanges = 12;

QString verifyKey()
{
    return QStringLiteral("verifySends");
}

QString dontAskKey(StatusTexts::Command command)
{
    return QStringLiteral("skipChangeList/") + StatusTexts::backupName(command);
}

} // namespace

bool MainWindow::verifiesSends() const
{
    return QSettings().value(verifyKey(), true).toBool();
}

void MainWindow::setVerifiesSends(bool on)
{
    QSettings().setValue(verifyKey(), on);
    if (m_verifyAction)
        m_verifyAction->setChecked(on);
}

bool MainWindow::transmitterPresent() const
{
    return portIsOpen() && m_monitor.heardWithin(ReplyRules::kPresentWithinMs);
}

bool MainWindow::knowBefore(StatusTexts::Command command, bool adoptRead)
{
    bool readNow = false;
    m_boxes.setCommand(command);
    const TransferWorkflow::Step step = m_workflow.knowBefore(transmitterPresent(), m_boxes, &readNow);
    if (step == TransferWorkflow::Step::Cancelled)
        setOutcome([command] { return StatusTexts::cancelled(command); }, StatusTexts::notSent);
    if (step != TransferWorkflow::Step::Go)
        return false;
    if (readNow && adoptRead) {
        // The pilot's edits and a file loaded unsent stay; everything else
        // is what the transmitter holds, as after a Read.
        params() = m_history->windowOver(m_workflow.record().known());
        m_history->clear();
        Dr_DataSelet();
        ui_Display();
    }
    return true;
}

bool MainWindow::confirmChanges(StatusTexts::Command command, const ParameterSet &to, const QString &subject)
{
    if (!transmitterPresent() || QSettings().value(dontAskKey(command), false).toBool())
        return true;
    const TransmitterRecord &record = m_workflow.record();
    const ParameterSet &from = record.hasKnown() ? record.known() : params();
    const QStringList lines = changeListing(from, to, QStringLiteral(" · "), QStringLiteral("→"));
    if (lines.isEmpty())
        return true;

    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("SafeWrites", "确认更改"),
                    QCoreApplication::translate("SafeWrites", "%1将改变遥控器中的 %2 项设置：").arg(subject).arg(lines.size()), QMessageBox::NoButton, this);
    QStringList shown = lines.mid(0, kListedChanges);
    if (lines.size() > kListedChanges)
        shown.append(QCoreApplication::translate("SafeWrites", "……另有 %1 项（见详细信息）").arg(lines.size() - kListedChanges));
    box.setInformativeText(shown.join(QLatin1Char('\n')));
    // One setting a line: wide enough for the longest captions.
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_informativelabel { min-width: 30em; }"));
    box.setDetailedText(lines.join(QLatin1Char('\n')));
    QPushButton *send = box.addButton(QCoreApplication::translate("SafeWrites", "发送"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QCoreApplication::translate("SafeWrites", "取消"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    auto *dontAsk = new QCheckBox(QCoreApplication::translate("SafeWrites", "不再询问"));
    box.setCheckBox(dontAsk);
    box.exec();
    if (box.clickedButton() != send || !m_workflow.goesOn())
        return false;
    if (dontAsk->isChecked())
        QSettings().setValue(dontAskKey(command), true);
    return true;
}

Phrase MainWindow::finishAndCheck(StatusTexts::Command command, Phrase *details)
{
    const SendTally tally = m_tally;
    finishSending();
    // A window closing once the send is done does not wait for its proof.
    const bool prove = tally.outcome() == SendTally::Outcome::Delivered && !m_closeAfterSend;
    const SendCheck check = prove ? m_workflow.proveAfter(verifiesSends()) : SendCheck();
    updateTransmitterState();
    *details = [=] {
        QString found;
        StatusTexts::checkedOutcome(command, tally, check, &found);
        return found;
    };
    return [=] { return StatusTexts::checkedOutcome(command, tally, check); };
}

// The window's set-up into a file, without sending anything.
bool MainWindow::saveWindowToFile()
{
    const FileTexts texts = fileTexts();
    const QString path = QFileDialog::getSaveFileName(this, texts.saveTitle, QStringLiteral("./"), texts.saveFilter);
    if (path.isEmpty())
        return false;
    QString error;
    if (writeParameterFile(path, parameterFileBytes(params()), &error))
        return true;
    qWarning() << "Saving" << path << "failed:" << error;
    QMessageBox::critical(this, texts.errorTitle, texts.errorText, QMessageBox::Ok);
    return false;
}

// Closing ends the tool at once, whatever runs: nothing more of a send goes
// out, the port is closed (with "DIS" when it can go out now) so another
// program may open it and no lock file stays behind, and every waiting
// command's loop ends.
void MainWindow::endNow()
{
    m_workflow.stop();
    m_closeAfterSend = false;
    m_tally.portClosed();
    if (portIsOpen())
        closePort(true);
    hide();
    if (QGuiApplication::quitOnLastWindowClosed())
        QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_workflow.stopped()) {
        event->accept();
        return;
    }
    if (m_closeAfterSend) {
        // Asked already: the window goes once the send is done.
        event->ignore();
        return;
    }
    if (!m_tally.beganOpen() || m_tally.cut()) {
        // Nothing half-sent: a Read or a read-back simply ends, once the
        // pilot has decided about work the transmitter does not hold.
        const TransferBoxes::CloseAnswer answer = m_boxes.askBeforeClosing(m_history->unwrittenWork());
        if (answer == TransferBoxes::CloseAnswer::Stay
            || (answer == TransferBoxes::CloseAnswer::SaveFirst && !saveWindowToFile())) {
            event->ignore();
            return;
        }
        m_workflow.stop();
        event->accept();
        return;
    }
    const PortTexts port = portTexts();
    QMessageBox box(QMessageBox::Warning, port.title,
                    QCoreApplication::translate("SafeWrites", "正在向遥控器发送设置（已发送 %1/4 帧）。").arg(m_tally.frames()), QMessageBox::NoButton, this);
    box.setInformativeText(QCoreApplication::translate("SafeWrites", "现在放弃，遥控器的设置将不完整、不确定。"));
    QPushButton *finish = box.addButton(QCoreApplication::translate("SafeWrites", "发送完再关闭"), QMessageBox::AcceptRole);
    QPushButton *abandon = box.addButton(QCoreApplication::translate("SafeWrites", "放弃并关闭"), QMessageBox::DestructiveRole);
    QPushButton *stay = box.addButton(QCoreApplication::translate("SafeWrites", "不关闭"), QMessageBox::RejectRole);
    box.setDefaultButton(finish);
    box.setEscapeButton(stay);
    box.exec();
    event->ignore();
    if (!m_tally.beganOpen() || m_tally.cut()) {
        // The send ended or was cut while the question was open.
        if (box.clickedButton() != stay) {
            m_workflow.stop();
            event->accept();
        }
        return;
    }
    if (box.clickedButton() == finish) {
        m_closeAfterSend = true;
        m_statusView.setBusy(StatusTexts::closingAfterSend);
        updateTransmitterState();
    } else if (box.clickedButton() == abandon) {
        // Nothing more of the send goes out; the pilot has been told what
        // that means, and so is whoever reads the terminal.
        const int frames = m_tally.frames();
        std::fprintf(stderr, "kelvo-miraq-config: %s\n",
                     qPrintable(StatusTexts::interrupted(frames) + QStringLiteral(" · ") + StatusTexts::uncertain()));
        event->accept();
        endNow();
    }
}

// Save and Load: the configuration to and from a parameter file. Both also
// send the frames to the transmitter, as a write does; the status line names
// the file and says apart what became of it and of the send.
#include "app/mainwindow.h"

#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/edithistory.h"
#include "app/messagetexts.h"
#include "app/transferscope.h"
#include "files/parameterfile.h"
#include "link/framecodec.h"
#include "link/protocol.h"
#include "link/waitms.h"
#include "model/defaults.h"
#include "model/parameterset.h"
#include "model/translations.h"

namespace {

void showFileError(QWidget *parent, const FileTexts &texts)
{
    QMessageBox::critical(parent, texts.errorTitle, texts.errorText, QMessageBox::Ok);
}

// What a file lacks, by page, for the second line; nothing when it is whole
// or not a parameter file at all.
Phrase lacksPhrase(const FileDecodeResult &found)
{
    if (!found.any() || StatusTexts::fileLacks(found).isEmpty())
        return {};
    return [found] { return StatusTexts::fileLacks(found); };
}
} // namespace

void MainWindow::on_toolButton_Save_clicked()
{
    const FileTexts texts = fileTexts();
    TransferScope transfer(this);
    if (!transfer.started())
        return;
    waitMs(pacing().debounceMs);

    QString path;
    {
        const TransferScope::NormalCursor choosing(transfer);
        path = QFileDialog::getSaveFileName(this, texts.saveTitle, QStringLiteral("./"), texts.saveFilter);
    }
    qDebug() << path;
    if (path.isEmpty())
        return;
    const QString name = QFileInfo(path).fileName();

    // Find out before anything is sent whether the file can be written at
    // all; the real write below replaces the old file only once the new one
    // is complete.
    if (!canWriteParameterFile(path)) {
        setOutcome([name] {
            return StatusTexts::fileOutcome(StatusTexts::Command::Save, name, false, StatusTexts::notSent());
        });
        transfer.finish();
        showFileError(this, texts);
        return;
    }
    // The file keeps what the window shows, which is what is sent; a
    // transmitter not yet read is read first, as for a Write.
    if (!knowBefore(StatusTexts::Command::Save, true) || !backUpBeforeSending(StatusTexts::Command::Save))
        return;

    beginSending(StatusTexts::Command::Save);
    sendFrames(false);
    // The file holds the frames as they were built, whatever the read-back
    // after them finds.
    QString error;
    const bool saved = writeParameterFile(path, parameterFileBytes(frames()), &error);
    Phrase details;
    const Phrase sent = finishAndCheck(StatusTexts::Command::Save, &details);
    setOutcome([=] { return StatusTexts::fileOutcome(StatusTexts::Command::Save, name, saved, sent()); }, {},
               details);
    if (!saved) {
        qWarning() << "Saving" << path << "failed:" << error;
        transfer.finish();
        showFileError(this, texts);
    }
}

// A file that lacks frames (cut short, or frames off their places) brings
// only the settings of the frames it has; the rest come from what the
// transmitter holds, and without that the file is not loaded at all.
bool MainWindow::loadedSettings(const QString &text, ParameterSet *out, FileDecodeResult *found)
{
    ParameterSet decoded = params();
    *found = decodeParameterFile(text, decoded);
    if (!found->any())
        return false;
    if (!found->missing().isEmpty()) {
        // Only what this connection read completely fills the gaps.
        if (!m_workflow.record().hasCompleteRead())
            return false;
        decoded = readKeepingEdits(m_workflow.record().known(), params(), {});
        decodeParameterFile(text, decoded);
    }
    sanitizeParameters(decoded);
    *out = decoded;
    return true;
}

// The trims are held while a file is chosen, read and sent, so live packets
// cannot replace the trims the file brings. Nothing of the file is taken
// until the pilot has seen what it changes.
void MainWindow::on_toolButton_Load_clicked()
{
    const FileTexts texts = fileTexts();
    TransferScope transfer(this);
    if (!transfer.started())
        return;
    const TrimHoldScope hold(params());
    waitMs(pacing().debounceMs);

    if (!m_givenLoadPath.isEmpty()) {
        loadPath = m_givenLoadPath;
    } else {
        const TransferScope::NormalCursor choosing(transfer);
        loadPath = QFileDialog::getOpenFileName(this, texts.openTitle, QStringLiteral("./"), texts.openFilter);
    }
    if (loadPath.isEmpty()) {
        Dr_DataSelet();
        FalseSaveData();
        return;
    }

    const QString name = QFileInfo(loadPath).fileName();
    const Phrase notLoaded = [name] {
        return StatusTexts::fileOutcome(StatusTexts::Command::Load, name, false, StatusTexts::notSent());
    };
    QString text;
    if (!readParameterFileText(loadPath, &text)) {
        setOutcome(notLoaded);
        loadPath.clear();
        transfer.finish();
        showFileError(this, texts);
        return;
    }

    // A file in which not one frame is recognised is not a parameter file:
    // nothing of it is taken and nothing is sent. One that lacks frames needs
    // the transmitter's own set-up for the rest.
    ParameterSet fromFile;
    FileDecodeResult found;
    bool usable = loadedSettings(text, &fromFile, &found);
    // What the file lacks, by page: empty for a complete file or none at all.
    const QString lacking = found.any() ? StatusTexts::fileLacks(found) : QString();
    if (!usable && !lacking.isEmpty() && knowBefore(StatusTexts::Command::Load, false))
        usable = loadedSettings(text, &fromFile, &found);
    if (m_workflow.stopped())
        return;
    if (!usable) {
        setOutcome(notLoaded, lacksPhrase(found));
        transfer.finish();
        showFileError(this, texts);
        return;
    }
    if (!knowBefore(StatusTexts::Command::Load, false))
        return;
    QString subject = StatusTexts::commandName(StatusTexts::Command::Load) + QLatin1Char(' ') + name;
    if (!lacking.isEmpty())
        subject += QLatin1Char('\n') + lacking + QLatin1Char('\n');

    if (!confirmChanges(StatusTexts::Command::Load, fromFile, subject)) {
        setOutcome([] { return StatusTexts::cancelled(StatusTexts::Command::Load); }, StatusTexts::notSent);
        return;
    }

    if (!backUpBeforeSending(StatusTexts::Command::Load))
        return;
    m_loadedText = text;
    // The live channels moved on while the pilot looked at the list.
    keepRunTimeValues(fromFile, params());
    params() = fromFile;
    beginSending(StatusTexts::Command::Load);
    sendFrames(true);
    // A file that went nowhere (the port closed) is the window's set-up
    // now, and stays so over what a later Read before a Write finds.
    if (!m_tally.beganOpen())
        m_history->keepUnsentFile(loadPath);
    Phrase details;
    const Phrase sent = finishAndCheck(StatusTexts::Command::Load, &details);
    setOutcome([=] { return StatusTexts::fileOutcome(StatusTexts::Command::Load, name, true, sent()); },
               lacksPhrase(found), details);
    Dr_DataSelet();
    FalseSaveData();
}

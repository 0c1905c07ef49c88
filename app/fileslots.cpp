// Save and Load: the configuration to and from a parameter file. Both also
// send the frames to the transmitter, as a write does; the status line names
// the file and says apart what became of it and of the send.
#include "app/mainwindow.h"

#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/messagetexts.h"
#include "app/transferscope.h"
#include "files/loadedfiletext.h"
#include "files/parameterfile.h"
#include "link/framecodec.h"
#include "link/protocol.h"
#include "link/waitms.h"
#include "model/parameterset.h"

namespace {

void showFileError(QWidget *parent, const FileTexts &texts)
{
    QMessageBox::critical(parent, texts.errorTitle, texts.errorText, QMessageBox::Ok);
}
} // namespace

void MainWindow::on_toolButton_Save_clicked()
{
    const FileTexts texts = fileTexts(params().LangChinese);
    TransferScope transfer(this);
    if (!transfer.started())
        return;
    waitMs(m_pacing.debounceMs);

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
        setOutcome(StatusTexts::fileOutcome(StatusTexts::Command::Save, name, false, StatusTexts::notSent()));
        transfer.finish();
        showFileError(this, texts);
        return;
    }

    beginSending(StatusTexts::Command::Save);
    SendData1();
    SendData2();
    SendData3();
    SendData4();
    const QString sent = finishSending(StatusTexts::Command::Save);

    QString error;
    const bool saved = writeParameterFile(path, parameterFileBytes(frames()), &error);
    setOutcome(StatusTexts::fileOutcome(StatusTexts::Command::Save, name, saved, sent));
    if (!saved) {
        qWarning() << "Saving" << path << "failed:" << error;
        transfer.finish();
        showFileError(this, texts);
    }
}

// The trims are held while a file is chosen, read and sent, so live packets
// cannot replace the trims the file brings.
void MainWindow::on_toolButton_Load_clicked()
{
    const FileTexts texts = fileTexts(params().LangChinese);
    TransferScope transfer(this);
    if (!transfer.started())
        return;
    params().TrimHold = 1;
    waitMs(m_pacing.debounceMs);

    {
        const TransferScope::NormalCursor choosing(transfer);
        loadPath = QFileDialog::getOpenFileName(this, texts.openTitle, QStringLiteral("./"), texts.openFilter);
    }
    if (loadPath.isEmpty()) {
        Dr_DataSelet();
        FalseSaveData();
        params().TrimHold = 0;
        return;
    }

    const QString name = QFileInfo(loadPath).fileName();
    const QString notLoaded = StatusTexts::fileOutcome(StatusTexts::Command::Load, name, false, StatusTexts::notSent());
    QString text;
    if (!readParameterFileText(loadPath, &text)) {
        setOutcome(notLoaded);
        loadPath.clear();
        transfer.finish();
        showFileError(this, texts);
        params().TrimHold = 0;
        return;
    }
    loadedFileText() = text;

    // A file in which not one frame is recognised is not a parameter file:
    // nothing of it is taken and nothing is sent.
    if (!decodeParameterFile(loadedFileText(), params()).any()) {
        setOutcome(notLoaded);
        transfer.finish();
        showFileError(this, texts);
        params().TrimHold = 0;
        return;
    }

    beginSending(StatusTexts::Command::Load);
    // Out-of-range values from a damaged file must never reach the servos.
    FalseSaveData();
    sendFramesAndFinish();
    setOutcome(StatusTexts::fileOutcome(StatusTexts::Command::Load, name, true,
                                        finishSending(StatusTexts::Command::Load)));
    params().TrimHold = 0;
    Dr_DataSelet();
    FalseSaveData();
}

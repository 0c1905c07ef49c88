// Save and Load: the configuration to and from a parameter file. Both also
// send the frames to the transmitter, as a write does.
#include "app/mainwindow.h"

#include <QDebug>
#include <QFileDialog>
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

    // Find out before anything is sent whether the file can be written at
    // all; the real write below replaces the old file only once the new one
    // is complete.
    if (!canWriteParameterFile(path)) {
        transfer.finish();
        showFileError(this, texts);
        return;
    }

    beginSending(StatusTexts::Command::Save);
    SendData1();
    SendData2();
    SendData3();
    SendData4();
    recordSent(StatusTexts::Command::Save);

    QString error;
    if (!writeParameterFile(path, parameterFileBytes(frames()), &error)) {
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

    QString text;
    if (!readParameterFileText(loadPath, &text)) {
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
        transfer.finish();
        showFileError(this, texts);
        params().TrimHold = 0;
        return;
    }

    beginSending(StatusTexts::Command::Load);
    // Out-of-range values from a damaged file must never reach the servos.
    FalseSaveData();
    sendFramesAndFinish();
    recordSent(StatusTexts::Command::Load);
    params().TrimHold = 0;
    Dr_DataSelet();
    FalseSaveData();
}

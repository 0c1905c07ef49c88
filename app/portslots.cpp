// Opening and closing the port, the port list and the connection lamp.
#include "app/mainwindow.h"

#include <QComboBox>
#include <QDir>
#include <QIcon>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSignalBlocker>
#include <QToolButton>

#include "app/messagetexts.h"
#include "link/portlist.h"
#include "link/protocol.h"
#include "model/parameterset.h"
#include "ui/mainform.h"

namespace {
const QString kLampOff = QStringLiteral(":/myImage/images/red.png");
const QString kLampOn = QStringLiteral(":/myImage/images/green.png");
} // namespace

void MainWindow::fillPortList()
{
    ui->portNameBox->clear();
    ui->portNameBox->addItems(availablePortNames());
}

void MainWindow::on_openButton_clicked()
{
    const PortTexts texts = portTexts(params().LangChinese);
    if (portIsOpen()) {
        closePort(true);
        return;
    }

    serialPort.setPortName(ui->portNameBox->currentText());
    Protocol::applyLineSettings(serialPort);
    if (!serialPort.open(QIODevice::ReadWrite)) {
        serialPort.clearError();
        showPortMessage(texts.cannotOpen);
        return;
    }
    ui->portNameBox->setEnabled(false);
    ui->openButton->setText(texts.closeCaption);
    ui->toolButton_led->setIcon(QIcon(kLampOn));
    writeToPort(Protocol::hello());
}

// The closed state: channels centred at once, the list usable and rescanned.
// sayGoodbye is false when the device has gone away and nothing can be sent.
void MainWindow::closePort(bool sayGoodbye)
{
    if (sayGoodbye && serialPort.isOpen()) {
        // Nothing may follow the goodbye. The wait below reads the port
        // too and announces what it read, so input is not handled (and not
        // acknowledged) until the port is closed.
        m_goodbyeSaid = true;
        const QSignalBlocker quiet(serialPort);
        serialPort.write(Protocol::goodbye());
        // Give the three bytes a bounded chance to reach the line before the
        // port goes away.
        serialPort.waitForBytesWritten(Protocol::kGoodbyeFlushMs);
    }
    serialPort.close();
    m_goodbyeSaid = false;
    serialPort.clearError();

    for (int ch = 0; ch < 8; ++ch)
        channelOutput(ch).of(params()) = 1000;
    Servo_Display();

    ui->portNameBox->setEnabled(true);
    ui->openButton->setText(openCaption());
    ui->toolButton_led->setIcon(QIcon(kLampOff));
    fillPortList();
}

void MainWindow::serialPort_errorOccurred(QSerialPort::SerialPortError error)
{
    const bool deviceGone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (deviceGone && serialPort.isOpen() && portIsOpen())
        closePort(false);
}

void MainWindow::writeToPort(const QByteArray &bytes)
{
    if (!m_goodbyeSaid)
        Protocol::writeIfOpen(serialPort, bytes);
}

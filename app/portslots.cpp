// Opening and closing the port, the port list and the connection lamp.
#include "app/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QToolButton>

#include "app/commandhelp.h"
#include "app/messagetexts.h"
#include "app/portchooser.h"
#include "app/startup.h"
#include "files/backups.h"
#include "link/portlist.h"
#include "model/parameterset.h"
#include "model/translations.h"
#include "ui/mainform.h"
#include "ui/sizedicon.h"

namespace {
const QString kLampOff = QStringLiteral(":/myImage/images/red.png");
const QString kLampOn = QStringLiteral(":/myImage/images/green.png");
} // namespace

void MainWindow::setUpPortList()
{
    m_ports = new PortChooser(ui->portNameBox, [this] { return portIsOpen(); }, this);
    m_ports->start(extraPortsFromEnvironment());
}

bool MainWindow::choosePort(const QString &name)
{
    return m_ports->choose(name);
}

bool MainWindow::preferPort(const QString &name, const QString &identity)
{
    return m_ports->prefer(name, identity);
}

void MainWindow::on_openButton_clicked()
{
    if (portIsOpen()) {
        closePort(true);
        return;
    }

    // The chosen port is unplugged: it is not there to open, and no other
    // port is opened in its place.
    if (m_ports->chosenIsAbsent()) {
        showOpenFailure(m_ports->chosen(), QCoreApplication::translate("ConnectionCheckWindow", "串口已拔出"));
        return;
    }
    if (!m_conversation.open(m_ports->chosen())) {
        showOpenFailure(m_ports->chosen(), port().errorString());
        return;
    }
    m_ports->opened();
    showPortState();
    m_answer.start();
    forgetTransmitter();
    // Chosen again at the next start while it is there.
    QSettings().setValue(lastPortKey(), m_ports->chosen());
    QSettings().setValue(lastPortIdentityKey(), m_ports->identityOf(m_ports->chosen()));
}

// The closed state: channels centred at once, the list usable and rescanned.
// sayGoodbye is false when the device has gone away and nothing can be sent.
void MainWindow::closePort(bool sayGoodbye)
{
    m_conversation.close(sayGoodbye);

    for (int ch = 0; ch < 8; ++ch)
        channelOutput(ch).of(params()) = 1000;
    Servo_Display();

    showPortState();
    m_ports->closed();
    forgetTransmitter();
}

// The open button's caption, the lamp and the port list follow the port.
void MainWindow::showPortState()
{
    const bool open = portIsOpen();
    const PortTexts texts = portTexts();
    ui->openButton->setText(open ? texts.closeCaption : texts.openCaption);
    // A new caption replaces the button's shortcut with its mnemonic.
    ui->openButton->setShortcut(CommandHelp::shortcut(ui->openButton->objectName()));
    ui->toolButton_led->setIcon(iconForSize(open ? kLampOn : kLampOff, ui->toolButton_led->iconSize()));
    ui->portNameBox->setEnabled(!open);
}

void MainWindow::portLost()
{
    if (portIsOpen()) {
        // Kept in the list as the choice, marked as not connected.
        m_ports->lost();
        m_statusView.showInterruption(StatusPresenter::Interruption::ConnectionLost);
        closePort(false);
    }
}

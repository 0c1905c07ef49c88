// Opening and closing the port, the port list and the connection lamp.
#include "app/mainwindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QToolButton>

#include "app/commandhelp.h"
#include "app/messagetexts.h"
#include "app/portlistview.h"
#include "app/startup.h"
#include "files/backups.h"
#include "link/portlist.h"
#include "model/parameterset.h"
#include "model/translations.h"
#include "ui/mainform.h"
#include "ui/portbox.h"
#include "ui/sizedicon.h"

namespace {
const QString kLampOff = QStringLiteral(":/myImage/images/red.png");
const QString kLampOn = QStringLiteral(":/myImage/images/green.png");
// How often the closed port's list looks for a change.
constexpr int kPortWatchMs = 1000;

} // namespace

void MainWindow::setUpPortList()
{
    // Read once: the list keeps following these paths while they come and go.
    m_extraPorts = extraPortsFromEnvironment();
    m_portWatch.changed(m_extraPorts);
    rescanPorts();
    ui->portNameBox->installEventFilter(this);
    PortBox::install(ui->portNameBox);
    connect(ui->portNameBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::showPortToolTip);
    // Emitted for the user's own picks only, not for the list's.
    connect(ui->portNameBox, QOverload<int>::of(&QComboBox::activated), this,
            [this](int index) {
                m_wantedPort = ui->portNameBox->itemData(index, Qt::UserRole).toString();
                m_wantedIdentity = identityOfPort(m_wantedPort);
                if (m_wantedPort != m_absentPort && !m_absentPort.isEmpty()) {
                    // Another port chosen: the unplugged one leaves the list.
                    m_absentPort.clear();
                    showPortList({false, m_shownPorts, indexOfName(m_shownPorts, m_wantedPort)});
                }
            });
    m_portScanTimer = new QTimer(this);
    connect(m_portScanTimer, &QTimer::timeout, this, &MainWindow::followPorts);
    m_portScanTimer->start(kPortWatchMs);
}

// Asking the system for its ports is dear, so the list is scanned again only
// when the watch has seen something change.
void MainWindow::followPorts()
{
    // While the popup is open the change stays pending, not seen and lost.
    if (QApplication::activePopupWidget())
        return;
    if (m_portWatch.changed(m_extraPorts))
        rescanPorts();
}

// The box is touched only when the ports differ from the ones on show, so an
// unchanged list never flickers.
void MainWindow::rescanPorts()
{
    // Not under the pointer of someone picking from an open popup.
    if (portIsOpen() || QApplication::activePopupWidget())
        return;
    const QVector<PortEntry> found = scanPorts(m_extraPorts);
    const QString chosen = chosenPortName();
    if (m_absentPort.isEmpty() && !chosen.isEmpty() && indexOfName(m_shownPorts, chosen) >= 0
        && indexOfName(found, chosen) < 0) {
        // The chosen port went while closed: it keeps its place, marked, as
        // one that went while open does, and is chosen again when it comes.
        m_wantedIdentity = identityOfPort(chosen);
        m_wantedPort = chosen;
        m_absentPort = chosen;
    }
    // Its adapter back under another name is the same choice.
    if (!m_wantedIdentity.isEmpty() && indexOfIdentity(found, m_wantedIdentity) >= 0)
        m_absentPort.clear();
    const PortListUpdate update = updatePortList(m_shownPorts, chosen, found, m_wantedPort, m_wantedIdentity);
    if (!update.changed)
        return;
    m_shownPorts = update.ports;
    showPortList(update);
}

void MainWindow::showPortList(const PortListUpdate &update)
{
    const PortListView::View view = PortListView::view(update.ports, update.current, m_absentPort);
    if (view.items.isEmpty() || !view.items.first().absent)
        m_absentPort.clear(); // back, or never lost
    QComboBox *box = ui->portNameBox;
    box->clear();
    int widest = 0;
    for (const PortListView::Item &item : view.items) {
        box->addItem(item.text, item.name);
        box->setItemData(box->count() - 1, item.toolTip, Qt::ToolTipRole);
        box->setItemData(box->count() - 1, item.boxText, PortBox::kBoxTextRole);
        widest = qMax(widest, box->view()->fontMetrics().horizontalAdvance(item.text));
    }
    // The popup as wide as its longest entry ("/dev/pts/1"), never narrower
    // than the box.
    box->view()->setMinimumWidth(qMax(box->width(), widest + 24));
    m_shownPortItems = view.items;
    box->setCurrentIndex(view.current);
    showPortToolTip();
}

// The closed box may show its choice shortened: the tooltip has it whole.
void MainWindow::showPortToolTip()
{
    const int index = ui->portNameBox->currentIndex();
    const QString help = CommandHelp::toolTip(ui->portNameBox->objectName(), Backups::defaultDirectory());
    ui->portNameBox->setToolTip(index >= 0 && index < m_shownPortItems.size()
                                        ? PortListView::boxToolTip(m_shownPortItems.at(index), help)
                                        : help);
}

// The identity of the adapter behind a listed port (empty for none).
QString MainWindow::identityOfPort(const QString &name) const
{
    const int index = indexOfName(m_shownPorts, name);
    return index < 0 ? QString() : m_shownPorts.at(index).identity;
}

QString MainWindow::chosenPortName() const
{
    const QVariant name = ui->portNameBox->currentData(Qt::UserRole);
    return name.isValid() ? name.toString() : ui->portNameBox->currentText();
}

bool MainWindow::choosePort(const QString &given)
{
    const QString name = canonicalPortName(given);
    if (!name.isEmpty() && ui->portNameBox->findText(name) < 0 && !m_extraPorts.contains(name)) {
        m_extraPorts.prepend(name);
        rescanPorts();
    }
    return preferPort(name);
}

bool MainWindow::preferPort(const QString &given, const QString &identity)
{
    m_wantedPort = canonicalPortName(given);
    m_wantedIdentity = identity;
    int index = indexOfIdentity(m_shownPorts, identity);
    if (index < 0)
        index = m_wantedPort.isEmpty() ? -1 : ui->portNameBox->findText(m_wantedPort);
    if (index < 0)
        return false;
    ui->portNameBox->setCurrentIndex(index);
    return true;
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The popup opens on a press of the mouse or of a key (space, F4,
    // Alt+Down); the list is brought up to date before it does.
    if (watched == ui->portNameBox
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress))
        rescanPorts();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::on_openButton_clicked()
{
    if (portIsOpen()) {
        closePort(true);
        return;
    }

    // The chosen port is unplugged: it is not there to open, and no other
    // port is opened in its place.
    if (!m_absentPort.isEmpty() && chosenPortName() == m_absentPort) {
        showOpenFailure(m_absentPort, QCoreApplication::translate("ConnectionCheckWindow", "串口已拔出"));
        return;
    }
    if (!m_conversation.open(chosenPortName())) {
        showOpenFailure(chosenPortName(), port().errorString());
        return;
    }
    m_portScanTimer->stop();
    m_wantedPort = chosenPortName();
    m_wantedIdentity = identityOfPort(m_wantedPort);
    showPortState();
    watchForAnswer();
    forgetTransmitter();
    // Chosen again at the next start while it is there.
    QSettings().setValue(lastPortKey(), chosenPortName());
    QSettings().setValue(lastPortIdentityKey(), m_wantedIdentity);
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
    rescanPorts();
    m_portScanTimer->start();
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
        m_absentPort = m_wantedPort;
        showInterruption(Interruption::ConnectionLost);
        closePort(false);
    }
}

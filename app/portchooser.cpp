#include "app/portchooser.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QTimer>

#include "app/commandhelp.h"
#include "files/backups.h"
#include "ui/portbox.h"

namespace {
// How often the closed port's list looks for a change.
constexpr int kPortWatchMs = 1000;
} // namespace

PortChooser::PortChooser(QComboBox *box, std::function<bool()> portIsOpen, QObject *parent)
    : QObject(parent)
    , m_box(box)
    , m_portIsOpen(std::move(portIsOpen))
{
}

void PortChooser::start(const QStringList &extraPorts)
{
    // Read once: the list keeps following these paths while they come and go.
    m_extraPorts = extraPorts;
    m_watch.changed(m_extraPorts);
    rescan();
    m_box->installEventFilter(this);
    PortBox::install(m_box);
    connect(m_box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &PortChooser::showToolTip);
    // Emitted for the pilot's own picks only, not for the list's.
    connect(m_box, QOverload<int>::of(&QComboBox::activated), this, &PortChooser::pickedByUser);
    m_scanTimer = new QTimer(this);
    connect(m_scanTimer, &QTimer::timeout, this, &PortChooser::follow);
    m_scanTimer->start(kPortWatchMs);
}

void PortChooser::pickedByUser(int index)
{
    m_wanted = m_box->itemData(index, Qt::UserRole).toString();
    m_wantedIdentity = identityOf(m_wanted);
    if (m_wanted != m_absent && !m_absent.isEmpty()) {
        // Another port chosen: the unplugged one leaves the list.
        m_absent.clear();
        show({false, m_shown, indexOfName(m_shown, m_wanted)});
    }
}

// Asking the system for its ports is dear, so the list is scanned again only
// when the watch has seen something change.
void PortChooser::follow()
{
    // While the popup is open the change stays pending, not seen and lost.
    if (QApplication::activePopupWidget())
        return;
    if (m_watch.changed(m_extraPorts))
        rescan();
}

// The box is touched only when the ports differ from the ones on show, so an
// unchanged list never flickers.
void PortChooser::rescan()
{
    // Not under the pointer of someone picking from an open popup.
    if (m_portIsOpen() || QApplication::activePopupWidget())
        return;
    const QVector<PortEntry> found = scanPorts(m_extraPorts);
    const QString current = chosen();
    if (m_absent.isEmpty() && !current.isEmpty() && indexOfName(m_shown, current) >= 0
        && indexOfName(found, current) < 0) {
        // The chosen port went while closed: it keeps its place, marked, as
        // one that went while open does, and is chosen again when it comes.
        m_wantedIdentity = identityOf(current);
        m_wanted = current;
        m_absent = current;
    }
    // Its adapter back under another name is the same choice.
    if (!m_wantedIdentity.isEmpty() && indexOfIdentity(found, m_wantedIdentity) >= 0)
        m_absent.clear();
    const PortListUpdate update = updatePortList(m_shown, current, found, m_wanted, m_wantedIdentity);
    if (!update.changed)
        return;
    m_shown = update.ports;
    show(update);
}

void PortChooser::retranslate()
{
    show({false, m_shown, indexOfName(m_shown, chosen())});
}

void PortChooser::show(const PortListUpdate &update)
{
    const PortListView::View view = PortListView::view(update.ports, update.current, m_absent);
    if (view.items.isEmpty() || !view.items.first().absent)
        m_absent.clear(); // back, or never lost
    m_box->clear();
    int widest = 0;
    for (const PortListView::Item &item : view.items) {
        m_box->addItem(item.text, item.name);
        m_box->setItemData(m_box->count() - 1, item.toolTip, Qt::ToolTipRole);
        m_box->setItemData(m_box->count() - 1, item.boxText, PortBox::kBoxTextRole);
        widest = qMax(widest, m_box->view()->fontMetrics().horizontalAdvance(item.text));
    }
    // The popup as wide as its longest entry ("/dev/pts/1"), never narrower
    // than the box.
    m_box->view()->setMinimumWidth(qMax(m_box->width(), widest + 24));
    m_items = view.items;
    m_box->setCurrentIndex(view.current);
    showToolTip();
}

// The closed box may show its choice shortened: the tooltip has it whole.
void PortChooser::showToolTip()
{
    const int index = m_box->currentIndex();
    const QString help = CommandHelp::toolTip(m_box->objectName(), Backups::defaultDirectory());
    m_box->setToolTip(index >= 0 && index < m_items.size() ? PortListView::boxToolTip(m_items.at(index), help)
                                                          : help);
}

QString PortChooser::identityOf(const QString &name) const
{
    const int index = indexOfName(m_shown, name);
    return index < 0 ? QString() : m_shown.at(index).identity;
}

QString PortChooser::chosen() const
{
    const QVariant name = m_box->currentData(Qt::UserRole);
    return name.isValid() ? name.toString() : m_box->currentText();
}

bool PortChooser::chosenIsAbsent() const
{
    return !m_absent.isEmpty() && chosen() == m_absent;
}

bool PortChooser::choose(const QString &given)
{
    const QString name = canonicalPortName(given);
    if (!name.isEmpty() && m_box->findText(name) < 0 && !m_extraPorts.contains(name)) {
        m_extraPorts.prepend(name);
        rescan();
    }
    return prefer(name);
}

bool PortChooser::prefer(const QString &given, const QString &identity)
{
    m_wanted = canonicalPortName(given);
    m_wantedIdentity = identity;
    int index = indexOfIdentity(m_shown, identity);
    if (index < 0)
        index = m_wanted.isEmpty() ? -1 : m_box->findText(m_wanted);
    if (index < 0)
        return false;
    m_box->setCurrentIndex(index);
    return true;
}

void PortChooser::opened()
{
    m_scanTimer->stop();
    m_wanted = chosen();
    m_wantedIdentity = identityOf(m_wanted);
}

void PortChooser::closed()
{
    rescan();
    m_scanTimer->start();
}

void PortChooser::lost()
{
    m_absent = m_wanted;
}

bool PortChooser::eventFilter(QObject *watched, QEvent *event)
{
    // The popup opens on a press of the mouse or of a key (space, F4,
    // Alt+Down); the list is brought up to date before it does.
    if (watched == m_box && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress))
        rescan();
    return QObject::eventFilter(watched, event);
}

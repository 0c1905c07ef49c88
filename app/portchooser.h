#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

#include "app/portlistview.h"
#include "link/portlist.h"
#include "link/portwatch.h"

class QComboBox;
class QTimer;

// The port list of the window: which ports there are, which one the pilot
// chose, and the chosen one while it is unplugged. While the port is closed
// the list follows what is plugged in; the pilot's choice comes back with its
// port, also under a new name when its adapter has an identity.
class PortChooser : public QObject
{
    Q_OBJECT

public:
    // box: the list it fills; portIsOpen: whether the chosen port is open now
    // (the list holds still then).
    PortChooser(QComboBox *box, std::function<bool()> portIsOpen, QObject *parent = nullptr);

    // Starts following the system's ports and the given extra paths.
    void start(const QStringList &extraPorts);

    // The name that opens the chosen entry.
    QString chosen() const;
    // The identity of the adapter behind a listed port (empty for none).
    QString identityOf(const QString &name) const;
    // The chosen entry is the unplugged port, not there to open.
    bool chosenIsAbsent() const;

    // name becomes the choice; a name the system does not list is added like
    // an extra port. False when it is not in the list now.
    bool choose(const QString &name);
    // name (or the port of identity) becomes the choice without being added:
    // chosen now when listed, and again when it returns while the port is
    // closed, until another is chosen.
    bool prefer(const QString &name, const QString &identity = QString());

    // The chosen port opened: the list holds still, the choice is kept.
    void opened();
    // The port closed: the list is brought up to date and followed again.
    void closed();
    // The open port vanished: it stays in the list, marked, as the choice.
    void lost();

    // The entries again in the window's language.
    void retranslate();
    // Looks for a change now (the list also does so by itself every second
    // while the port is closed).
    void rescan();

protected:
    // Rescans as the pilot goes to open the popup.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();
    void show(const PortListUpdate &update);
    void showToolTip();
    void pickedByUser(int index);

    QComboBox *m_box;
    std::function<bool()> m_portIsOpen;
    QTimer *m_scanTimer = nullptr;
    PortWatch m_watch;
    QStringList m_extraPorts;
    QVector<PortEntry> m_shown;
    QVector<PortListView::Item> m_items; // the entries on show
    QString m_wanted;         // the pilot's own choice, restored when it returns
    QString m_wantedIdentity; // its adapter's identity: found again under a new name
    QString m_absent;         // the chosen port, unplugged, kept in the list as such
};

#pragma once

#include <QString>
#include <QVector>

#include "link/portlist.h"

// How the port list shows the ports: the texts and tooltips of its entries in
// the window's language, and the chosen port while it is unplugged.
namespace PortListView {

struct Item
{
    QString text;    // what the list shows
    QString name;    // what opens it (Qt::UserRole)
    QString boxText; // what the closed box shows: the name without "/dev/"
    QString toolTip;
    bool absent = false; // the chosen port, not there now
};

struct View
{
    QVector<Item> items;
    int current = -1;
};

// The entries of ports with current chosen. A port lost while it was open
// (absent, not among ports) stays first and chosen, marked "（未连接）", so
// that Open is not pressed on another port by mistake.
View view(const QVector<PortEntry> &ports, int current, const QString &absent);

// "（未连接）ttyUSB0" / "(not connected) ttyUSB0": the mark first, where the
// narrow box shows it even when a long name is cut.
QString notConnected(const QString &name);

// "ttyUSB0" for "/dev/ttyUSB0", "pts/3" for "/dev/pts/3", "plane" for
// "/home/pilot/plane"; "× ttyUSB0" for an unplugged one: the closed box is
// narrow.
QString boxText(const QString &name, bool absent);

// The box's tooltip: the entry in full, what the system says of it, then
// what the box is for (help).
QString boxToolTip(const Item &item, const QString &help);

// The tooltip the port list reports (description, manufacturer, USB id, or
// that it was given by the user) in the window's language.
QString localDetails(const QString &details);

} // namespace PortListView

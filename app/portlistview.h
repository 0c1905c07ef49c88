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

// The tooltip the port list reports (description, manufacturer, USB id, or
// that it was given by the user) in the window's language.
QString localDetails(const QString &details);

} // namespace PortListView

#include "app/portlistview.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace PortListView {

namespace {

// The port list reports its details in fixed English words (they are what
// the command-line tool prints); the window says them in its own language.
struct DetailWords
{
    const char *reported;
    const char *local;
};

const DetailWords kDetailWords[] = {
    {"Description: ", QT_TRANSLATE_NOOP("PortListView", "描述：%1")},
    {"Manufacturer: ", QT_TRANSLATE_NOOP("PortListView", "制造商：%1")},
    {"USB ID: ", QT_TRANSLATE_NOOP("PortListView", "USB ID：%1")},
    {"No details reported", QT_TRANSLATE_NOOP("PortListView", "系统未提供详细信息")},
    {"Added through KELVO_EXTRA_PORTS or --port",
     QT_TRANSLATE_NOOP("PortListView", "由 KELVO_EXTRA_PORTS 或 --port 添加")},
};

QString localLine(const QString &line)
{
    for (const DetailWords &words : kDetailWords) {
        const QString reported = QString::fromLatin1(words.reported);
        const QString local = QCoreApplication::translate("PortListView", words.local);
        if (!reported.endsWith(QLatin1Char(' ')) && line == reported)
            return local;
        if (reported.endsWith(QLatin1Char(' ')) && line.startsWith(reported))
            return local.arg(line.mid(reported.size()));
    }
    return line;
}

} // namespace

QString notConnected(const QString &name)
{
    return QCoreApplication::translate("PortListView", "（未连接）%1").arg(name);
}

QString boxText(const QString &name, bool absent)
{
    // A device by its name under /dev ("pts/3"); any other path, such as
    // a link the pilot made, by its own name.
    const QString dev = QStringLiteral("/dev/");
    const QString shorter = name.startsWith(dev) ? name.mid(dev.size())
            : name.contains(QLatin1Char('/'))    ? name.section(QLatin1Char('/'), -1)
                                                 : name;
    return absent ? QStringLiteral("\u00d7 ") + shorter : shorter;
}

QString boxToolTip(const Item &item, const QString &help)
{
    QStringList lines{item.text};
    if (!item.toolTip.isEmpty())
        lines.append(item.toolTip);
    if (!help.isEmpty())
        lines.append(help);
    return lines.join(QLatin1Char('\n'));
}

QString localDetails(const QString &details)
{
    QStringList lines = details.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = localLine(line);
    return lines.join(QLatin1Char('\n'));
}

View view(const QVector<PortEntry> &ports, int current, const QString &absent)
{
    View out;
    const bool keepAbsent = !absent.isEmpty()
            && std::none_of(ports.cbegin(), ports.cend(), [&](const PortEntry &p) { return p.name == absent; });
    if (keepAbsent) {
        out.items.append({notConnected(absent), absent, boxText(absent, true),
                          QCoreApplication::translate("PortListView", "未连接：插回后自动选中"), true});
    }
    for (const PortEntry &port : ports)
        out.items.append({port.name, port.name, boxText(port.name, false), localDetails(port.details), false});
    out.current = keepAbsent ? 0 : current;
    return out;
}

} // namespace PortListView

#include "support/sheetrows.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include "model/defaults.h"
#include "model/dualrate.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "model/setupcompare.h"

namespace {

QString unescaped(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

} // namespace

SheetContent readSheetHtml(const QString &html)
{
    static const QRegularExpression heading(QStringLiteral("^<h([23])>(.*)</h\\1>$"));
    static const QRegularExpression row(QStringLiteral("^<tr>(<td[^>]*>.*</td>)</tr>$"));
    static const QRegularExpression cell(QStringLiteral("<td[^>]*>(.*?)</td>"));
    static const QRegularExpression bold(QStringLiteral("</?b>"));
    SheetContent out;
    QString page;
    QString group;
    for (const QString &line : html.split(QLatin1Char('\n'))) {
        QRegularExpressionMatch m = heading.match(line);
        if (m.hasMatch()) {
            (m.captured(1) == QLatin1String("2") ? page : group) = unescaped(m.captured(2));
            continue;
        }
        m = row.match(line);
        if (!m.hasMatch())
            continue;
        QStringList cells;
        for (auto it = cell.globalMatch(m.captured(1)); it.hasNext();)
            cells.append(unescaped(it.next().captured(1).remove(bold)));
        // Name and value, as many pairs as the row holds; an empty pair ends it.
        for (int i = 0; i + 1 < cells.size() && !cells.at(i).isEmpty(); i += 2) {
            if (page.isEmpty())
                out.header.append(cells.at(i) + QStringLiteral(": ") + cells.at(i + 1));
            else
                out.rows.append({page, group, cells.at(i), cells.at(i + 1)});
        }
    }
    return out;
}

QVector<SheetRow> expectedSheetRows(const ParameterSet &p)
{
    QVector<SheetRow> out;
    for (const SettingGroup &group : settingGroups()) {
        for (const Setting *s : group.settings) {
            const SettingPlace place = settingPlace(*s);
            out.append({place.page, place.group, place.name, settingValueText(*s, p)});
        }
    }
    return out;
}

ParameterSet randomSetup(unsigned seed)
{
    QRandomGenerator random(seed);
    ParameterSet p;
    for (const Setting &s : settings()) {
        if (s.volts) {
            p.*s.volts = random.bounded(int(s.validMin * 10), int(s.validMax * 10) + 1) / 10.0;
        } else {
            s.member.of(p) = random.bounded(int(s.validMin), int(s.validMax) + 1);
        }
    }
    sanitizeParameters(p);
    selectDualRate(p);
    return p;
}

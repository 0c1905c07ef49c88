#include "files/setupsheet.h"

#include <QCoreApplication>
#include <QCryptographicHash>

#include "files/parameterfile.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "model/setupcompare.h"

namespace SetupSheet {

namespace {

QString tr(const char *source)
{
    return QCoreApplication::translate("SetupSheet", source);
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// QTextDocument takes the colours from attributes and simple styles; every
// one is given, so no theme or viewer greys a value.
const char kStyle[] =
        "body { color: #000000; background-color: #ffffff; font-size: 10pt; }\n"
        "h1 { font-size: 16pt; margin: 0; }\n"
        "h2 { font-size: 13pt; margin-top: 14px; margin-bottom: 4px; }\n"
        "h3 { font-size: 10.5pt; margin-top: 8px; margin-bottom: 2px; }\n"
        "td { color: #000000; padding: 2px 6px; }\n";

constexpr int kPerRow = 2;

QString headerRow(const QString &name, const QString &value)
{
    return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>\n").arg(escaped(name), escaped(value));
}

} // namespace

QString checksum(const ParameterSet &p)
{
    return QString::fromLatin1(
            QCryptographicHash::hash(parameterFileBytes(p), QCryptographicHash::Sha1).toHex().left(8));
}

QString fileSource(const QString &fileName)
{
    return tr("文件 %1").arg(fileName);
}

QString transmitterSource(const QString &port)
{
    return port.isEmpty() ? tr("遥控器") : tr("遥控器 %1").arg(port);
}

QString html(const ParameterSet &p, const QString &source, const QDateTime &when)
{
    const QString title = tr("设定表");
    QString out;
    out += QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>%1 · %2</title>\n<style>\n%3</style>\n"
                          "</head>\n<body bgcolor=\"#ffffff\" text=\"#000000\">\n")
                   .arg(escaped(title), escaped(source), QLatin1String(kStyle));
    out += QStringLiteral("<h1>%1</h1>\n<table cellspacing=\"0\">\n").arg(escaped(title));
    out += headerRow(tr("来源"), source);
    out += headerRow(tr("日期"), when.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    out += headerRow(tr("校验"), checksum(p));
    out += QStringLiteral("</table>\n");

    QString page;
    for (const SettingGroup &group : settingGroups()) {
        const SettingPlace first = settingPlace(*group.settings.first());
        if (first.page != page) {
            page = first.page;
            out += QStringLiteral("<h2>%1</h2>\n").arg(escaped(page));
        }
        out += QStringLiteral("<h3>%1</h3>\n<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                              "style=\"border-color: #000000; border-style: solid;\">\n")
                       .arg(escaped(first.group));
        // Two settings a row, in reading order, so a sheet fits on fewer pages.
        for (int i = 0; i < group.settings.size(); i += kPerRow) {
            out += QStringLiteral("<tr>");
            for (int j = i; j < i + kPerRow; ++j) {
                const Setting *s = group.settings.value(j);
                out += s ? QStringLiteral("<td width=\"30%\">%1</td><td width=\"20%\">%2</td>")
                                   .arg(escaped(settingPlace(*s).name), escaped(settingValueText(*s, p)))
                         : QStringLiteral("<td></td><td></td>");
            }
            out += QStringLiteral("</tr>\n");
        }
        out += QStringLiteral("</table>\n");
    }
    out += QStringLiteral("</body></html>\n");
    return out;
}

} // namespace SetupSheet

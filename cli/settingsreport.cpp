#include "cli/settingsreport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

#include "cli/clitext.h"
#include "model/parameterset.h"
#include "model/settings.h"

namespace {

QJsonValue rawValue(const Setting &setting, const ParameterSet &p)
{
    if (setting.volts) {
        const double volts = p.*setting.volts;
        return std::isfinite(volts) ? QJsonValue(std::round(volts * 10.0) / 10.0) : QJsonValue();
    }
    return setting.member.of(p);
}

} // namespace

QStringList settingsListing(const ParameterSet &p)
{
    QStringList lines;
    for (const Setting &s : settings())
        lines.append(Cli::tr("%1: %2").arg(settingLabel(s), settingValueText(s, p)));
    return lines;
}

QByteArray settingsJson(const ParameterSet &p)
{
    QJsonArray array;
    for (const Setting &s : settings()) {
        array.append(QJsonObject{
                {QStringLiteral("key"), s.key},
                {QStringLiteral("page"), settingPageTitle(s)},
                {QStringLiteral("label"), settingLabel(s)},
                {QStringLiteral("value"), settingValueText(s, p)},
                {QStringLiteral("raw"), rawValue(s, p)},
                {QStringLiteral("unit"), s.unit},
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

QStringList differenceListing(const ParameterSet &a, const ParameterSet &b)
{
    QStringList lines;
    const QVector<const Setting *> differing = differingSettings(a, b);
    for (const Setting *s : differing)
        lines.append(Cli::tr("%1: %2 -> %3").arg(settingLabel(*s), settingValueText(*s, a), settingValueText(*s, b)));
    return lines;
}

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

QString valueText(const Setting &setting, const ParameterSet &p, const FileDecodeResult &frames)
{
    return settingKnown(setting, frames) ? settingValueText(setting, p) : unknownValueText();
}

} // namespace

QString unknownValueText()
{
    return Cli::tr("未知");
}

QStringList settingsListing(const ParameterSet &p, const FileDecodeResult &frames)
{
    QStringList lines;
    for (const Setting &s : settings())
        lines.append(Cli::tr("%1: %2").arg(settingLabel(s), valueText(s, p, frames)));
    return lines;
}

QByteArray settingsJson(const ParameterSet &p, const FileDecodeResult &frames)
{
    QJsonArray array;
    for (const Setting &s : settings()) {
        const bool known = settingKnown(s, frames);
        array.append(QJsonObject{
                {QStringLiteral("key"), s.key},
                {QStringLiteral("page"), settingPageTitle(s)},
                {QStringLiteral("label"), settingLabel(s)},
                {QStringLiteral("value"), known ? QJsonValue(settingValueText(s, p)) : QJsonValue()},
                {QStringLiteral("raw"), known ? rawValue(s, p) : QJsonValue()},
                {QStringLiteral("unit"), s.unit},
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

QStringList differenceListing(const ParameterSet &a, const ParameterSet &b, const FileDecodeResult &framesA,
                              const FileDecodeResult &framesB)
{
    QVector<const Setting *> listed;
    for (const Setting &s : settings()) {
        if (!settingKnown(s, framesA) || !settingKnown(s, framesB) || !settingEquals(s, a, b))
            listed.append(&s);
    }
    return changeLines(listed, a, b, QStringLiteral(" / "), QStringLiteral("->"), [&](const Setting &s, bool inA) {
        return inA ? valueText(s, a, framesA) : valueText(s, b, framesB);
    });
}

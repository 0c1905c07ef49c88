#include "model/setupcompare.h"

#include <algorithm>

SettingPlace settingPlace(const Setting &setting)
{
    // The label's own parts, so the sheet and the comparison name a setting
    // exactly as the change lists do.
    const QChar cut(0x1f);
    const QString label = settingLabel(setting, QString(cut));
    return {label.section(cut, 0, 0), label.section(cut, 1, 1), label.section(cut, 2)};
}

QVector<SettingGroup> groupSettings(const QVector<const Setting *> &which)
{
    QVector<SettingGroup> out;
    for (const Setting *s : which) {
        auto it = std::find_if(out.begin(), out.end(), [s](const SettingGroup &g) {
            return g.page == s->page && g.group == s->group;
        });
        if (it == out.end()) {
            out.append({s->page, s->group, {}});
            it = out.end() - 1;
        }
        it->settings.append(s);
    }
    return out;
}

QVector<SettingGroup> settingGroups()
{
    QVector<const Setting *> all;
    for (const Setting &s : settings())
        all.append(&s);
    return groupSettings(all);
}

QVector<CompareGroup> compareSetups(const ParameterSet &left, const ParameterSet &right, bool onlyDifferences)
{
    QVector<CompareGroup> out;
    for (const SettingGroup &g : settingGroups()) {
        CompareGroup group;
        for (const Setting *s : g.settings) {
            const bool differs = !settingEquals(*s, left, right);
            if (onlyDifferences && !differs)
                continue;
            group.rows.append({s, settingValueText(*s, left), settingValueText(*s, right), differs,
                               settingIsEditable(*s)});
        }
        if (group.rows.isEmpty())
            continue;
        const SettingPlace place = settingPlace(*g.settings.first());
        group.page = place.page;
        group.group = place.group;
        out.append(group);
    }
    return out;
}

int countDifferences(const ParameterSet &a, const ParameterSet &b)
{
    return differingSettings(a, b).size();
}

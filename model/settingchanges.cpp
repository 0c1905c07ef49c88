#include "model/settingchanges.h"

#include <algorithm>

namespace {

double valueOf(const Setting &s, const ParameterSet &p)
{
    return s.volts ? p.*s.volts : double(s.member.of(p));
}

} // namespace

QVector<SettingChange> settingChanges(const QVector<const Setting *> &which, const ParameterSet &before,
                                      const ParameterSet &after)
{
    QVector<SettingChange> out;
    for (const Setting *s : which) {
        if (!settingEquals(*s, before, after))
            out.append({s, valueOf(*s, before), valueOf(*s, after)});
    }
    return out;
}

QVector<SettingChange> changesBackTo(const ParameterSet &current, const ParameterSet &known)
{
    QVector<const Setting *> editable;
    for (const Setting &s : settings()) {
        if (settingIsEditable(s))
            editable.append(&s);
    }
    return settingChanges(editable, current, known);
}

void applyChanges(ParameterSet &p, const QVector<SettingChange> &changes, bool after)
{
    for (const SettingChange &c : changes) {
        const double value = after ? c.after : c.before;
        if (c.setting->volts)
            p.*c.setting->volts = value;
        else
            c.setting->member.of(p) = int(value);
    }
}

QVector<SettingChange> mergeChanges(const QVector<SettingChange> &earlier, const QVector<SettingChange> &later)
{
    QVector<SettingChange> out = earlier;
    for (const SettingChange &c : later) {
        auto same = std::find_if(out.begin(), out.end(),
                                 [&c](const SettingChange &o) { return o.setting == c.setting; });
        if (same == out.end())
            out.append(c);
        else
            same->after = c.after;
    }
    out.erase(std::remove_if(out.begin(), out.end(), [](const SettingChange &c) { return c.before == c.after; }),
              out.end());
    return out;
}

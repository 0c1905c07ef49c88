#include "model/settings.h"

#include <QRegularExpression>

#include <cmath>

#include "model/choices.h"
#include "model/formtexts.h"

namespace {

using P = ParameterSet;

struct Place
{
    const char *page;
    const char *group;
};

class TableBuilder
{
public:
    void add(const QString &key, const Place &place, const QString &caption, const QString &detail,
             const QString &editor, QStringList (*choices)() = nullptr, int shownOffset = 0)
    {
        Setting s{key, IntRef(), nullptr, QString::fromLatin1(place.page), QString::fromLatin1(place.group),
                  caption, detail, editor, choices, shownOffset};
        if (const IntParameter *param = findIntParameter(QLatin1String(key.toLatin1())))
            s.member = param->ref;
        else if (const VoltParameter *volt = findVoltParameter(QLatin1String(key.toLatin1())))
            s.volts = volt->ref;
        Q_ASSERT_X(!s.member.isNull() || s.volts, "settings", qPrintable(key));
        rows.append(s);
    }

    QVector<Setting> rows;
};

QString n(const char *pattern, int number)
{
    return QString::fromLatin1(pattern).arg(number);
}

QStringList names(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *name : list)
        out.append(QString::fromLatin1(name));
    return out;
}

void basicMenu(TableBuilder &t)
{
    const QStringList rows = names({"lineEdit_28", "lineEdit_29", "lineEdit_31", "lineEdit_32",
                                    "lineEdit_33", "lineEdit_34", "lineEdit_35", "lineEdit_36"});
    struct Column
    {
        const char *key;
        const char *group;
        const char *detail;
        const char *editor;
        QStringList (*choices)();
    };
    const Column columns[] = {
        {"Rev%1", "groupBox_2", "", "comboBox_rev%1", Choices::phase},
        {"Sub%1", "groupBox_3", "", "spinBox_sub%1", nullptr},
        {"Lepa%1", "groupBox_4", "L", "spinBox_Lepa%1", nullptr},
        {"Repa%1", "groupBox_4", "R", "spinBox_Repa%1", nullptr},
        {"FS%1", "groupBox_14", "", "spinBox_FS%1", nullptr},
        {"Delay%1", "groupBox_5", "", "spinBox_delay%1", nullptr},
    };
    for (const Column &c : columns) {
        for (int ch = 1; ch <= 8; ++ch)
            t.add(n(c.key, ch), {"tab_2", c.group}, rows.at(ch - 1), QString::fromLatin1(c.detail),
                  n(c.editor, ch), c.choices);
    }
    for (int ch = 5; ch <= 8; ++ch)
        t.add(n("Aux%1", ch), {"tab_2", "groupBox_6"}, rows.at(ch - 1), {}, n("comboBox_AUX%1", ch),
              Choices::auxSource);
}

void advancedMenu1(TableBuilder &t)
{
    const Place dualRate{"tab_3", "groupBox_8"};
    t.add("DrMix", dualRate, "lineEdit_53", {}, "comboBox_DR_MIX1", Choices::onOff);
    t.add("DrCh", dualRate, "lineEdit_54", {}, "comboBox_DR_CH1", Choices::dualRateChannel);
    t.add("DrSw", dualRate, "lineEdit_55", {}, "comboBox_DR_SW1", Choices::dualRateSwitch);
    const QStringList channels = Choices::dualRateChannel();
    for (int c = 0; c < 4; ++c)
        t.add(n("DrRateUp%1", c), dualRate, "lineEdit_56", channels.at(c), {});
    for (int c = 0; c < 4; ++c)
        t.add(n("DrRateDown%1", c), dualRate, "lineEdit_57", channels.at(c), {});

    const Place attitude{"tab_3", "groupBox_7"};
    t.add("AttiM", attitude, "lineEdit_45", {}, "comboBox_AttiM", Choices::attitudeChannel);
    for (int i = 1; i <= 6; ++i)
        t.add(n("Atti%1", i), attitude, n("lineEdit_%1", 45 + i), {}, n("spinBox_Atti%1", i));

    const Place elevon{"tab_3", "groupBox_10"};
    t.add("EleMix", elevon, "lineEdit_73", {}, "comboBox_EleMix", Choices::onOff);
    for (int i = 1; i <= 4; ++i)
        t.add(n("Elev%1", i), elevon, n("lineEdit_%1", 73 + i), {}, n("spinBox_Elev0%1", i));
    // The second aileron pair stands beside the first, in a column without
    // captions: the second value of each aileron row.
    t.add("Elev5", elevon, "setting_Elev5", {}, "spinBox_Elev05");
    t.add("Elev6", elevon, "setting_Elev6", {}, "spinBox_Elev06");

    const Place vTail{"tab_3", "groupBox_13"};
    t.add("RuMix", vTail, "lineEdit_78", {}, "comboBox_RuMix", Choices::onOff);
    for (int i = 1; i <= 4; ++i)
        t.add(n("Ru%1", i), vTail, n("lineEdit_%1", 94 + i), {}, n("spinBox_Ru%1", i));
}

void advancedMenu2(TableBuilder &t)
{
    const Place curve{"tab_4", "groupBox_19"};
    t.add("DrPosi", curve, "lineEdit_143", {}, "comboBox_DR_POSI", Choices::switchPosition);
    const QStringList channels = Choices::dualRateChannel();
    const QStringList positions = Choices::switchPosition();
    for (int c = 0; c < 4; ++c)
        t.add(n("DrExpUp%1", c), curve, "lineEdit_145", channels.at(c) + QLatin1Char(' ') + positions.at(0), {});
    for (int c = 0; c < 4; ++c)
        t.add(n("DrExpDown%1", c), curve, "lineEdit_145", channels.at(c) + QLatin1Char(' ') + positions.at(1), {});

    const Place throttle{"tab_4", "groupBox_18"};
    t.add("ThCureMix", throttle, "lineEdit_130", {}, "comboBox_THCURE_MIX", Choices::onOff);
    const QStringList points = names({"lineEdit_126", "lineEdit_125", "lineEdit_127", "lineEdit_128",
                                      "lineEdit_129", "lineEdit_131", "lineEdit_132"});
    for (int i = 1; i <= 7; ++i)
        t.add(n("ThCure%1", i), throttle, points.at(i - 1), {}, n("spinBox_THCURE_Data0%1", i));
    // Carried from the transmitter or a file into the frames; no editor shows it.
    t.add("ThCureExtra", throttle, "setting_ThCureExtra", {}, {});
}

void mixSettings(TableBuilder &t)
{
    const char *groups[] = {"groupBox_11", "groupBox_12", "groupBox_15", "groupBox_21"};
    const QStringList captions[] = {
        names({"lineEdit_80", "lineEdit_83", "lineEdit_79", "lineEdit_84", "lineEdit_85", "lineEdit_86"}),
        names({"lineEdit_94", "lineEdit_90", "lineEdit_89", "lineEdit_91", "lineEdit_92", "lineEdit_93"}),
        names({"lineEdit_106", "lineEdit_102", "lineEdit_101", "lineEdit_103", "lineEdit_104", "lineEdit_105"}),
        names({"lineEdit_119", "lineEdit_120", "lineEdit_121", "lineEdit_122", "lineEdit_123", "lineEdit_124"}),
    };
    const struct
    {
        const char *key;
        const char *editor;
        QStringList (*choices)();
    } fields[] = {
        {"Prm%1Mix", "comboBox_PRM0%1_Mix", Choices::mixState},
        {"Prm%1Master", "comboBox_PRM0%1_Master", Choices::mixChannel},
        {"Prm%1Slave", "comboBox_PRM0%1_Slave", Choices::mixChannel},
        {"Prm%1Data1", "spinBox_PRM0%1_Data1", nullptr},
        {"Prm%1Data2", "spinBox_PRM0%1_Data2", nullptr},
        {"Prm%1Data3", "spinBox_PRM0%1_Data3", nullptr},
    };
    for (int mix = 1; mix <= 4; ++mix) {
        for (int row = 0; row < 6; ++row)
            t.add(n(fields[row].key, mix), {"tab_5", groups[mix - 1]}, captions[mix - 1].at(row), {},
                  n(fields[row].editor, mix), fields[row].choices);
    }
}

void systemSettings(TableBuilder &t)
{
    const Place alarms{"tab_6", "groupBox_17"};
    t.add("TxVolt", alarms, "lineEdit_63", {}, "doubleSpinBox_Volt");
    t.add("RxVolt", alarms, "lineEdit_68", {}, "doubleSpinBox_rxVolt");
    t.add("ExtVolt", alarms, "lineEdit_66", {}, "doubleSpinBox_extVolt");
    t.add("RssiAlarm", alarms, "lineEdit_67", {}, "spinBox_Rssi");
    const Place version{"tab_6", "groupBox_20"};
    t.add("Mode", version, "lineEdit_64", {}, "spinBox_Mode");
    // Trims are kept as 0..240 around 120 and shown around 0.
    const QStringList trims = names({"lineEdit_70", "lineEdit_71", "lineEdit_72", "lineEdit_81"});
    for (int i = 1; i <= 4; ++i)
        t.add(n("Trim%1", i), version, trims.at(i - 1), {}, {}, nullptr, -120);
}

QVector<Setting> buildSettings()
{
    TableBuilder t;
    basicMenu(t);
    advancedMenu1(t);
    advancedMenu2(t);
    mixSettings(t);
    systemSettings(t);
    return t.rows;
}

} // namespace

QString plainCaption(const QString &text)
{
    QString out = text.trimmed();
    if (out.endsWith(QLatin1Char(':')))
        out.chop(1);
    // "舵机行程量--L---R---" draws its two columns in the title; the detail says which.
    return out.section(QStringLiteral("--"), 0, 0).trimmed();
}

namespace {

int tenths(double volts)
{
    return std::isnan(volts) ? 0 : int(std::lround(volts * 10.0));
}

} // namespace

const QVector<Setting> &settings()
{
    static const QVector<Setting> table = buildSettings();
    return table;
}

const Setting *findSetting(const QString &key)
{
    for (const Setting &s : settings()) {
        if (s.key == key)
            return &s;
    }
    return nullptr;
}

QString settingPageTitle(const Setting &setting)
{
    return formText(setting.page);
}

QString settingLabel(const Setting &setting)
{
    return settingLabel(setting, QStringLiteral(" / "));
}

QString settingLabel(const Setting &setting, const QString &separator)
{
    QString last = plainCaption(formText(setting.caption));
    if (!setting.detail.isEmpty())
        last = last.isEmpty() ? setting.detail : last + QLatin1Char(' ') + setting.detail;
    return settingPageTitle(setting) + separator + plainCaption(formText(setting.group)) + separator + last;
}

QString settingValueText(const Setting &setting, const ParameterSet &p)
{
    const QString unit = settingUnit(setting);
    const auto withUnit = [&unit](const QString &number) {
        return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
    };
    if (setting.volts)
        return withUnit(QString::number(p.*setting.volts, 'f', 1));
    const int value = setting.member.of(p);
    if (setting.choices) {
        const QStringList items = setting.choices();
        if (value >= 0 && value < items.size())
            return items.at(value);
    }
    return withUnit(QString::number(qint64(value) + setting.shownOffset));
}

bool settingEquals(const Setting &setting, const ParameterSet &a, const ParameterSet &b)
{
    if (setting.volts)
        return tenths(a.*setting.volts) == tenths(b.*setting.volts);
    return setting.member.of(a) == setting.member.of(b);
}

QVector<const Setting *> differingSettings(const ParameterSet &a, const ParameterSet &b)
{
    QVector<const Setting *> out;
    for (const Setting &s : settings()) {
        if (!settingEquals(s, a, b))
            out.append(&s);
    }
    return out;
}

QStringList changeListing(const ParameterSet &from, const ParameterSet &to, const QString &separator,
                          const QString &arrow)
{
    QStringList lines;
    for (const Setting *s : differingSettings(from, to)) {
        lines.append(settingLabel(*s, separator) + QStringLiteral(": ") + settingValueText(*s, from)
                     + QLatin1Char(' ') + arrow + QLatin1Char(' ') + settingValueText(*s, to));
    }
    return lines;
}

namespace {

// The curve page repeats three selectors of the first dual-rate group.
const struct
{
    const char *editor;
    int P::*member;
} kRepeatedSelectors[] = {{"comboBox_DR_MIX2", &P::DrMix}, {"comboBox_DR_CH2", &P::DrCh}, {"comboBox_DR_SW2", &P::DrSw}};

// Boxes that show one entry of a dual-rate table: the one of the selected
// channel, and for rate and expo of the selected switch position.
struct View
{
    const char *editor;
    int (P::*up)[4];
    int (P::*down)[4]; // nullptr: the box always shows up
};
const View kViews[] = {
    {"spinBox_DR_UP1", &P::DrRateUp, nullptr},
    {"spinBox_DR_DOWN1", &P::DrRateDown, nullptr},
    {"spinBox_DR_RATE", &P::DrRateUp, &P::DrRateDown},
    {"spinBox_DR_EXP", &P::DrExpUp, &P::DrExpDown},
};

} // namespace

QStringList settingEditors()
{
    QStringList out;
    for (const Setting &s : settings()) {
        if (!s.editor.isEmpty())
            out.append(s.editor);
    }
    for (const auto &r : kRepeatedSelectors)
        out.append(QString::fromLatin1(r.editor));
    for (const View &v : kViews)
        out.append(QString::fromLatin1(v.editor));
    return out;
}

bool settingIsEditable(const Setting &setting)
{
    return !setting.editor.isEmpty() || setting.member.table;
}

QStringList differingEditors(const ParameterSet &current, const ParameterSet &known)
{
    QStringList out;
    for (const Setting &s : settings()) {
        if (!s.editor.isEmpty() && !settingEquals(s, current, known))
            out.append(s.editor);
    }
    for (const auto &r : kRepeatedSelectors) {
        if (current.*r.member != known.*r.member)
            out.append(QString::fromLatin1(r.editor));
    }
    const int c = current.DrCh;
    if (c < 0 || c > 3)
        return out;
    for (const View &v : kViews) {
        int(P::*table)[4] = v.down && current.DrPosi != 0 ? v.down : v.up;
        if ((current.*table)[c] != (known.*table)[c])
            out.append(QString::fromLatin1(v.editor));
    }
    return out;
}

int countDifferingEditable(const ParameterSet &current, const ParameterSet &known)
{
    int n = 0;
    for (const Setting &s : settings())
        n += settingIsEditable(s) && !settingEquals(s, current, known) ? 1 : 0;
    return n;
}

QVector<const Setting *> settingsOfEditor(const QString &editor)
{
    QVector<const Setting *> out;
    for (const Setting &s : settings()) {
        if (!s.editor.isEmpty() && s.editor == editor)
            out.append(&s);
    }
    for (const auto &r : kRepeatedSelectors) {
        if (editor == QLatin1String(r.editor)) {
            for (const Setting &s : settings()) {
                if (s.member.scalar == r.member)
                    out.append(&s);
            }
        }
    }
    for (const View &v : kViews) {
        if (editor != QLatin1String(v.editor))
            continue;
        for (const Setting &s : settings()) {
            if (s.member.table && (s.member.table == v.up || s.member.table == v.down))
                out.append(&s);
        }
    }
    return out;
}

QString settingUnit(const Setting &setting)
{
    static const struct
    {
        QRegularExpression key;
        QString unit;
    } units[] = {
        {QRegularExpression(QStringLiteral("^(Sub|Lepa|Repa|FS|Atti|Elev|Ru|ThCure)\\d$")), QStringLiteral("%")},
        {QRegularExpression(QStringLiteral("^(DrRate|DrExp)(Up|Down)\\d$")), QStringLiteral("%")},
        {QRegularExpression(QStringLiteral("^Prm\\dData\\d$")), QStringLiteral("%")},
        {QRegularExpression(QStringLiteral("^(Tx|Rx|Ext)Volt$")), QStringLiteral("V")},
        {QRegularExpression(QStringLiteral("^RssiAlarm$")), QStringLiteral("dBm")},
    };
    for (const auto &u : units) {
        if (u.key.match(setting.key).hasMatch())
            return u.unit;
    }
    return QString();
}

#include "model/settings.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/choices.h"
#include "model/dualrate.h"
#include "model/formtexts.h"

namespace {

using P = ParameterSet;
constexpr auto First = ResetRoutine::First;
constexpr auto Second = ResetRoutine::Second;
constexpr auto None = ResetRoutine::None;

// What a family of members holds: start values (one for all, or one each),
// the valid range the sanitizer keeps them in, the routine that restores them.
struct Values
{
    std::vector<int> starts;
    int min;
    int max;
    ResetRoutine reset;
    bool checked = true;
};

// Kept as they are by the sanitizer: no valid range.
Values kept(int start, ResetRoutine reset)
{
    return {{start}, 0, 0, reset, false};
}

// Where a family is shown: captions and details one each, one for all, or
// none. A member without a page is derived by the window, not a setting.
struct Where
{
    const char *page;
    const char *group;
    QStringList captions;
    QStringList details;
};

QString nth(const QStringList &list, int i)
{
    return list.isEmpty() ? QString() : list.at(list.size() == 1 ? 0 : i);
}

QString numbered(const char *pattern, int number)
{
    const QString text = QString::fromLatin1(pattern);
    return text.contains(QLatin1String("%1")) ? text.arg(number) : text;
}

std::vector<IntRef> table4(int (P::*member)[4])
{
    return {IntRef(member, 0), IntRef(member, 1), IntRef(member, 2), IntRef(member, 3)};
}

class Table
{
public:
    // Members numbered from first: "%1" in key and editor is the number.
    void family(const char *key, int first, const std::vector<IntRef> &members, const Values &v, const Where &w,
                const char *editor, QStringList (*choices)() = nullptr, const char *unit = "")
    {
        for (int i = 0; i < int(members.size()); ++i) {
            const double start = v.starts.at(v.starts.size() == 1 ? 0 : size_t(i));
            Setting s{numbered(key, first + i), members.at(size_t(i)), nullptr, start, start, v.checked,
                      double(v.min), double(v.max), start, v.reset, QString::fromLatin1(w.page),
                      QString::fromLatin1(w.group), nth(w.captions, i), nth(w.details, i),
                      *editor ? numbered(editor, first + i) : QString(), choices, 0, QString::fromLatin1(unit),
                      {}, nullptr};
            rows.append(s);
        }
    }

    void one(const char *key, IntRef member, const Values &v, const Where &w, const char *editor,
             QStringList (*choices)() = nullptr, const char *unit = "")
    {
        family(key, 0, {member}, v, w, editor, choices, unit);
    }

    // A voltage: its factory value and what an out-of-range value falls back
    // to are its own.
    void volts(const char *key, double P::*member, double start, double factory, double max, double fallback,
               ResetRoutine reset, const char *caption, const char *editor)
    {
        rows.append({QString::fromLatin1(key), IntRef(), member, start, factory, true, 0.0, max, fallback, reset,
                     QStringLiteral("tab_6"), QStringLiteral("groupBox_17"), QString::fromLatin1(caption), {},
                     QString::fromLatin1(editor), nullptr, 0, QStringLiteral("V"), {}, nullptr});
    }

    Setting &row(const QString &key)
    {
        for (Setting &s : rows) {
            if (s.key == key)
                return s;
        }
        Q_ASSERT_X(false, "settings", qPrintable(key));
        return rows.first();
    }

    // The editor offers another range or opens on another value than the
    // setting's, for the reason given.
    void editorSpan(const QString &key, double min, double max, double start, const char *why)
    {
        row(key).editorSpan = {min, max, start, QString::fromLatin1(why)};
    }

    QVector<Setting> rows;
};

void basicMenu(Table &t)
{
    // The eight rows, one per channel.
    const QStringList rows{"lineEdit_28", "lineEdit_29", "lineEdit_31", "lineEdit_32",
                           "lineEdit_33", "lineEdit_34", "lineEdit_35", "lineEdit_36"};
    t.family("Rev%1", 1, {&P::Rev1, &P::Rev2, &P::Rev3, &P::Rev4, &P::Rev5, &P::Rev6, &P::Rev7, &P::Rev8},
             {{0, 0, 1, 0, 0, 0, 0, 0}, 0, 1, First}, {"tab_2", "groupBox_2", rows, {}}, "comboBox_rev%1",
             Choices::phase);
    t.family("Sub%1", 1, {&P::Sub1, &P::Sub2, &P::Sub3, &P::Sub4, &P::Sub5, &P::Sub6, &P::Sub7, &P::Sub8},
             {{0}, -100, 100, First}, {"tab_2", "groupBox_3", rows, {}}, "spinBox_sub%1", nullptr, "%");
    t.family("Lepa%1", 1, {&P::Lepa1, &P::Lepa2, &P::Lepa3, &P::Lepa4, &P::Lepa5, &P::Lepa6, &P::Lepa7, &P::Lepa8},
             {{96}, 0, 120, First}, {"tab_2", "groupBox_4", rows, {"L"}}, "spinBox_Lepa%1", nullptr, "%");
    t.family("Repa%1", 1, {&P::Repa1, &P::Repa2, &P::Repa3, &P::Repa4, &P::Repa5, &P::Repa6, &P::Repa7, &P::Repa8},
             {{96}, 0, 120, First}, {"tab_2", "groupBox_4", rows, {"R"}}, "spinBox_Repa%1", nullptr, "%");
    t.family("FS%1", 1, {&P::FS1, &P::FS2, &P::FS3, &P::FS4, &P::FS5, &P::FS6, &P::FS7, &P::FS8},
             {{50, 50, 0, 50, 50, 50, 50, 50}, 0, 100, First}, {"tab_2", "groupBox_14", rows, {}}, "spinBox_FS%1",
             nullptr, "%");
    t.family("Delay%1", 1,
             {&P::Delay1, &P::Delay2, &P::Delay3, &P::Delay4, &P::Delay5, &P::Delay6, &P::Delay7, &P::Delay8},
             {{100}, 0, 100, First}, {"tab_2", "groupBox_5", rows, {}}, "spinBox_delay%1");
    t.family("Aux%1", 5, {&P::Aux5, &P::Aux6, &P::Aux7, &P::Aux8}, {{1, 3, 0, 2}, 0, 5, First},
             {"tab_2", "groupBox_6", rows.mid(4), {}}, "comboBox_AUX%1", Choices::auxSource);
}

void advancedMenu1(Table &t)
{
    const auto dualRate = [](const char *caption) { return Where{"tab_3", "groupBox_8", {caption}, {}}; };
    const Where derived{"", "", {}, {}};
    const QStringList channels = Choices::dualRateChannel();
    t.one("DrMix", &P::DrMix, {{0}, 0, 1, First}, dualRate("lineEdit_53"), "comboBox_DR_MIX1", Choices::onOff);
    t.one("DrCh", &P::DrCh, {{0}, 0, 4, First}, dualRate("lineEdit_54"), "comboBox_DR_CH1", Choices::dualRateChannel);
    t.one("DrSw", &P::DrSw, {{0}, 0, 2, First}, dualRate("lineEdit_55"), "comboBox_DR_SW1", Choices::dualRateSwitch);
    t.one("DrUpShown", &P::DrUpShown, {{100}, 0, 100, First}, derived, "spinBox_DR_UP1");
    t.family("DrRateUp%1", 0, table4(&P::DrRateUp), {{100}, 0, 100, First},
             {"tab_3", "groupBox_8", {"lineEdit_56"}, channels}, "", nullptr, "%");
    t.one("DrDownShown", &P::DrDownShown, {{100}, 0, 100, First}, derived, "spinBox_DR_DOWN1");
    t.family("DrRateDown%1", 0, table4(&P::DrRateDown), {{100}, 0, 100, First},
             {"tab_3", "groupBox_8", {"lineEdit_57"}, channels}, "", nullptr, "%");

    t.one("AttiM", &P::AttiM, {{4}, 0, 5, First}, {"tab_3", "groupBox_7", {"lineEdit_45"}, {}}, "comboBox_AttiM",
          Choices::attitudeChannel);
    t.family("Atti%1", 1, {&P::Atti1, &P::Atti2, &P::Atti3, &P::Atti4, &P::Atti5, &P::Atti6},
             {{14, 29, 44, 56, 69, 88}, 0, 100, First},
             {"tab_3", "groupBox_7",
              {"lineEdit_46", "lineEdit_47", "lineEdit_48", "lineEdit_49", "lineEdit_50", "lineEdit_51"}, {}},
             "spinBox_Atti%1", nullptr, "%");

    t.one("EleMix", &P::EleMix, {{0}, 0, 1, First}, {"tab_3", "groupBox_10", {"lineEdit_73"}, {}},
          "comboBox_EleMix", Choices::onOff);
    // The second aileron pair stands beside the first, in a column without
    // captions: the second value of each aileron row.
    t.family("Elev%1", 1, {&P::Elev1, &P::Elev2, &P::Elev3, &P::Elev4, &P::Elev5, &P::Elev6},
             {{100, 100, 100, -100, 100, 100}, -100, 100, First},
             {"tab_3", "groupBox_10",
              {"lineEdit_74", "lineEdit_75", "lineEdit_76", "lineEdit_77", "setting_Elev5", "setting_Elev6"}, {}},
             "spinBox_Elev0%1", nullptr, "%");

    t.one("RuMix", &P::RuMix, {{0}, 0, 1, First}, {"tab_3", "groupBox_13", {"lineEdit_78"}, {}}, "comboBox_RuMix",
          Choices::onOff);
    t.family("Ru%1", 1, {&P::Ru1, &P::Ru2, &P::Ru3, &P::Ru4}, {{50, -50, 50, 50}, -100, 100, First},
             {"tab_3", "groupBox_13", {"lineEdit_95", "lineEdit_96", "lineEdit_97", "lineEdit_98"}, {}},
             "spinBox_Ru%1", nullptr, "%");
}

void advancedMenu2(Table &t)
{
    const Where derived{"", "", {}, {}};
    const QStringList channels = Choices::dualRateChannel();
    const QStringList positions = Choices::switchPosition();
    QStringList up, down;
    for (const QString &channel : channels) {
        up.append(channel + QLatin1Char(' ') + positions.at(0));
        down.append(channel + QLatin1Char(' ') + positions.at(1));
    }
    t.one("DrPosi", &P::DrPosi, {{0}, 0, 4, Second}, {"tab_4", "groupBox_19", {"lineEdit_143"}, {}},
          "comboBox_DR_POSI", Choices::switchPosition);
    t.family("DrExpUp%1", 0, table4(&P::DrExpUp), {{0}, -100, 100, Second},
             {"tab_4", "groupBox_19", {"lineEdit_145"}, up}, "", nullptr, "%");
    t.one("DrExpShown", &P::DrExpShown, {{0}, -100, 100, Second}, derived, "spinBox_DR_EXP");
    t.family("DrExpDown%1", 0, table4(&P::DrExpDown), {{0}, -100, 100, Second},
             {"tab_4", "groupBox_19", {"lineEdit_145"}, down}, "", nullptr, "%");
    // Kept as it is by the resets and the sanitizer.
    t.one("DrRateShown", &P::DrRateShown, kept(100, None), derived, "spinBox_DR_RATE");

    t.one("ThCureMix", &P::ThCureMix, {{0}, 0, 5, Second}, {"tab_4", "groupBox_18", {"lineEdit_130"}, {}},
          "comboBox_THCURE_MIX", Choices::onOff);
    t.family("ThCure%1", 1, {&P::ThCure1, &P::ThCure2, &P::ThCure3, &P::ThCure4, &P::ThCure5, &P::ThCure6, &P::ThCure7},
             {{0, 16, 33, 50, 67, 84, 100}, 0, 100, Second},
             {"tab_4", "groupBox_18",
              {"lineEdit_126", "lineEdit_125", "lineEdit_127", "lineEdit_128", "lineEdit_129", "lineEdit_131",
               "lineEdit_132"},
              {}},
             "spinBox_THCURE_Data0%1", nullptr, "%");
    // Carried from the transmitter or a file into the frames; no editor shows it.
    t.one("ThCureExtra", &P::ThCureExtra, {{0}, 0, 4, Second},
          {"tab_4", "groupBox_18", {"setting_ThCureExtra"}, {}}, "");
}

void mixSettings(Table &t)
{
    const char *groups[] = {"groupBox_11", "groupBox_12", "groupBox_15", "groupBox_21"};
    const QStringList captions[] = {
        {"lineEdit_80", "lineEdit_83", "lineEdit_79", "lineEdit_84", "lineEdit_85", "lineEdit_86"},
        {"lineEdit_94", "lineEdit_90", "lineEdit_89", "lineEdit_91", "lineEdit_92", "lineEdit_93"},
        {"lineEdit_106", "lineEdit_102", "lineEdit_101", "lineEdit_103", "lineEdit_104", "lineEdit_105"},
        {"lineEdit_119", "lineEdit_120", "lineEdit_121", "lineEdit_122", "lineEdit_123", "lineEdit_124"},
    };
    const std::vector<IntRef> members[] = {
        {&P::Prm1Mix, &P::Prm1Master, &P::Prm1Slave, &P::Prm1Data1, &P::Prm1Data2, &P::Prm1Data3},
        {&P::Prm2Mix, &P::Prm2Master, &P::Prm2Slave, &P::Prm2Data1, &P::Prm2Data2, &P::Prm2Data3},
        {&P::Prm3Mix, &P::Prm3Master, &P::Prm3Slave, &P::Prm3Data1, &P::Prm3Data2, &P::Prm3Data3},
        {&P::Prm4Mix, &P::Prm4Master, &P::Prm4Slave, &P::Prm4Data1, &P::Prm4Data2, &P::Prm4Data3},
    };
    const struct
    {
        const char *key;
        const char *editor;
        int min;
        int max;
        QStringList (*choices)();
        const char *unit;
    } fields[] = {
        {"Prm%1Mix", "comboBox_PRM0%1_Mix", 0, 2, Choices::mixState, ""},
        {"Prm%1Master", "comboBox_PRM0%1_Master", 0, 10, Choices::mixChannel, ""},
        {"Prm%1Slave", "comboBox_PRM0%1_Slave", 0, 10, Choices::mixChannel, ""},
        {"Prm%1Data1", "spinBox_PRM0%1_Data1", -100, 100, nullptr, "%"},
        {"Prm%1Data2", "spinBox_PRM0%1_Data2", -100, 100, nullptr, "%"},
        {"Prm%1Data3", "spinBox_PRM0%1_Data3", -100, 100, nullptr, "%"},
    };
    // Master and slave start apart in the odd and the even mixes.
    const int starts[][3] = {{0, 0, 3}, {0, 1, 5}};
    for (int mix = 1; mix <= 4; ++mix) {
        // The first two mixes are restored by the first factory routine, the others by the second.
        const ResetRoutine reset = mix <= 2 ? First : Second;
        for (int f = 0; f < 6; ++f) {
            const int start = f < 3 ? starts[(mix - 1) % 2][f] : 0;
            t.family(fields[f].key, mix, {members[mix - 1].at(size_t(f))}, {{start}, fields[f].min, fields[f].max, reset},
                     {"tab_5", groups[mix - 1], {captions[mix - 1].at(f)}, {}}, fields[f].editor, fields[f].choices,
                     fields[f].unit);
        }
        for (int d = 1; d <= 3; ++d) {
            const QString key = QStringLiteral("Prm%1Data%2").arg(mix).arg(d);
            // The side values of the last two mixes are offered from 0 only, as
            // their boxes always were; a negative value read is kept as it is.
            const int min = mix > 2 && d > 1 ? 0 : -100;
            t.editorSpan(key, min, 100, 100, "the mix boxes open at full mix (100) before the first refresh");
        }
    }
}

void systemSettings(Table &t)
{
    t.volts("TxVolt", &P::TxVolt, 11.0, 3.7, 50.0, 0.0, First, "lineEdit_63", "doubleSpinBox_Volt");
    t.volts("RxVolt", &P::RxVolt, 4.0, 4.0, 100.0, 4.0, Second, "lineEdit_68", "doubleSpinBox_rxVolt");
    t.volts("ExtVolt", &P::ExtVolt, 11.0, 11.0, 100.0, 11.0, Second, "lineEdit_66", "doubleSpinBox_extVolt");
    for (const char *key : {"TxVolt", "RxVolt", "ExtVolt"})
        t.editorSpan(QString::fromLatin1(key), 0.0, 99.9, 11.0,
                     "the three alarm boxes share one range and open at 11.0 V");
    const Where derived{"", "", {}, {}};
    t.one("TxVoltTenths", &P::TxVoltTenths, {{37}, 0, 500, First}, derived, "");
    t.one("RxVoltTenths", &P::RxVoltTenths, {{40}, 0, 1000, Second}, derived, "");
    t.one("ExtVoltTenths", &P::ExtVoltTenths, {{110}, 0, 1000, Second}, derived, "");
    t.one("RssiAlarm", &P::RssiAlarm, {{-100}, -100, 0, Second}, {"tab_6", "groupBox_17", {"lineEdit_67"}, {}},
          "spinBox_Rssi", nullptr, "dBm");
    const Where version{"tab_6", "groupBox_20", {"lineEdit_64"}, {}};
    t.one("Mode", &P::Mode, {{1}, 0, 4, First}, version, "spinBox_Mode");
    // The factory reset puts the stick mode to 2 while a fresh start and the
    // sanitizer use 1.
    t.row(QStringLiteral("Mode")).factory = 2;
    t.editorSpan(QStringLiteral("Mode"), 1, 4, 2,
                 "the box offers the four stick modes 1..4 and opens on the factory mode; 0 is accepted on the "
                 "wire and shown as mode 1");
    t.one("Vertion", &P::Vertion, kept(0, None), derived, "spinBox_Vertion");
    // Trims are kept as 0..240 around 120 and shown around 0.
    t.family("Trim%1", 1, {&P::Trim1, &P::Trim2, &P::Trim3, &P::Trim4}, kept(120, Second),
             {"tab_6", "groupBox_20", {"lineEdit_70", "lineEdit_71", "lineEdit_72", "lineEdit_81"}, {}}, "");
    for (int i = 1; i <= 4; ++i)
        t.row(QStringLiteral("Trim%1").arg(i)).shownOffset = -120;
}

void dualRateViews(Table &t)
{
    // The boxes that show the selected channel route an edit into its table
    // entry (storeEdit); the first page's channel and the curve page's
    // position select what they show at once.
    t.row(QStringLiteral("DrCh")).edit = [](ParameterSet &p, int v) {
        p.DrCh = v;
        selectDualRate(p);
    };
    t.row(QStringLiteral("DrPosi")).edit = [](ParameterSet &p, int v) {
        p.DrPosi = v;
        selectDualRate(p);
    };
    // The curve page repeats three selectors of the first dual-rate group;
    // its channel is only stored, the next refresh pass selects through the
    // first page's box.
    const Where repeated{"", "", {}, {}};
    t.one("DrMixRepeated", &P::DrMix, {{0}, 0, 1, First}, repeated, "comboBox_DR_MIX2", Choices::onOff);
    t.one("DrChRepeated", &P::DrCh, {{0}, 0, 4, First}, repeated, "comboBox_DR_CH2", Choices::dualRateChannel);
    t.one("DrSwRepeated", &P::DrSw, {{0}, 0, 2, First}, repeated, "comboBox_DR_SW2", Choices::dualRateSwitch);
    t.editorSpan(QStringLiteral("DrRateShown"), 0, 100, 100, "kept as it is, so the box gives the range of a rate");
    t.editorSpan(QStringLiteral("DrExpShown"), -100, 100, 100, "the box opens at 100 before the first refresh");
    t.editorSpan(QStringLiteral("Vertion"), 0, 1000, 0, "a version number, kept as it is; the box reaches 1000");
}

QVector<Setting> buildRows()
{
    Table t;
    basicMenu(t);
    advancedMenu1(t);
    advancedMenu2(t);
    mixSettings(t);
    systemSettings(t);
    dualRateViews(t);
    return t.rows;
}

} // namespace

const QVector<Setting> &settingRows()
{
    static const QVector<Setting> table = buildRows();
    return table;
}

const QVector<Setting> &settings()
{
    static const QVector<Setting> shown = [] {
        QVector<Setting> out;
        for (const Setting &s : settingRows()) {
            if (!s.page.isEmpty())
                out.append(s);
        }
        return out;
    }();
    return shown;
}

const QVector<const Setting *> &intSettings()
{
    static const QVector<const Setting *> rows = [] {
        QVector<const Setting *> out;
        for (const Setting &s : settingRows()) {
            const bool repeated = std::any_of(out.cbegin(), out.cend(),
                                              [&s](const Setting *seen) { return seen->member == s.member; });
            if (!s.member.isNull() && !repeated)
                out.append(&s);
        }
        return out;
    }();
    return rows;
}

const QVector<const Setting *> &voltSettings()
{
    static const QVector<const Setting *> rows = [] {
        QVector<const Setting *> out;
        for (const Setting &s : settingRows()) {
            if (s.volts)
                out.append(&s);
        }
        return out;
    }();
    return rows;
}

const Setting *findSettingRow(const QString &key)
{
    for (const Setting &s : settingRows()) {
        if (s.key == key)
            return &s;
    }
    return nullptr;
}

EditorSpan editorSpan(const Setting &setting)
{
    if (!setting.editorSpan.why.isEmpty())
        return setting.editorSpan;
    return {setting.validMin, setting.validMax, setting.start, {}};
}

const Setting *rowOfEditor(const QString &editor)
{
    for (const Setting &s : settingRows()) {
        if (!editor.isEmpty() && s.editor == editor)
            return &s;
    }
    return nullptr;
}

QVector<const Setting *> settingsOfGroup(const QString &group)
{
    QVector<const Setting *> out;
    for (const Setting &s : settings()) {
        if (s.group == group)
            out.append(&s);
    }
    return out;
}

QStringList settingCaptions(const QString &group)
{
    QStringList out;
    for (const Setting *s : settingsOfGroup(group)) {
        if (s->caption.startsWith(QLatin1String("lineEdit")) && !out.contains(s->caption))
            out.append(s->caption);
    }
    return out;
}

void storeEdit(const Setting &row, ParameterSet &p, double value)
{
    if (row.volts)
        p.*row.volts = value;
    else if (const DualRateView *view = dualRateView(row.member.scalar))
        editDualRate(p, *view, int(value));
    else if (row.edit)
        row.edit(p, int(value));
    else
        row.member.of(p) = int(value);
}

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
    const QString unit = setting.unit;
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

QStringList changeLines(const QVector<const Setting *> &which, const ParameterSet &from, const ParameterSet &to,
                        const QString &separator, const QString &arrow, const ValueWording &valueText)
{
    const auto value = [&](const Setting &s, bool inFrom) {
        return valueText ? valueText(s, inFrom) : settingValueText(s, inFrom ? from : to);
    };
    QStringList lines;
    for (const Setting *s : which) {
        lines.append(settingLabel(*s, separator) + QStringLiteral(": ") + value(*s, true) + QLatin1Char(' ') + arrow
                     + QLatin1Char(' ') + value(*s, false));
    }
    return lines;
}

QStringList changeListing(const ParameterSet &from, const ParameterSet &to, const QString &separator,
                          const QString &arrow)
{
    return changeLines(differingSettings(from, to), from, to, separator, arrow);
}

namespace {

// Each editor that changes a setting, with the view it shows a table entry
// through or else the one setting it compares by. Worked out once: the
// marks compare through it on every refresh pass.
struct EditorOfSetting
{
    QString editor;
    const DualRateView *view;
    const Setting *setting;
};

const QVector<EditorOfSetting> &editorsOfSettings()
{
    static const QVector<EditorOfSetting> table = [] {
        QVector<EditorOfSetting> out;
        for (const Setting &s : settingRows()) {
            const QVector<const Setting *> shown = s.editor.isEmpty() ? QVector<const Setting *>()
                                                                      : settingsOfEditor(s.editor);
            if (shown.isEmpty())
                continue;
            out.append({s.editor, dualRateView(s.member.scalar), shown.first()});
        }
        return out;
    }();
    return table;
}

} // namespace

QStringList settingEditors()
{
    QStringList out;
    for (const EditorOfSetting &e : editorsOfSettings())
        out.append(e.editor);
    return out;
}

QStringList editorsOfSetting(const Setting &setting)
{
    QStringList out;
    if (!setting.editor.isEmpty())
        out.append(setting.editor);
    for (const EditorOfSetting &e : editorsOfSettings()) {
        if (!out.contains(e.editor) && settingsOfEditor(e.editor).contains(&setting))
            out.append(e.editor);
    }
    return out;
}

bool settingIsEditable(const Setting &setting)
{
    return !setting.editor.isEmpty() || setting.member.table;
}

QStringList differingEditors(const ParameterSet &current, const ParameterSet &known)
{
    QStringList out;
    const int c = current.DrCh;
    for (const EditorOfSetting &e : editorsOfSettings()) {
        if (!e.view) {
            if (!settingEquals(*e.setting, current, known))
                out.append(e.editor);
        } else if (c >= 0 && c <= 3) {
            // Compared through the table entry it shows in current.
            int(P::*table)[4] = dualRateTable(*e.view, current);
            if ((current.*table)[c] != (known.*table)[c])
                out.append(e.editor);
        }
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
    const Setting *row = rowOfEditor(editor);
    if (!row)
        return out;
    if (const DualRateView *v = dualRateView(row->member.scalar)) {
        for (const Setting &s : settings()) {
            if (s.member.table && (s.member.table == v->up || s.member.table == v->down))
                out.append(&s);
        }
        return out;
    }
    // Its own setting, or the one whose member it repeats.
    for (const Setting &s : settings()) {
        if (s.key == row->key || (!row->member.isNull() && s.member == row->member)) {
            out.append(&s);
            break;
        }
    }
    return out;
}

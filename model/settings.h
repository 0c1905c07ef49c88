#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

#include "model/parameterset.h"

// The one table of settings. A row holds everything the tool knows of one
// member of the configuration but its wire positions (the frame and block
// tables in link/ point at its member): its values and valid range, the
// factory routine that restores it, where the window shows it (page, group
// box, caption, by object name so the words come from formText()), how its
// value reads, and the editor that edits it. Rows without a page are values
// the window derives and shows (the selected dual rates, the voltage tenths,
// the version); they are not settings of their own.

// The range and start value of a setting's editor, where they differ from
// the setting's on purpose; why says what that purpose is.
struct EditorSpan
{
    double minimum;
    double maximum;
    double start;
    QString why;
};

struct Setting
{
    QString key;                  // member name: "Rev3", "DrRateUp0", "TxVolt"
    IntRef member;                // null for a voltage
    double ParameterSet::*volts;  // the voltage, or nullptr
    double start;                 // value at program start
    double factory;               // value the factory routine restores
    bool checked;                 // the sanitizer keeps it within validMin..validMax
    double validMin;
    double validMax;
    double fallback;              // what an out-of-range value becomes
    ResetRoutine reset;
    QString page;                 // "tab_2"; empty: derived, not a setting
    QString group;                // "groupBox_3"
    QString caption;              // the caption beside it, or empty
    QString detail;               // what tells it apart under that caption: "CH1", "L", "CH2 UP"
    QString editor;               // its editor in the window, or empty when none shows it alone
    QStringList (*choices)();     // the item texts for a choice, or nullptr
    int shownOffset;              // added for display (the trims read -120..120)
    QString unit;                 // "%", "V", "dBm" or empty
    EditorSpan editorSpan;        // set (with why) only where the editor differs
    void (*edit)(ParameterSet &, int); // routes an edit instead of storing it, or nullptr
};

// Every row, derived ones included, in the order the pages show them.
const QVector<Setting> &settingRows();
// The rows that are settings (they have a page).
const QVector<Setting> &settings();
// Any row by key, derived ones included.
const Setting *findSettingRow(const QString &key);
// Every integer member of the configuration once, in table order: a
// repeated selector is not listed again.
const QVector<const Setting *> &intSettings();
// The three alarm voltages.
const QVector<const Setting *> &voltSettings();

// "基础菜单 / 中点微调 / CH1"
QString settingLabel(const Setting &setting);
// The page title alone: "基础菜单".
QString settingPageTitle(const Setting &setting);
// The value as the window shows it: the item text of a choice, volts with
// one decimal for a voltage, the number otherwise; numbers with their unit
// ("15 %", "3.7 V").
QString settingValueText(const Setting &setting, const ParameterSet &p);
bool settingEquals(const Setting &setting, const ParameterSet &a, const ParameterSet &b);

// Whether the pilot can change it in the window (directly or through the
// dual-rate boxes); the trims and the carried throttle-curve value cannot.
bool settingIsEditable(const Setting &setting);

// The settings whose values differ between a and b, in table order.
QVector<const Setting *> differingSettings(const ParameterSet &a, const ParameterSet &b);

// One line per setting of which, in its order: "基础菜单 · 中点微调 · CH1: 0 % → 20 %"
// (the label's parts joined by separator), each value as settingValueText()
// words it unless valueText (given whether it is from's) words it otherwise.
// The window's change list, the read-back's differences and `diff` alike.
using ValueWording = std::function<QString(const Setting &, bool inFrom)>;
QStringList changeLines(const QVector<const Setting *> &which, const ParameterSet &from, const ParameterSet &to,
                        const QString &separator, const QString &arrow, const ValueWording &valueText = {});
// changeLines() of every setting that differs between from and to.
QStringList changeListing(const ParameterSet &from, const ParameterSet &to, const QString &separator,
                          const QString &arrow);

// Every editor that shows a setting: the settings' own, the repeated
// dual-rate selectors of the curve page and the boxes that show the
// selected channel's rates and expo.
QStringList settingEditors();

// The editors (object names) whose shown value differs between current and
// known. The dual-rate boxes that show the selected channel are compared
// through the table entry they show in current.
QStringList differingEditors(const ParameterSet &current, const ParameterSet &known);

// How many editable settings differ between current and known.
int countDifferingEditable(const ParameterSet &current, const ParameterSet &known);

// The settings an editor changes: its own, the member a repeated selector
// shows, or for the boxes that show the selected dual-rate channel every
// entry of the tables they route into.
QVector<const Setting *> settingsOfEditor(const QString &editor);

// The editors that show setting: its own first, then every other that
// changes it (a repeated selector; for a dual-rate table entry the boxes
// that show the selected channel's); empty when none does.
QStringList editorsOfSetting(const Setting &setting);

// The editor's range and start: the row's own span, or the setting's.
EditorSpan editorSpan(const Setting &setting);
// The row an editor shows, or nullptr.
const Setting *rowOfEditor(const QString &editor);
// The settings a group box shows, in the order of the table.
QVector<const Setting *> settingsOfGroup(const QString &group);
// The captions beside a group box's settings, in the order of the table,
// each once (a family shares one); not the names of settings without one.
QStringList settingCaptions(const QString &group);
// Puts an editor's value into p: stored in the member, routed into the dual-rate
// table entry a view shows, or routed by row.edit.
void storeEdit(const Setting &row, ParameterSet &p, double value);


// The label with its parts joined by separator: "基础菜单 · 中点微调 · CH1".
QString settingLabel(const Setting &setting, const QString &separator);

// A caption as a name: without the padding and the colon of the form.
QString plainCaption(const QString &text);

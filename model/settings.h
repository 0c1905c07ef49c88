#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "model/parameterset.h"

// Every setting the transmitter keeps, as a pilot knows it from the window:
// its member, where it is shown (page, group box, caption, by object name so
// the words come from formText()) and how its value reads. The frames carry
// exactly these; what the window only derives (the shown dual rates, the
// voltage tenths) is not listed twice.
struct Setting
{
    QString key;                  // member name: "Sub1", "DrRateUp0", "TxVolt"
    IntRef member;                // null for a voltage
    double ParameterSet::*volts;  // the voltage, or nullptr
    QString page;                 // "tab_2"
    QString group;                // "groupBox_3"
    QString caption;              // the caption beside it, or empty
    QString detail;               // what tells it apart under that caption: "CH1", "L", "CH2 UP"
    QString editor;               // its editor in the window, or empty when none shows it alone
    QStringList (*choices)();     // the item texts for a choice, or nullptr
    int shownOffset;              // added for display (the trims read -120..120)
};

const QVector<Setting> &settings();
const Setting *findSetting(const QString &key);

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

// One line per setting that differs between from and to, in table order, as
// "基础菜单 · 中点微调 · CH1: 0 % → 20 %" (the label's parts joined by separator).
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

// The unit a setting's number counts in ("%", "V", "dBm"), or empty.
QString settingUnit(const Setting &setting);

// The label with its parts joined by separator: "基础菜单 · 中点微调 · CH1".
QString settingLabel(const Setting &setting, const QString &separator);

// A caption as a name: without the padding and the colon of the form.
QString plainCaption(const QString &text);

#pragma once

#include <QString>
#include <QVector>

#include "model/settings.h"

// Two set-ups side by side, and the words a sheet or a comparison lays a
// setting out with. Read from the table of settings, in its order, in the
// language in effect.

// Where a setting shows: the page title, the group title and its own name
// under that group ("舵机行程量 CH4 R", or "CH1" where the group names it).
struct SettingPlace
{
    QString page;
    QString group;
    QString name;
};
SettingPlace settingPlace(const Setting &setting);

// The settings of one group box of one page, in table order.
struct SettingGroup
{
    QString page;   // object names, "tab_2" and "groupBox_3"
    QString group;
    QVector<const Setting *> settings;
};

// which, grouped as the pages show them: the groups in the order their first
// setting comes in, each setting in table order.
QVector<SettingGroup> groupSettings(const QVector<const Setting *> &which);

// Every setting of the table, grouped.
QVector<SettingGroup> settingGroups();

// One setting in two set-ups: its value texts as changeListing words them.
struct CompareRow
{
    const Setting *setting;
    QString left;
    QString right;
    bool differs;
    bool takeable; // the pilot can change it in the window
};

struct CompareGroup
{
    QString page;   // titles in the language in effect
    QString group;
    QVector<CompareRow> rows;
};

// The settings of left and right, grouped by page and group; with
// onlyDifferences only those that differ (groups left empty are left out).
QVector<CompareGroup> compareSetups(const ParameterSet &left, const ParameterSet &right, bool onlyDifferences);

// How many settings differ between a and b.
int countDifferences(const ParameterSet &a, const ParameterSet &b);

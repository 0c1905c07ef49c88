#pragma once

#include <QVector>

#include "model/settings.h"

// One setting's value before and after an edit (volts as they are, every
// other setting as its integer).
struct SettingChange
{
    const Setting *setting;
    double before;
    double after;
};

// The settings of which whose values differ between before and after.
QVector<SettingChange> settingChanges(const QVector<const Setting *> &which, const ParameterSet &before,
                                      const ParameterSet &after);

// Every editable setting that differs between current and known, to be put
// back to known.
QVector<SettingChange> changesBackTo(const ParameterSet &current, const ParameterSet &known);

// Writes the before (or after) values of changes into p.
void applyChanges(ParameterSet &p, const QVector<SettingChange> &changes, bool after);

// Folds later into earlier: a setting both touch keeps earlier's before and
// takes later's after. Changes that end where they began are dropped.
QVector<SettingChange> mergeChanges(const QVector<SettingChange> &earlier, const QVector<SettingChange> &later);

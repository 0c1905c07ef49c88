#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

#include "model/parameterset.h"

class MainForm;
class QComboBox;
class QLineEdit;
class QWidget;

// The editor groups of the parameter pages, in the order the refresh pass
// shows them.
enum class PageGroup {
    Rev, EPA, SubTrim, FS, Delay, Aux, DR, Parameter, Atti, Elev, Vtype, Prm, DRCure, THcure,
    Count
};

// The four trim texts, lineEdit_Trim_1..4, as the stick mode orders them.
QStringList trimTexts(const ParameterSet &p);

// Puts ParameterSet members into their page editors. Setters run with signals
// on, so every change reaches the editor's slot at once (that is how a
// changed dual-rate selector rebuilds the shown values within one pass).
// Combo boxes that rest under the pointer for two seconds lose their hover
// highlight.
class PageRefresher
{
public:
    void bind(const MainForm &form);

    // Sets the group's editors from p (read one by one, since each set can
    // run a slot that changes later members), then styles its combo boxes.
    void show(PageGroup group, const ParameterSet &p);
    void showTrims(const ParameterSet &p);

    // Passes a combo box has rested under the pointer; 20 once lapsed.
    int hoverTicks(const QComboBox *box) const;

private:
    struct Editor
    {
        QWidget *widget;
        IntRef member;      // null: the editor always shows index 0
        double ParameterSet::*volt;
    };
    struct Hover
    {
        QComboBox *box;
        int ticks;
    };
    void applyHoverStyle(Hover &h);

    std::array<QVector<Editor>, size_t(PageGroup::Count)> m_editors;
    std::array<QVector<Hover>, size_t(PageGroup::Count)> m_hover;
    std::array<QLineEdit *, 4> m_trims {};
};

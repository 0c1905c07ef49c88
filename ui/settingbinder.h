#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

#include "model/parameterset.h"

class MainForm;
class QComboBox;
class QLineEdit;
class QWidget;
class cureWidget;
class mWidget;
struct Setting;

// The four trim texts, lineEdit_Trim_1..4, as the stick mode orders them.
QStringList trimTexts(const ParameterSet &p);

// Binds the form's editors to their rows of the table of settings. show()
// puts a ParameterSet into the editors, the trim texts and the curves; every value an editor takes, typed
// or set by show(), is reported as edited(key, value) at once, synchronously
// (that is how a changed dual-rate selector rebuilds the shown values within
// one pass). Combo boxes that rest under the pointer for two seconds lose
// their hover highlight.
class SettingBinder : public QObject
{
    Q_OBJECT

public:
    void bind(const MainForm &form);

    // Shows p in the editors in the form's order, each value read as its
    // editor comes up (a selector set earlier in the pass changes later
    // values). An editor that already shows its value is left alone; one
    // that cannot take a value shows what it can (a spin box its nearest
    // end, a combo box nothing), and that is what it reports.
    void show(const ParameterSet &p);

    // Marks the editors named as holding what the transmitter does not, and
    // no others. Marks change rarely: an editor is touched only when its
    // mark does.
    void showUnwritten(const QStringList &editors);

signals:
    void edited(const QString &key, double value);

private:
    enum class Kind { Spin, Volts, Combo };
    struct Bound
    {
        QWidget *widget;
        const Setting *row;
        Kind kind;
    };
    struct Mark
    {
        QWidget *editor;
        bool unwritten;
    };
    struct Hover
    {
        QComboBox *box;
        int ticks;
    };
    void report(const Bound &bound, double value);
    void applyHoverStyle(Hover &h);

    QVector<Bound> m_bound;
    QVector<Mark> m_marks;
    QVector<Hover> m_hover;
    std::array<QLineEdit *, 4> m_trims {};
    cureWidget *m_throttle = nullptr;
    mWidget *m_rates = nullptr;
};

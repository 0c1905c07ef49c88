#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

#include "model/parameterset.h"

class MainForm;
class QComboBox;
class QLineEdit;
class QTabWidget;
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
    // values). An editor that already shows its value is left alone. Showing
    // reports nothing: only the pilot's own changes are edits.
    //
    // A value the editor cannot take (the transmitter or a file may hold
    // values beyond an editor's items or range) is shown for what it is and
    // never replaced: a combo box gets one more item for it, "5（遥控器中的值）",
    // and a spin box shows its nearest end with a "<" or ">" before the
    // number and the held value in its tooltip. Choosing or typing a regular
    // value is an edit like any other.
    void show(const ParameterSet &p);

    // The value the editor holds without being able to show it, if any.
    static bool holdsUnshownValue(const QWidget *editor);

    // Marks the editors named as holding what the transmitter does not, and
    // no others, and the tabs of the pages that hold them. Marks change
    // rarely: an editor is touched only when its mark does.
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
        int regularItems; // a combo box's own items; one more is a held value
        bool held = false; // a spin box shows a value beyond its range, marked
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
    void showEditors(const ParameterSet &p);
    void showCombo(const Bound &bound, int value);
    void showHeldInSpin(Bound &bound, double value, double minimum, double maximum);
    void applyHoverStyle(Hover &h);

    QVector<Bound> m_bound;
    QVector<Mark> m_marks;
    QVector<Hover> m_hover;
    bool m_showing = false;
    std::array<QLineEdit *, 4> m_trims {};
    cureWidget *m_throttle = nullptr;
    mWidget *m_rates = nullptr;
    QTabWidget *m_tabs = nullptr;
    // Whether the editors may differ from what show() last put on them.
    bool editorsSettled(const ParameterSet &p) const;

    // The set-up show() last put on the editors (its bytes), in which
    // language, and whether an editor changed since.
    QByteArray m_shownSet;
    QString m_shownLanguage;
    bool m_editorMoved = false;
    // What showUnwritten() showed last, and in which language.
    QStringList m_unwrittenShown;
    QString m_unwrittenLanguage;
};

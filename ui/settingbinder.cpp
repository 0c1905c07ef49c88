#include "ui/settingbinder.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QSet>
#include <QSpinBox>

#include "model/settings.h"
#include "model/translations.h"
#include "ui/curvewidgets.h"
#include "ui/formtables.h"
#include "ui/mainform.h"
#include "ui/unwrittenmark.h"

namespace {

bool readStyleSheet(const QString &path, QString *out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *out = QString::fromUtf8(file.readAll());
    return true;
}

// The value an editor holds but cannot show, as a property (absent when it
// shows what it holds), and the tooltip line that names it.
const char kHeldProperty[] = "heldValue";
const char kHeldTipProperty[] = "heldTip";

// Puts line on top of the editor's own tooltip (its caption and range), or
// takes the line put there before off again.
void setHeldTip(QWidget *editor, const QString &line)
{
    const QString old = editor->property(kHeldTipProperty).toString();
    QString base = editor->toolTip();
    if (!old.isEmpty() && base.startsWith(old + QLatin1Char('\n')))
        base.remove(0, old.size() + 1);
    else if (!old.isEmpty() && base == old)
        base.clear();
    const QString tip = line.isEmpty() || base.isEmpty() ? line + base : line + QLatin1Char('\n') + base;
    if (editor->toolTip() != tip)
        editor->setToolTip(tip);
    editor->setProperty(kHeldTipProperty, line.isEmpty() ? QVariant() : QVariant(line));
}

template<class Box>
void setPrefixIfChanged(Box *box, const QString &prefix)
{
    if (box->prefix() != prefix)
        box->setPrefix(prefix);
}

// A spin box that holds the value already shows it; one being typed in is
// set as always, which writes its text out again.
template<class Box, class Value>
void showValue(Box *box, Value value)
{
    if (box->value() != value || box->hasFocus())
        box->setValue(value);
}

} // namespace

QStringList trimTexts(const ParameterSet &p)
{
    const int t1 = p.Trim1, t2 = p.Trim2, t3 = p.Trim3, t4 = p.Trim4;
    std::array<int, 4> shown;
    switch (p.Mode) {
    case 1: shown = {t4, t3, t2, t1}; break;
    case 2: shown = {t4, t2, t3, t1}; break;
    case 3: shown = {t1, t3, t2, t4}; break;
    default: shown = {t1, t2, t3, t4}; break;
    }
    QStringList out;
    for (int t : shown)
        out.append(QString::number(qint64(t) - 120));
    return out;
}

void SettingBinder::bind(const MainForm &form)
{
    m_unwrittenLanguage.clear(); // marks to show anew
    m_shownSet.clear();
    for (const FormTables::Page &page : FormTables::pages()) {
        for (const FormTables::Group &group : page.groups) {
            for (const FormTables::Column &column : group.columns) {
                for (const FormTables::Editor &editor : column.editors) {
                    QWidget *widget = form.widget(editor.name);
                    Q_ASSERT_X(widget, "SettingBinder::bind", qPrintable(editor.name));
                    // The combo boxes of the editing pages get the hover
                    // treatment; the system page's do not.
                    auto *box = qobject_cast<QComboBox *>(widget);
                    if (box && page.name != QLatin1String("tab_6"))
                        m_hover.append({box, 0});
                    const Setting *row = rowOfEditor(editor.name);
                    if (!widget || !row)
                        continue;
                    auto *spin = qobject_cast<QSpinBox *>(widget);
                    auto *volts = qobject_cast<QDoubleSpinBox *>(widget);
                    const Bound bound{widget, row, spin ? Kind::Spin : volts ? Kind::Volts : Kind::Combo,
                                      box ? box->count() : 0};
                    m_bound.append(bound);
                    m_marks.append({widget, false});
                    setUnwritten(widget, false);
                    if (spin)
                        connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this,
                                [this, bound](int v) { report(bound, v); });
                    else if (volts)
                        connect(volts, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
                                [this, bound](double v) { report(bound, v); });
                    else if (box)
                        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                                [this, bound](int v) { report(bound, v); });
                }
            }
        }
    }
    for (int i = 0; i < 4; ++i)
        m_trims[size_t(i)] = form.find<QLineEdit>(QStringLiteral("lineEdit_Trim_%1").arg(i + 1));
    m_throttle = form.find<cureWidget>(QStringLiteral("widget_4"));
    m_rates = form.find<mWidget>(QStringLiteral("widget_3"));
    m_tabs = form.tabWidget;
}

void SettingBinder::report(const Bound &bound, double value)
{
    // What a pass shows is no edit; nor is a combo box's held item (or none)
    // chosen again.
    if (!m_showing)
        m_editorMoved = true; // the next pass looks at every editor again
    if (m_showing || (bound.kind == Kind::Combo && (value < 0 || value >= bound.regularItems)))
        return;
    emit edited(bound.row->key, value);
}

bool SettingBinder::holdsUnshownValue(const QWidget *editor)
{
    return editor && editor->property(kHeldProperty).isValid();
}

void SettingBinder::showCombo(const Bound &b, int value)
{
    auto *box = static_cast<QComboBox *>(b.widget);
    const int regular = b.regularItems;
    if (value >= 0 && value < regular) {
        if (box->currentIndex() != value)
            box->setCurrentIndex(value);
        if (box->count() > regular) {
            box->removeItem(regular);
            box->setProperty(kHeldProperty, QVariant());
            setHeldTip(box, QString());
        }
        return;
    }
    const QString text = QCoreApplication::translate("SettingBinder", "%1（遥控器中的值）").arg(value);
    if (box->count() == regular)
        box->addItem(text);
    else if (box->itemText(regular) != text)
        box->setItemText(regular, text);
    if (box->currentIndex() != regular)
        box->setCurrentIndex(regular);
    box->setProperty(kHeldProperty, value);
    setHeldTip(box, QCoreApplication::translate("SettingBinder", "遥控器或文件中的值 %1 不在此框的选项中；不改动就按原值写入。")
                            .arg(value));
}

// A spin box clamps what it cannot show: it shows its nearest end, marked,
// while the set-up keeps the value.
void SettingBinder::showHeldInSpin(Bound &b, double value, double minimum, double maximum)
{
    // Known from the last pass: asking the widget for its property by name
    // on every editor ten times a second was most of the pass.
    const bool held = value < minimum || value > maximum;
    if (!held && !b.held)
        return;
    b.held = held;
    QString prefix;
    QString line;
    if (held) {
        prefix = value < minimum ? QStringLiteral("<") : QStringLiteral(">");
        const QString number = b.kind == Kind::Volts ? QString::number(value, 'f', 1) : QString::number(value);
        line = QCoreApplication::translate("SettingBinder", "遥控器或文件中的值为 %1，超出此框的范围；不改动就按原值写入。")
                       .arg(number + (b.row->unit.isEmpty() ? QString() : QLatin1Char(' ') + b.row->unit));
    }
    if (b.kind == Kind::Volts)
        setPrefixIfChanged(static_cast<QDoubleSpinBox *>(b.widget), prefix);
    else
        setPrefixIfChanged(static_cast<QSpinBox *>(b.widget), prefix);
    b.widget->setProperty(kHeldProperty, held ? QVariant(value) : QVariant());
    setHeldTip(b.widget, line);
}

namespace {
// What of a set-up the editors show, as bytes: all of it but the live channel
// outputs, which move with every packet and which no editor shows.
QByteArray editorBytes(const ParameterSet &p)
{
    ParameterSet shown = p;
    for (int channel = 0; channel < 8; ++channel)
        channelOutput(channel).of(shown) = 0;
    return QByteArray(reinterpret_cast<const char *>(&shown), int(sizeof(shown)));
}
} // namespace

// Every editor already shows p when p is the set-up the last pass showed, in
// the same language, no editor's value changed since (each change is
// reported, see report()) and no spin box is being typed in (that one is set
// every pass). The set-up is compared by its bytes (ints and doubles; a byte
// that differs without a value that does costs one pass more, no more).
bool SettingBinder::editorsSettled(const ParameterSet &p) const
{
    if (m_editorMoved || m_shownSet.isEmpty() || m_shownLanguage != currentLanguage())
        return false;
    const QWidget *focus = QApplication::focusWidget();
    if (focus && (qobject_cast<const QAbstractSpinBox *>(focus)
                  || (focus->parentWidget() && qobject_cast<const QAbstractSpinBox *>(focus->parentWidget()))))
        return false;
    return m_shownSet == editorBytes(p);
}

void SettingBinder::show(const ParameterSet &p)
{
    // Ten times a second, mostly with nothing new: the editors are walked
    // only when something they show may have changed.
    if (!editorsSettled(p)) {
        showEditors(p);
        m_shownSet = editorBytes(p);
        m_shownLanguage = currentLanguage();
        m_editorMoved = false;
    }
    for (Hover &h : m_hover)
        applyHoverStyle(h);
    const QStringList texts = trimTexts(p);
    for (int i = 0; i < 4; ++i) {
        QLineEdit *edit = m_trims[size_t(i)];
        if (edit && edit->text() != texts.at(i))
            edit->setText(texts.at(i));
    }
    if (m_throttle)
        m_throttle->setPoints({p.ThCure1, p.ThCure2, p.ThCure3, p.ThCure4, p.ThCure5, p.ThCure6, p.ThCure7});
    if (m_rates)
        m_rates->setCurve(p.DrRateShown, p.DrExpShown);
}

void SettingBinder::showEditors(const ParameterSet &p)
{
    m_showing = true;
    for (Bound &b : m_bound) {
        switch (b.kind) {
        case Kind::Volts: {
            auto *box = static_cast<QDoubleSpinBox *>(b.widget);
            const double value = p.*b.row->volts;
            showValue(box, value);
            showHeldInSpin(b, value, box->minimum(), box->maximum());
            break;
        }
        case Kind::Spin: {
            auto *box = static_cast<QSpinBox *>(b.widget);
            const int value = b.row->member.of(p);
            showValue(box, value);
            showHeldInSpin(b, value, box->minimum(), box->maximum());
            break;
        }
        case Kind::Combo:
            showCombo(b, b.row->member.of(p));
            break;
        }
    }
    m_showing = false;
}

void SettingBinder::showUnwritten(const QStringList &editors)
{
    // Asked after every refresh pass, mostly with the list of the last one.
    const QString language = currentLanguage();
    if (!m_unwrittenLanguage.isEmpty() && editors == m_unwrittenShown && language == m_unwrittenLanguage)
        return;
    m_unwrittenShown = editors;
    m_unwrittenLanguage = language;
    const QSet<QString> names(editors.begin(), editors.end());
    QVector<QWidget *> marked;
    for (Mark &m : m_marks) {
        const bool unwritten = names.contains(m.editor->objectName());
        if (m.unwritten != unwritten) {
            m.unwritten = unwritten;
            setUnwritten(m.editor, unwritten);
        }
        if (m.unwritten)
            marked.append(m.editor);
    }
    // Again after a language switch: the tooltip follows it.
    markUnwrittenPages(m_tabs, marked);
}

// A box resting under the pointer counts passes; on the 20th its hover
// highlight lapses. Leaving after the lapse restores the normal look; leaving
// earlier keeps the count, so the next visit lapses sooner.
void SettingBinder::applyHoverStyle(Hover &h)
{
    QString sheet;
    if (h.box->underMouse()) {
        const int next = h.ticks + 1;
        if (next > 19) {
            h.ticks = 20;
            if (readStyleSheet(QStringLiteral(":/comboBox_REV.qss"), &sheet) && h.box->styleSheet() != sheet)
                h.box->setStyleSheet(sheet);
        } else {
            h.ticks = next;
        }
    } else if (h.ticks > 19) {
        h.ticks = 0;
        if (readStyleSheet(QStringLiteral(":/comboBox.qss"), &sheet))
            h.box->setStyleSheet(sheet);
    }
}

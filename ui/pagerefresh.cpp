#include "ui/pagerefresh.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>

#include "ui/mainform.h"

namespace {

using P = ParameterSet;

struct Binding
{
    QString widget;
    IntRef member;
    double P::*volt = nullptr;
};

struct GroupDisplay
{
    PageGroup group;
    QVector<Binding> editors;
    QStringList styled; // combo boxes that get the hover treatment, in order
};

// Widgets pattern.arg(first), pattern.arg(first + 1), ... bound to members.
QVector<Binding> family(const char *pattern, int first, std::initializer_list<IntRef> members)
{
    QVector<Binding> out;
    int n = first;
    for (const IntRef &m : members)
        out.append({QString::fromLatin1(pattern).arg(n++), m});
    return out;
}

QStringList names(const char *pattern, int first, int last)
{
    QStringList out;
    for (int n = first; n <= last; ++n)
        out.append(QString::fromLatin1(pattern).arg(n));
    return out;
}

template<class T>
QVector<T> operator+(QVector<T> a, const QVector<T> &b)
{
    a += b;
    return a;
}

QVector<Binding> mixEditors(int n, IntRef mix, IntRef master, IntRef slave, IntRef d1, IntRef d2, IntRef d3)
{
    const QString prefix = QStringLiteral("PRM0%1_").arg(n);
    return {{QStringLiteral("comboBox_") + prefix + QLatin1String("Mix"), mix},
            {QStringLiteral("comboBox_") + prefix + QLatin1String("Master"), master},
            {QStringLiteral("comboBox_") + prefix + QLatin1String("Slave"), slave},
            {QStringLiteral("spinBox_") + prefix + QLatin1String("Data1"), d1},
            {QStringLiteral("spinBox_") + prefix + QLatin1String("Data2"), d2},
            {QStringLiteral("spinBox_") + prefix + QLatin1String("Data3"), d3}};
}

QStringList mixComboBoxes()
{
    QStringList out;
    for (int n = 1; n <= 4; ++n) {
        for (const char *field : {"Mix", "Master", "Slave"})
            out.append(QStringLiteral("comboBox_PRM0%1_%2").arg(n).arg(QLatin1String(field)));
    }
    return out;
}

const QVector<GroupDisplay> &displayGroups()
{
    static const QVector<GroupDisplay> groups = {
        {PageGroup::Rev,
         family("comboBox_rev%1", 1, {&P::Rev1, &P::Rev2, &P::Rev3, &P::Rev4, &P::Rev5, &P::Rev6, &P::Rev7, &P::Rev8}),
         names("comboBox_rev%1", 1, 8)},
        {PageGroup::EPA,
         family("spinBox_Lepa%1", 1, {&P::Lepa1, &P::Lepa2, &P::Lepa3, &P::Lepa4, &P::Lepa5, &P::Lepa6, &P::Lepa7, &P::Lepa8})
                 + family("spinBox_Repa%1", 1, {&P::Repa1, &P::Repa2, &P::Repa3, &P::Repa4, &P::Repa5, &P::Repa6, &P::Repa7, &P::Repa8}),
         {}},
        {PageGroup::SubTrim,
         family("spinBox_sub%1", 1, {&P::Sub1, &P::Sub2, &P::Sub3, &P::Sub4, &P::Sub5, &P::Sub6, &P::Sub7, &P::Sub8}),
         {}},
        {PageGroup::FS,
         family("spinBox_FS%1", 1, {&P::FS1, &P::FS2, &P::FS3, &P::FS4, &P::FS5, &P::FS6, &P::FS7, &P::FS8}),
         {}},
        {PageGroup::Delay,
         family("spinBox_delay%1", 1, {&P::Delay1, &P::Delay2, &P::Delay3, &P::Delay4, &P::Delay5, &P::Delay6, &P::Delay7, &P::Delay8}),
         {}},
        // Channels 1 to 4 have no source of their own: their boxes always show
        // the one "reserved" item.
        {PageGroup::Aux,
         family("comboBox_AUX%1", 1, {IntRef(), IntRef(), IntRef(), IntRef()})
                 + family("comboBox_AUX%1", 5, {&P::Aux5, &P::Aux6, &P::Aux7, &P::Aux8}),
         names("comboBox_AUX%1", 1, 8)},
        {PageGroup::DR,
         {{QStringLiteral("comboBox_DR_MIX1"), &P::DrMix},
          {QStringLiteral("comboBox_DR_CH1"), &P::DrCh},
          {QStringLiteral("comboBox_DR_SW1"), &P::DrSw},
          {QStringLiteral("spinBox_DR_UP1"), &P::DrUpShown},
          {QStringLiteral("spinBox_DR_DOWN1"), &P::DrDownShown}},
         {QStringLiteral("comboBox_DR_MIX1"), QStringLiteral("comboBox_DR_CH1"), QStringLiteral("comboBox_DR_SW1")}},
        {PageGroup::Parameter,
         {{QStringLiteral("doubleSpinBox_Volt"), {}, &P::TxVolt},
          {QStringLiteral("spinBox_Mode"), &P::Mode},
          {QStringLiteral("spinBox_Vertion"), &P::Vertion},
          {QStringLiteral("doubleSpinBox_rxVolt"), {}, &P::RxVolt},
          {QStringLiteral("doubleSpinBox_extVolt"), {}, &P::ExtVolt},
          {QStringLiteral("spinBox_Rssi"), &P::RssiAlarm}},
         {}},
        {PageGroup::Atti,
         QVector<Binding>{{QStringLiteral("comboBox_AttiM"), &P::AttiM}}
                 + family("spinBox_Atti%1", 1, {&P::Atti1, &P::Atti2, &P::Atti3, &P::Atti4, &P::Atti5, &P::Atti6}),
         {QStringLiteral("comboBox_AttiM")}},
        {PageGroup::Elev,
         QVector<Binding>{{QStringLiteral("comboBox_EleMix"), &P::EleMix}}
                 + family("spinBox_Elev0%1", 1, {&P::Elev1, &P::Elev2, &P::Elev3, &P::Elev4, &P::Elev5, &P::Elev6}),
         {QStringLiteral("comboBox_EleMix")}},
        {PageGroup::Vtype,
         QVector<Binding>{{QStringLiteral("comboBox_RuMix"), &P::RuMix}}
                 + family("spinBox_Ru%1", 1, {&P::Ru1, &P::Ru2, &P::Ru3, &P::Ru4}),
         {QStringLiteral("comboBox_RuMix")}},
        {PageGroup::Prm,
         mixEditors(1, &P::Prm1Mix, &P::Prm1Master, &P::Prm1Slave, &P::Prm1Data1, &P::Prm1Data2, &P::Prm1Data3)
                 + mixEditors(2, &P::Prm2Mix, &P::Prm2Master, &P::Prm2Slave, &P::Prm2Data1, &P::Prm2Data2, &P::Prm2Data3)
                 + mixEditors(3, &P::Prm3Mix, &P::Prm3Master, &P::Prm3Slave, &P::Prm3Data1, &P::Prm3Data2, &P::Prm3Data3)
                 + mixEditors(4, &P::Prm4Mix, &P::Prm4Master, &P::Prm4Slave, &P::Prm4Data1, &P::Prm4Data2, &P::Prm4Data3),
         mixComboBoxes()},
        {PageGroup::DRCure,
         {{QStringLiteral("comboBox_DR_MIX2"), &P::DrMix},
          {QStringLiteral("comboBox_DR_CH2"), &P::DrCh},
          {QStringLiteral("comboBox_DR_SW2"), &P::DrSw},
          {QStringLiteral("comboBox_DR_POSI"), &P::DrPosi},
          {QStringLiteral("spinBox_DR_RATE"), &P::DrRateShown},
          {QStringLiteral("spinBox_DR_EXP"), &P::DrExpShown}},
         {QStringLiteral("comboBox_DR_MIX2"), QStringLiteral("comboBox_DR_CH2"), QStringLiteral("comboBox_DR_SW2"),
          QStringLiteral("comboBox_DR_POSI")}},
        {PageGroup::THcure,
         QVector<Binding>{{QStringLiteral("comboBox_THCURE_MIX"), &P::ThCureMix}}
                 + family("spinBox_THCURE_Data0%1", 1, {&P::ThCure1, &P::ThCure2, &P::ThCure3, &P::ThCure4, &P::ThCure5, &P::ThCure6, &P::ThCure7}),
         {QStringLiteral("comboBox_THCURE_MIX")}},
    };
    return groups;
}

bool readStyleSheet(const QString &path, QString *out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *out = QString::fromUtf8(file.readAll());
    return true;
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

void PageRefresher::bind(const MainForm &form)
{
    for (const GroupDisplay &display : displayGroups()) {
        auto &editors = m_editors[size_t(display.group)];
        for (const Binding &b : display.editors) {
            QWidget *w = form.widget(b.widget);
            Q_ASSERT_X(w, "PageRefresher::bind", qPrintable(b.widget));
            if (w)
                editors.append({w, b.member, b.volt});
        }
        auto &hover = m_hover[size_t(display.group)];
        for (const QString &name : display.styled) {
            if (auto *box = form.find<QComboBox>(name))
                hover.append({box, 0});
        }
    }
    for (int i = 0; i < 4; ++i)
        m_trims[size_t(i)] = form.find<QLineEdit>(QStringLiteral("lineEdit_Trim_%1").arg(i + 1));
}

void PageRefresher::show(PageGroup group, const ParameterSet &p)
{
    for (const Editor &e : m_editors[size_t(group)]) {
        // A spin box without focus that holds the value already shows it as
        // written out; setting it again would change nothing but repaint it.
        // The one being typed in is set as always.
        const bool settled = !e.widget->hasFocus();
        if (e.volt) {
            auto *box = static_cast<QDoubleSpinBox *>(e.widget);
            if (!settled || box->value() != p.*e.volt)
                box->setValue(p.*e.volt);
            continue;
        }
        const int value = e.member.isNull() ? 0 : e.member.of(p);
        if (auto *box = qobject_cast<QComboBox *>(e.widget)) {
            box->setCurrentIndex(value);
        } else {
            auto *spin = static_cast<QSpinBox *>(e.widget);
            if (!settled || spin->value() != value)
                spin->setValue(value);
        }
    }
    for (Hover &h : m_hover[size_t(group)])
        applyHoverStyle(h);
}

void PageRefresher::showTrims(const ParameterSet &p)
{
    const QStringList texts = trimTexts(p);
    for (int i = 0; i < 4; ++i) {
        QLineEdit *edit = m_trims[size_t(i)];
        if (edit && edit->text() != texts.at(i))
            edit->setText(texts.at(i));
    }
}

int PageRefresher::hoverTicks(const QComboBox *box) const
{
    for (const auto &group : m_hover) {
        for (const Hover &h : group) {
            if (h.box == box)
                return h.ticks;
        }
    }
    return -1;
}

// A box resting under the pointer counts passes; on the 20th its hover
// highlight lapses. Leaving after the lapse restores the normal look; leaving
// earlier keeps the count, so the next visit lapses sooner.
void PageRefresher::applyHoverStyle(Hover &h)
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

#include "ui/formbuilder.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/captionfit.h"
#include "ui/curvewidgets.h"
#include "ui/fixedchoicemodel.h"
#include "ui/formstyles.h"

using namespace FormTables;

namespace {

// The one caption the user may type into.
const char kWritableCaption[] = "lineEdit_36";
const int kWritableCaptionPx = 22;

// Column cells share their column's height evenly, so that captions and
// editors of one row stand level whatever their natural heights.
void fillRow(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setVerticalPolicy(QSizePolicy::Preferred);
    widget->setSizePolicy(policy);
}

// comboBox_rev1 also carries its colours as a palette.
void applyEditorPalette(QWidget *widget)
{
    QPalette palette = widget->palette();
    const QColor blue(85, 170, 255);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text, Qt::white);
        palette.setColor(group, QPalette::ButtonText, Qt::white);
        palette.setColor(group, QPalette::Button, blue);
        palette.setColor(group, QPalette::Base, blue);
        palette.setColor(group, QPalette::Window, blue);
    }
    widget->setPalette(palette);
}

} // namespace

void FormBuilder::setText(QWidget *widget, const QStringList &texts)
{
    m_form.m_texts.append({widget, texts});
}

QLineEdit *FormBuilder::lineEdit(QWidget *parent, const QString &name, const QRect &geometry,
                                 const QString &styleSheet, const QString &text)
{
    auto *edit = add(new QLineEdit(parent), name, geometry);
    setStyle(edit, styleSheet, StyleBook::Focus::Frame);
    edit->setAlignment(Qt::AlignCenter);
    edit->setText(text);
    return edit;
}

QLineEdit *FormBuilder::caption(QWidget *parent, const Caption &caption, const QRect &geometry, int fontPx)
{
    const bool writable = caption.name == QLatin1String(kWritableCaption);
    auto *edit = lineEdit(parent, caption.name, geometry,
                          FormStyle::caption(writable ? kWritableCaptionPx : fontPx), caption.text);
    edit->setReadOnly(!writable);
    if (!writable)
        CaptionFit::markAsCaption(edit);
    setText(edit, {caption.text});
    return edit;
}

QWidget *FormBuilder::editor(QWidget *parent, const Editor &entry)
{
    static const QStringList largeText = largeTextEditors();
    QWidget *widget = nullptr;
    switch (entry.kind) {
    case EditorKind::Spin: {
        auto *box = new QSpinBox(parent);
        box->setRange(int(entry.minimum), int(entry.maximum));
        box->setSingleStep(1);
        box->setValue(int(entry.initial));
        widget = box;
        break;
    }
    case EditorKind::DoubleSpin: {
        auto *box = new QDoubleSpinBox(parent);
        box->setDecimals(1);
        box->setRange(entry.minimum, entry.maximum);
        box->setSingleStep(0.1);
        box->setValue(entry.initial);
        widget = box;
        break;
    }
    case EditorKind::Combo: {
        auto *box = new QComboBox(parent);
        const QStringList items = entry.items();
        if (items.size() == 1)
            box->setModel(new FixedChoiceModel(box));
        for (int i = 0; i < items.size(); ++i)
            box->addItem(QString());
        setText(box, items);
        widget = box;
        break;
    }
    }
    add(widget, entry.name);
    setStyle(widget, FormStyle::editor(largeText.contains(entry.name) ? 22 : 20), StyleBook::Focus::Frame);
    if (entry.name == QLatin1String("comboBox_rev1"))
        applyEditorPalette(widget);
    return widget;
}

void FormBuilder::column(QWidget *group, const Column &entry, int spacing)
{
    ++m_columns;
    const QString suffix = m_columns == 1 ? QString() : QStringLiteral("_%1").arg(m_columns);
    auto *holder = add(new QWidget(group), QStringLiteral("verticalLayoutWidget") + suffix, entry.geometry);
    auto *layout = new QVBoxLayout(holder);
    layout->setObjectName(QStringLiteral("verticalLayout") + suffix);
    layout->setContentsMargins(0, 0, 0, 0);
    if (spacing >= 0)
        layout->setSpacing(spacing);
    m_form.m_layouts.insert(layout->objectName(), layout);

    for (const Caption &item : entry.captions) {
        QLineEdit *edit = caption(holder, item, QRect());
        fillRow(edit);
        layout->addWidget(edit);
    }
    for (const Editor &item : entry.editors) {
        QWidget *edit = editor(holder, item);
        fillRow(edit);
        layout->addWidget(edit);
    }
}

void FormBuilder::group(QWidget *frame, const Group &entry)
{
    auto *box = add(new QGroupBox(frame), entry.name, entry.geometry);
    box->setFont(FormStyle::arial(entry.titlePointSize, true));
    setStyle(box, FormStyle::groupTitle());
    setText(box, {entry.title});

    for (const Column &c : entry.columns)
        column(box, c, entry.spacing);
    for (const LooseRow &row : entry.looseRows) {
        caption(box, row.caption, row.captionGeometry);
        lineEdit(box, row.valueName, row.valueGeometry, FormStyle::trimValue(), QStringLiteral("0"));
    }
}

void FormBuilder::monitor(QWidget *frame)
{
    for (int channel = 1; channel <= 8; ++channel) {
        const MonitorColumn m = monitorColumn(channel);
        lineEdit(frame, m.valueName, m.valueGeometry, FormStyle::monitorValue(), QStringLiteral("0"));
        QLineEdit *name = lineEdit(frame, m.nameName, m.nameGeometry, FormStyle::monitorName(),
                                   QStringLiteral("CH%1").arg(channel));
        name->setReadOnly(true);
        CaptionFit::markAsCaption(name);

        struct Bar
        {
            const QString &name;
            const QRect &geometry;
            int maximum;
            int value;
            QString style;
        };
        const Bar bars[] = {
            {m.upperBarName, m.upperBarGeometry, 1010, 10, FormStyle::upperBar()},
            {m.lowerBarName, m.lowerBarGeometry, 1000, 1000, FormStyle::lowerBar()},
        };
        for (const Bar &entry : bars) {
            auto *bar = add(new QProgressBar(frame), entry.name, entry.geometry);
            setStyle(bar, entry.style);
            bar->setRange(0, entry.maximum);
            bar->setValue(entry.value);
            bar->setOrientation(Qt::Vertical);
            bar->setInvertedAppearance(false);
            bar->setTextVisible(false);
            bar->setTextDirection(QProgressBar::BottomToTop);
        }
    }
}

void FormBuilder::curveWidgets()
{
    auto *rates = add(new mWidget(m_form.widget(QStringLiteral("groupBox_19"))),
                      QStringLiteral("widget_3"), QRect(220, 90, 280, 280));
    setStyle(rates, FormStyle::curveWidget());
    auto *throttle = add(new cureWidget(m_form.widget(QStringLiteral("groupBox_18"))),
                         QStringLiteral("widget_4"), QRect(210, 80, 300, 300));
    setStyle(throttle, FormStyle::curveWidget());
}

void FormBuilder::resetButton(QWidget *group)
{
    auto *button = add(new QPushButton(group), QStringLiteral("pushButton_Reset2"), QRect(10, 130, 281, 61));
    setStyle(button, FormStyle::commandButton(FormStyle::Button::Push), StyleBook::Focus::Frame);
    setText(button, {QCoreApplication::translate("MainForm", "重置数据")});
    m_form.pushButton_Reset2 = button;
}

void FormBuilder::addPage(QTabWidget *tabs, const Page &page)
{
    auto *tab = add(new QWidget(), page.name);
    setStyle(tab, FormStyle::page(page.name == QLatin1String("tab_2")));
    auto *frame = add(new QFrame(tab), page.frameName, page.frameGeometry);
    setStyle(frame, FormStyle::pageFrame());
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);

    for (const Group &g : page.groups)
        group(frame, g);

    // Contents that are not columns of captions and editors.
    if (page.name == QLatin1String("tab"))
        monitor(frame);
    else if (page.name == QLatin1String("tab_4"))
        curveWidgets();
    else if (page.name == QLatin1String("tab_6"))
        resetButton(m_form.widget(QStringLiteral("groupBox_23")));

    tabs->addTab(tab, QString());
    setText(tab, {page.title});
}

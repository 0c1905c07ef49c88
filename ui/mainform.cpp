#include "ui/mainform.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

#include "ui/captionfit.h"
#include "ui/formbuilder.h"
#include "ui/formstyles.h"
#include "ui/sizedicon.h"

using namespace FormTables;

namespace {

const char kWindowTitle[] = "KELVO&MIRAQ-V4.9";

enum class StripItem { OpenButton, PortSelector, Caption, Value, Lamp, Command };

// The top strip in creation order. Captions and button texts are Chinese
// source texts of the context "MainForm"; the values are not words.
struct StripWidget
{
    const char *name;
    StripItem kind;
    QRect geometry;
    const char *text;
    const char *icon;
};

const StripWidget kStrip[] = {
    {"openButton", StripItem::OpenButton, QRect(630, 5, 100, 90), QT_TRANSLATE_NOOP("MainForm", "打开串口"), nullptr},
    {"portNameBox", StripItem::PortSelector, QRect(740, 35, 120, 40), nullptr, nullptr},
    {"lineEdit_26", StripItem::Caption, QRect(920, 2, 85, 25), QT_TRANSLATE_NOOP("MainForm", "遥控:"), nullptr},
    {"lineEdit_27", StripItem::Caption, QRect(920, 28, 85, 25), QT_TRANSLATE_NOOP("MainForm", "动力:"), nullptr},
    {"lineEdit_30", StripItem::Caption, QRect(920, 54, 85, 25), QT_TRANSLATE_NOOP("MainForm", "信号:"), nullptr},
    {"lineEdit_RSSI", StripItem::Value, QRect(1010, 54, 85, 25), "null", nullptr},
    {"lineEdit_TX", StripItem::Value, QRect(1010, 2, 85, 25), " 0.0V", nullptr},
    {"lineEdit_EXT", StripItem::Value, QRect(1010, 28, 85, 25), " 0.0V", nullptr},
    {"toolButton_led", StripItem::Lamp, QRect(870, 35, 40, 40), nullptr, ":/myImage/images/red.png"},
    {"toolButton_Reset", StripItem::Command, QRect(500, 5, 110, 90),
     QT_TRANSLATE_NOOP("MainForm", "出厂设置"), ":/myImage/images/Reset.png"},
    {"toolButton_Read", StripItem::Command, QRect(20, 5, 110, 90),
     QT_TRANSLATE_NOOP("MainForm", " 读取数据"), ":/myImage/images/Receive.png"},
    {"toolButton_Load", StripItem::Command, QRect(140, 5, 110, 90),
     QT_TRANSLATE_NOOP("MainForm", "加载数据"), ":/myImage/images/open.png"},
    {"toolButton_Save", StripItem::Command, QRect(380, 5, 110, 91),
     QT_TRANSLATE_NOOP("MainForm", "保存数据"), ":/myImage/images/save.png"},
    {"toolButton_Send", StripItem::Command, QRect(260, 5, 110, 90),
     QT_TRANSLATE_NOOP("MainForm", "写入数据"), ":/myImage/images/Send.png"},
    {"lineEdit_37", StripItem::Caption, QRect(920, 80, 85, 25), QT_TRANSLATE_NOOP("MainForm", "接收:"), nullptr},
    {"lineEdit_RX", StripItem::Value, QRect(1010, 80, 85, 25), " 0.0V", nullptr},
};

const int kStripCaptionPx = 14;
const QSize kCommandIconSize(60, 60);
const QSize kLampIconSize(40, 40);

} // namespace

QStringList telemetryValueNames()
{
    return {QStringLiteral("lineEdit_TX"), QStringLiteral("lineEdit_EXT"), QStringLiteral("lineEdit_RSSI"),
            QStringLiteral("lineEdit_RX")};
}

namespace {

QString translated(const char *source)
{
    return QCoreApplication::translate("MainForm", source);
}

void buildStrip(FormBuilder &build, MainForm &form, QWidget *frame)
{
    for (const StripWidget &item : kStrip) {
        const QString name = QString::fromLatin1(item.name);
        const QString text = item.kind == StripItem::Value ? QString::fromUtf8(item.text) : translated(item.text);
        switch (item.kind) {
        case StripItem::OpenButton:
            form.openButton = build.add(new QPushButton(frame), name, item.geometry);
            build.setStyle(form.openButton, FormStyle::commandButton(FormStyle::Button::Push), StyleBook::Focus::Frame);
            build.setText(form.openButton, {text});
            break;
        case StripItem::PortSelector:
            form.portNameBox = build.add(new QComboBox(frame), name, item.geometry);
            form.portNameBox->setFont(FormStyle::arial(16, true));
            build.setStyle(form.portNameBox, FormStyle::portSelector(), StyleBook::Focus::Line);
            form.portNameBox->view()->setStyleSheet(FormStyle::portPopup());
            break;
        case StripItem::Caption:
            build.caption(frame, {name, text}, item.geometry, kStripCaptionPx);
            break;
        case StripItem::Value: {
            // Shown, never typed into: no Tab stop, no text cursor.
            QLineEdit *value = build.lineEdit(frame, name, item.geometry, FormStyle::stripValue(), text);
            value->setFocusPolicy(Qt::NoFocus);
            value->setCursor(Qt::ArrowCursor);
            break;
        }
        case StripItem::Lamp:
            form.toolButton_led = build.add(new QToolButton(frame), name, item.geometry);
            build.setStyle(form.toolButton_led, FormStyle::lamp());
            // A lamp, not a control: nothing happens when it is pressed.
            form.toolButton_led->setFocusPolicy(Qt::NoFocus);
            form.toolButton_led->setIcon(iconForSize(QString::fromLatin1(item.icon), kLampIconSize));
            form.toolButton_led->setIconSize(kLampIconSize);
            break;
        case StripItem::Command: {
            auto *button = build.add(new QToolButton(frame), name, item.geometry);
            build.setStyle(button,
                           FormStyle::commandButton(name == QLatin1String("toolButton_Reset")
                                                        ? FormStyle::Button::ToolReset
                                                        : FormStyle::Button::Tool),
                           StyleBook::Focus::Frame);
            button->setIcon(iconForSize(QString::fromLatin1(item.icon), kCommandIconSize));
            button->setIconSize(kCommandIconSize);
            button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            build.setText(button, {text});
            break;
        }
        }
    }
    form.toolButton_Read = form.find<QToolButton>(QStringLiteral("toolButton_Read"));
    form.toolButton_Load = form.find<QToolButton>(QStringLiteral("toolButton_Load"));
    form.toolButton_Send = form.find<QToolButton>(QStringLiteral("toolButton_Send"));
    form.toolButton_Save = form.find<QToolButton>(QStringLiteral("toolButton_Save"));
    form.toolButton_Reset = form.find<QToolButton>(QStringLiteral("toolButton_Reset"));
}

void buildTabWidget(FormBuilder &build, MainForm &form)
{
    QTabWidget *tabs = build.add(new QTabWidget(form.centralwidget), QStringLiteral("tabWidget"),
                                 QRect(10, 110, 1080, 560));
    tabs->setFocusPolicy(Qt::NoFocus);
    tabs->setContextMenuPolicy(Qt::NoContextMenu);
    tabs->setFont(FormStyle::arial(11, true));
    build.setStyle(tabs, FormStyle::tabBar());
    tabs->setTabPosition(QTabWidget::North);
    tabs->setTabShape(QTabWidget::Rounded);
    tabs->setIconSize(QSize(100, 100));
    tabs->setElideMode(Qt::ElideMiddle);
    tabs->setDocumentMode(true);
    tabs->setTabsClosable(false);
    tabs->setMovable(true);
    tabs->setTabBarAutoHide(false);
    form.tabWidget = tabs;

    for (const Page &page : pages())
        build.addPage(tabs, page);
}

// Puts one queued text on its widget, whatever kind of widget it is.
void applyText(QTabWidget *tabs, QWidget *widget, const QStringList &texts)
{
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        for (int i = 0; i < texts.size() && i < combo->count(); ++i) {
            if (combo->itemText(i) != texts.at(i))
                combo->setItemText(i, texts.at(i));
        }
    } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        group->setTitle(texts.value(0));
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        button->setText(texts.value(0));
    } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        edit->setText(texts.value(0));
    } else if (const int index = tabs->indexOf(widget); index >= 0) {
        tabs->setTabText(index, texts.value(0));
    }
}

// What paints every pixel of itself, so that Qt need not paint what lies
// beneath it first. The style sheet style cannot tell and drops these hints
// whenever it polishes, so they are given after every sheet.
// - The monitor's bars are square and opaque, and move with every refresh.
// - The frames are filled by their sheet with one opaque colour, which the
//   sheet also gives their palette: filled with it first as well (the same
//   pixels), they hide the page's gradient, the tab widget and the window
//   beneath them, and a live value repaints its frame alone.
void markOpaque(const MainForm &form)
{
    for (int channel = 1; channel <= 8; ++channel) {
        const MonitorColumn column = monitorColumn(channel);
        for (const QString &name : {column.upperBarName, column.lowerBarName}) {
            QProgressBar *bar = form.find<QProgressBar>(name);
            bar->ensurePolished();
            bar->setAttribute(Qt::WA_OpaquePaintEvent);
        }
    }
    QStringList frames{QStringLiteral("frame")};
    for (const Page &page : pages())
        frames.append(page.frameName);
    for (const QString &name : std::as_const(frames)) {
        auto *frame = form.find<QFrame>(name);
        frame->ensurePolished();
        frame->setAutoFillBackground(frame->palette().brush(frame->backgroundRole()).isOpaque());
    }
}

} // namespace

// The icons and style sheets are compiled into the core library; a static
// library must register them explicitly before first use.
static void loadResources()
{
    Q_INIT_RESOURCE(resources);
}

void MainForm::setupUi(QMainWindow *window, Sheets sheets)
{
    m_sheets = sheets;
    loadResources();
    FormBuilder build(*this);

    window->setObjectName(QStringLiteral("MainWindow"));
    window->resize(1100, 680);
    window->setMinimumSize(QSize(0, 0));
    window->setMaximumSize(QSize(11100, 8000));
    m_widgets.insert(window->objectName(), window);

    centralwidget = build.add(new QWidget(window), QStringLiteral("centralwidget"));
    build.setStyle(centralwidget, FormStyle::window());
    // Under a style sheet a widget takes no font from its parent: the widgets
    // are built under one already (the window's own family until the whole
    // sheet is composed), so the curve widgets keep the application's font
    // rather than their group box's.
    if (sheets == Sheets::One)
        centralwidget->setStyleSheet(FormStyle::window());
    auto *strip = build.add(new QFrame(centralwidget), QStringLiteral("frame"), QRect(0, 0, 1200, 110));
    strip->setFrameShape(QFrame::StyledPanel);
    strip->setFrameShadow(QFrame::Raised);
    buildStrip(build, *this, strip);

    buildTabWidget(build, *this);
    window->setCentralWidget(centralwidget);
    // One sheet for the whole form, set when every widget is in place (the
    // status line joins later under its own names).
    if (sheets == Sheets::One) {
        // Polished first, so that the new sheet replaces what the widgets
        // took from the first one (Qt 5 keeps that for unpolished widgets).
        centralwidget->ensurePolished();
        m_sheet = m_styles.compose(centralwidget) + FormStyle::statusLabel() + FormStyle::statusProgress()
                + FormStyle::statusBanner() + FormStyle::staleTelemetry(telemetryValueNames())
                + FormStyle::toolTip(centralwidget->objectName());
        // With the smaller faces some captions need (fitCaptions below finds
        // the same), so that the form is polished with its sheet only once.
        activateLayouts();
        m_captionRules = CaptionFit::rulesAhead(centralwidget, m_sheet);
        centralwidget->setStyleSheet(m_sheet + m_captionRules);
    }
    if (sheets != Sheets::None)
        markOpaque(*this);

    retranslateUi(window);
    if (sheets != Sheets::None)
        fitCaptions();

    for (const InitialIndex &initial : initialIndexes()) {
        const QString &name = initial.name;
        if (auto *combo = find<QComboBox>(name))
            combo->setCurrentIndex(initial.index);
        else if (auto *tabs = find<QTabWidget>(name))
            tabs->setCurrentIndex(initial.index);
    }

    // Last, so that building the form never runs an edit slot.
    QMetaObject::connectSlotsByName(window);
}

void MainForm::retranslateUi(QMainWindow *window)
{
    window->setWindowTitle(QString::fromUtf8(kWindowTitle));
    for (const FormText &text : std::as_const(m_texts))
        applyText(tabWidget, text.widget, text.texts);
}

void MainForm::takeWords(const MainForm &other)
{
    for (const FormText &text : other.m_texts) {
        QWidget *widget = m_widgets.value(text.widget->objectName());
        if (widget && widget != openButton)
            applyText(tabWidget, widget, text.texts);
    }
}

void MainForm::fitCaptions()
{
    activateLayouts();
    const QVector<CaptionFit::Smaller> smaller = CaptionFit::fitAll(centralwidget);
    const QString rules = CaptionFit::rules(smaller);
    if (m_sheets == Sheets::EachWidget) {
        for (const CaptionFit::Smaller &s : smaller)
            s.edit->setStyleSheet(s.edit->styleSheet() + CaptionFit::rules({s}));
        return;
    }
    // After the family rules they replace: the same selector, later.
    if (rules != m_captionRules) {
        m_captionRules = rules;
        centralwidget->setStyleSheet(m_sheet + rules);
        // A new sheet polishes the bars and frames again.
        markOpaque(*this);
    }
}

void MainForm::activateLayouts()
{
    // Measured in the boxes their columns give them: before the window is
    // first shown, a caption in a column has no size yet.
    for (QVBoxLayout *layout : std::as_const(m_layouts))
        layout->activate();
}

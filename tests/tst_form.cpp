// The main window's form: names, classes, places, ranges, start values, item
// lists, texts and resources. The expectations are written out here from the
// form's description, independently of the tables the form is built from.

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QScreen>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "model/settings.h"
#include "ui/formtables.h"
#include "ui/mainform.h"
#include "ui/settingbinder.h"
#include "ui/sizedicon.h"

namespace {

QStringList channels(int count)
{
    QStringList list;
    for (int n = 1; n <= count; ++n)
        list << QStringLiteral("CH%1").arg(n);
    return list;
}

const QStringList kPhase = {"正相", "反相"};
const QStringList kOnOff = {"关闭", "打开"};
const QStringList kMixState = {"禁止", "关闭", "打开"};
const QStringList kAuxSource = {"SwA", "SwB", "VrA", "VrB/SwC", "NULL", "Lock-C"};

// Names of the channel captions on the basic menu, rows 1..8.
const QStringList kChannelCaptions = {"lineEdit_28", "lineEdit_29", "lineEdit_31", "lineEdit_32",
                                      "lineEdit_33", "lineEdit_34", "lineEdit_35", "lineEdit_36"};

// Caption names of the four programmable mixes, in row order, and their groups.
const QStringList kMixGroups = {"groupBox_11", "groupBox_12", "groupBox_15", "groupBox_21"};
const QStringList kMixCaptions[] = {
    {"lineEdit_80", "lineEdit_83", "lineEdit_79", "lineEdit_84", "lineEdit_85", "lineEdit_86"},
    {"lineEdit_94", "lineEdit_90", "lineEdit_89", "lineEdit_91", "lineEdit_92", "lineEdit_93"},
    {"lineEdit_106", "lineEdit_102", "lineEdit_101", "lineEdit_103", "lineEdit_104", "lineEdit_105"},
    {"lineEdit_119", "lineEdit_120", "lineEdit_121", "lineEdit_122", "lineEdit_123", "lineEdit_124"},
};

// True if ancestor is widget or one of its parents.
bool isInside(const QWidget *widget, const QWidget *ancestor)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (w == ancestor)
            return true;
    }
    return false;
}

QRect rectIn(const QWidget *widget, const QWidget *reference)
{
    return QRect(widget->mapTo(reference, QPoint(0, 0)), widget->size());
}

// A window with its own form, for the cases that change widgets.
struct FormWindow
{
    FormWindow() { form.setupUi(&window); }
    QMainWindow window;
    MainForm form;
};

// A window that counts the edit slots the form connects by name.
class CountingWindow : public QMainWindow
{
    Q_OBJECT
public:
    int subTrimChanges = 0;
    int reverseChanges = 0;

private slots:
    void on_spinBox_sub1_valueChanged(int) { ++subTrimChanges; }
    void on_comboBox_rev3_currentIndexChanged(int) { ++reverseChanges; }
};

} // namespace

class TestForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void spinBoxes_data();
    void spinBoxes();
    void voltageEditors_data();
    void voltageEditors();
    void spinBoxesClampProgramValues_data();
    void spinBoxesClampProgramValues();
    void refreshPutsBackWhatNoEditStored();
    void comboBoxes_data();
    void comboBoxes();
    void singleItemCombosNeverChange_data();
    void singleItemCombosNeverChange();
    void captions_data();
    void captions();
    void captionsStandLevelWithEditors_data();
    void captionsStandLevelWithEditors();
    void groupBoxes_data();
    void groupBoxes();
    void editorTextSize_data();
    void editorTextSize();
    void pages();
    void monitor();
    void strip();
    void curveWidgets();
    void registryMatchesWidgetTree();
    void everyEditorStandsForItsSetting();
    void slotsConnectAfterSetup();
    void resources_data();
    void resources();
    void stripIconsLookAsTheFiles_data();
    void stripIconsLookAsTheFiles();
    void barsPaintAsOverThePage();
    void styleSheets();

private:
    std::unique_ptr<QMainWindow> m_window;
    MainForm m_form;
};

// The tests that only look at the form share one; those that change widgets
// build their own.
void TestForm::initTestCase()
{
    m_window = std::make_unique<QMainWindow>();
    m_form.setupUi(m_window.get());
}

void TestForm::cleanupTestCase()
{
    m_window.reset();
}

// Every spin box of the form is the editor of a row of the settings table,
// in the row's group, with the row's range and start (or the editor's own,
// where the row says why): the table is the form's.
void TestForm::spinBoxes_data()
{
    QTest::addColumn<QString>("name");
    QStringList editors;
    for (const Setting &row : settingRows()) {
        if (!row.editor.isEmpty() && !row.choices && !row.volts && !editors.contains(row.editor))
            editors.append(row.editor);
    }
    QStringList onForm;
    for (const QSpinBox *box : m_window->findChildren<QSpinBox *>())
        onForm.append(box->objectName());
    QVERIFY2(editors.size() > 0 && editors.size() == onForm.size(), qPrintable(onForm.join(' ')));
    for (const QString &name : editors)
        QTest::newRow(qPrintable(name)) << name;
}

void TestForm::spinBoxes()
{
    QFETCH(QString, name);

    const Setting *row = rowOfEditor(name);
    QVERIFY(row);
    const EditorSpan span = editorSpan(*row);
    auto *box = m_form.find<QSpinBox>(name);
    QVERIFY2(box, qPrintable(name + " is not a spin box of the form"));
    QCOMPARE(box->objectName(), name);
    QCOMPARE(box->minimum(), int(span.minimum));
    QCOMPARE(box->maximum(), int(span.maximum));
    QCOMPARE(box->value(), int(span.start));
    QCOMPARE(box->singleStep(), 1);
    QVERIFY(box->prefix().isEmpty() && box->suffix().isEmpty());
    // A shown dual rate is no setting of its own: its group is where the
    // page lays it out.
    QString group = row->group;
    for (const FormTables::Page &page : FormTables::pages()) {
        for (const FormTables::Group &g : page.groups) {
            for (const FormTables::Column &column : g.columns) {
                for (const FormTables::Editor &editor : column.editors)
                    group = group.isEmpty() && editor.name == name ? g.name : group;
            }
        }
    }
    QVERIFY2(!group.isEmpty() && isInside(box, m_form.widget(group)), qPrintable(name + " is not in " + group));
}

void TestForm::voltageEditors_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"doubleSpinBox_Volt", "doubleSpinBox_rxVolt", "doubleSpinBox_extVolt"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestForm::voltageEditors()
{
    QFETCH(QString, name);
    auto *box = m_form.find<QDoubleSpinBox>(name);
    QVERIFY(box);
    QCOMPARE(box->minimum(), 0.0);
    QCOMPARE(box->maximum(), 99.9);
    QCOMPARE(box->singleStep(), 0.1);
    QCOMPARE(box->decimals(), 1);
    QCOMPARE(box->value(), 11.0);
    QVERIFY(isInside(box, m_form.widget("groupBox_17")));

    FormWindow own;
    box = own.form.find<QDoubleSpinBox>(name);
    box->setValue(123.45);
    QCOMPARE(box->value(), 99.9);
    box->setValue(3.14);
    QCOMPARE(box->text(), QStringLiteral("3.1"));
}

void TestForm::spinBoxesClampProgramValues_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("shown");

    QTest::newRow("end point above 120") << "spinBox_Lepa1" << 130 << 120;
    QTest::newRow("rssi never positive") << "spinBox_Rssi" << 5 << 0;
    QTest::newRow("rssi floor") << "spinBox_Rssi" << -150 << -100;
    QTest::newRow("mode above 4") << "spinBox_Mode" << 9 << 4;
    QTest::newRow("mode below 1") << "spinBox_Mode" << 0 << 1;
    QTest::newRow("mix 3 upper side stops at 0") << "spinBox_PRM03_Data2" << -40 << 0;
    QTest::newRow("mix 4 lower side stops at 0") << "spinBox_PRM04_Data3" << -40 << 0;
    QTest::newRow("mix 1 upper side goes negative") << "spinBox_PRM01_Data2" << -40 << -40;
    QTest::newRow("sub-trim floor") << "spinBox_sub5" << -130 << -100;
}

void TestForm::spinBoxesClampProgramValues()
{
    QFETCH(QString, name);
    QFETCH(int, written);
    QFETCH(int, shown);

    FormWindow own;
    auto *box = own.form.find<QSpinBox>(name);
    QVERIFY(box);
    box->setValue(written);
    QCOMPARE(box->value(), shown);
    QCOMPARE(box->text(), QString::number(shown));
}

// The refresh shows the set-up on every editor: a value a box took that no
// edit stored is put back by the next pass, though the set-up did not
// change; a value the set-up takes later is shown, marked while the box
// cannot hold it.
void TestForm::refreshPutsBackWhatNoEditStored()
{
    FormWindow own;
    SettingBinder binder;
    binder.bind(own.form);
    ParameterSet p;
    binder.show(p);
    auto *sub = own.form.find<QSpinBox>(QStringLiteral("spinBox_sub1"));
    auto *rev = own.form.find<QComboBox>(QStringLiteral("comboBox_rev1"));
    const int subShown = sub->value();
    const int revShown = rev->currentIndex();
    QSignalSpy edits(&binder, &SettingBinder::edited);
    sub->setValue(subShown + 5);
    rev->setCurrentIndex(1 - revShown);
    QCOMPARE(edits.count(), 2);
    binder.show(p);
    QCOMPARE(sub->value(), subShown);
    QCOMPARE(rev->currentIndex(), revShown);

    p.Sub1 = sub->maximum() + 20;
    binder.show(p);
    QCOMPARE(sub->prefix(), QStringLiteral(">"));
    QVERIFY(SettingBinder::holdsUnshownValue(sub));
    p.Sub1 = 7;
    binder.show(p);
    QCOMPARE(sub->value(), 7);
    QVERIFY(sub->prefix().isEmpty());
    QVERIFY(!SettingBinder::holdsUnshownValue(sub));
}

void TestForm::comboBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("index");

    auto row = [](const QString &name, const QString &group, const QStringList &items, int index) {
        QTest::newRow(qPrintable(name)) << name << group << items << index;
    };
    const int auxIndex[] = {1, 3, 0, 2};
    for (int n = 1; n <= 8; ++n) {
        row(QStringLiteral("comboBox_rev%1").arg(n), "groupBox_2", kPhase, n == 3 ? 1 : 0);
        row(QStringLiteral("comboBox_AUX%1").arg(n), "groupBox_6",
            n <= 4 ? QStringList{"预留"} : kAuxSource, n <= 4 ? 0 : auxIndex[n - 5]);
    }
    row("comboBox_DR_MIX1", "groupBox_8", kOnOff, 0);
    row("comboBox_DR_CH1", "groupBox_8", channels(4), 0);
    row("comboBox_DR_SW1", "groupBox_8", {"SWA"}, 0);
    row("comboBox_AttiM", "groupBox_7", {"CH5", "CH6", "CH7", "CH8", "关闭"}, 4);
    row("comboBox_EleMix", "groupBox_10", kOnOff, 0);
    row("comboBox_RuMix", "groupBox_13", kOnOff, 0);
    row("comboBox_DR_MIX2", "groupBox_19", kOnOff, 0);
    row("comboBox_DR_CH2", "groupBox_19", channels(4), 0);
    row("comboBox_DR_SW2", "groupBox_19", {"SWA"}, 0);
    row("comboBox_DR_POSI", "groupBox_19", {"UP", "DOWN"}, 0);
    row("comboBox_THCURE_MIX", "groupBox_18", kOnOff, 0);
    const int masters[] = {0, 1, 0, 1};
    const int slaves[] = {3, 5, 3, 5};
    for (int mix = 1; mix <= 4; ++mix) {
        const QString group = kMixGroups.at(mix - 1);
        const QString prefix = QStringLiteral("comboBox_PRM0%1_").arg(mix);
        row(prefix + "Mix", group, kMixState, 0);
        row(prefix + "Master", group, channels(8), masters[mix - 1]);
        row(prefix + "Slave", group, channels(8), slaves[mix - 1]);
    }
    row("comboBox_PRM02_Master_2", "groupBox_20", {"V4.9"}, 0);
}

void TestForm::comboBoxes()
{
    QFETCH(QString, name);
    QFETCH(QString, group);
    QFETCH(QStringList, items);
    QFETCH(int, index);

    auto *box = m_form.find<QComboBox>(name);
    QVERIFY2(box, qPrintable(name + " is not a combo box of the form"));
    QStringList actual;
    for (int i = 0; i < box->count(); ++i)
        actual << box->itemText(i);
    QCOMPARE(actual, items);
    QCOMPARE(box->currentIndex(), index);
    QVERIFY2(isInside(box, m_form.widget(group)), qPrintable(name + " is not in " + group));
}

void TestForm::singleItemCombosNeverChange_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"comboBox_AUX1", "comboBox_AUX2", "comboBox_AUX3", "comboBox_AUX4",
                             "comboBox_DR_SW1", "comboBox_DR_SW2", "comboBox_PRM02_Master_2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestForm::singleItemCombosNeverChange()
{
    QFETCH(QString, name);
    FormWindow own;
    auto *box = own.form.find<QComboBox>(name);
    QVERIFY(box);
    box->setCurrentIndex(1);
    QCOMPARE(box->currentIndex(), 0);
    box->setCurrentIndex(4);
    QCOMPARE(box->currentIndex(), 0);
}

void TestForm::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<bool>("readOnly");

    auto row = [](const QString &name, const QString &text, const QString &parent, bool readOnly = true) {
        QTest::newRow(qPrintable(name)) << name << text << parent << readOnly;
    };
    row("lineEdit_26", "遥控:", "frame");
    row("lineEdit_27", "动力:", "frame");
    row("lineEdit_30", "信号:", "frame");
    row("lineEdit_37", "接收:", "frame");
    for (int n = 1; n <= 8; ++n)
        row(kChannelCaptions.at(n - 1), QStringLiteral("CH%1:").arg(n), "groupBox", n != 8);

    const struct
    {
        const char *group;
        QStringList names;
        QStringList texts;
    } groups[] = {
        {"groupBox_8",
         {"lineEdit_53", "lineEdit_54", "lineEdit_55", "lineEdit_56", "lineEdit_57"},
         {"混控:", "通道:", "开关:", "上档:", "下档:"}},
        {"groupBox_7",
         {"lineEdit_45", "lineEdit_46", "lineEdit_47", "lineEdit_48", "lineEdit_49", "lineEdit_50", "lineEdit_51"},
         {"通道:", "姿态1:", "姿态2:", "姿态3:", "姿态4:", "姿态5:", "姿态6:"}},
        {"groupBox_10",
         {"lineEdit_73", "lineEdit_74", "lineEdit_75", "lineEdit_76", "lineEdit_77"},
         {"混控:", "副翼1:", "副翼2:", "升降2:", "升降1:"}},
        {"groupBox_13",
         {"lineEdit_78", "lineEdit_95", "lineEdit_96", "lineEdit_97", "lineEdit_98"},
         {"混控:", "升降1:", "升降2:", "尾舵2:", "尾舵1:"}},
        {"groupBox_19",
         {"lineEdit_146", "lineEdit_142", "lineEdit_141", "lineEdit_143", "lineEdit_144", "lineEdit_145"},
         {"混控:", " 通道:", "开关:", " 位置:", "比率:", "指数:"}},
        {"groupBox_18",
         {"lineEdit_130", "lineEdit_126", "lineEdit_125", "lineEdit_127", "lineEdit_128", "lineEdit_129",
          "lineEdit_131", "lineEdit_132"},
         {"混控:", "曲线点1:", "曲线点2:", "曲线点3:", "曲线点4:", "曲线点5:", "曲线点6:", "曲线点7:"}},
        {"groupBox_17",
         {"lineEdit_63", "lineEdit_68", "lineEdit_66", "lineEdit_67"},
         {"遥控器电压:", "接收机电压:", "动力电池电压:", "RSSI信号:"}},
        {"groupBox_20",
         {"lineEdit_64", "lineEdit_65", "lineEdit_69", "lineEdit_70", "lineEdit_71", "lineEdit_72", "lineEdit_81"},
         {"遥控器摇杆模式:", "遥控器固件版本:", "电脑调参APP版本:", "    微调一:", "  微调二:", " 微调三:",
          " 微调四:"}},
    };
    for (const auto &g : groups) {
        for (int i = 0; i < g.names.size(); ++i)
            row(g.names.at(i), g.texts.at(i), g.group);
    }
    const QStringList mixTexts = {"混控:", "主控:", "被控:", "偏置:", "上边:", "下边:"};
    for (int mix = 0; mix < 4; ++mix) {
        for (int i = 0; i < 6; ++i)
            row(kMixCaptions[mix].at(i), mixTexts.at(i), kMixGroups.at(mix));
    }
}

void TestForm::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, parent);
    QFETCH(bool, readOnly);

    auto *caption = m_form.find<QLineEdit>(name);
    QVERIFY2(caption, qPrintable(name + " is not a line edit of the form"));
    QCOMPARE(caption->text(), text);
    QCOMPARE(caption->isReadOnly(), readOnly);
    QCOMPARE(caption->alignment(), Qt::AlignCenter);
    QVERIFY2(isInside(caption, m_form.widget(parent)), qPrintable(name + " is not in " + parent));
}

void TestForm::captionsStandLevelWithEditors_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("editor");

    auto row = [](const QString &caption, const QString &editor) {
        QTest::newRow(qPrintable(caption + "/" + editor)) << caption << editor;
    };
    const QStringList basicColumns = {"comboBox_rev%1", "spinBox_sub%1", "spinBox_Lepa%1", "spinBox_Repa%1",
                                      "spinBox_FS%1", "spinBox_delay%1", "comboBox_AUX%1"};
    for (int n : {1, 5, 8}) {
        for (const QString &column : basicColumns)
            row(kChannelCaptions.at(n - 1), column.arg(n));
    }
    row("lineEdit_53", "comboBox_DR_MIX1");
    row("lineEdit_57", "spinBox_DR_DOWN1");
    row("lineEdit_45", "comboBox_AttiM");
    row("lineEdit_51", "spinBox_Atti6");
    row("lineEdit_74", "spinBox_Elev01");
    row("lineEdit_74", "spinBox_Elev05");
    row("lineEdit_75", "spinBox_Elev06");
    row("lineEdit_77", "spinBox_Elev04");
    row("lineEdit_98", "spinBox_Ru4");
    row("lineEdit_146", "comboBox_DR_MIX2");
    row("lineEdit_145", "spinBox_DR_EXP");
    row("lineEdit_130", "comboBox_THCURE_MIX");
    row("lineEdit_132", "spinBox_THCURE_Data07");
    for (int mix = 1; mix <= 4; ++mix) {
        row(kMixCaptions[mix - 1].at(0), QStringLiteral("comboBox_PRM0%1_Mix").arg(mix));
        row(kMixCaptions[mix - 1].at(5), QStringLiteral("spinBox_PRM0%1_Data3").arg(mix));
    }
    row("lineEdit_63", "doubleSpinBox_Volt");
    row("lineEdit_67", "spinBox_Rssi");
    row("lineEdit_64", "spinBox_Mode");
    row("lineEdit_69", "comboBox_PRM02_Master_2");
    for (int i = 0; i < 4; ++i)
        row(QStringList{"lineEdit_70", "lineEdit_71", "lineEdit_72", "lineEdit_81"}.at(i),
            QStringLiteral("lineEdit_Trim_%1").arg(i + 1));
}

void TestForm::captionsStandLevelWithEditors()
{
    QFETCH(QString, caption);
    QFETCH(QString, editor);

    QWidget *label = m_form.widget(caption);
    QWidget *field = m_form.widget(editor);
    QVERIFY(label && field);
    for (QVBoxLayout *layout : m_form.layouts())
        layout->activate();

    const QRect labelRect = rectIn(label, m_window.get());
    const QRect fieldRect = rectIn(field, m_window.get());
    QVERIFY2(labelRect.height() >= 20 && fieldRect.height() >= 20, "rows are too low to read");
    QVERIFY2(qAbs(labelRect.center().y() - fieldRect.center().y()) <= 2,
             qPrintable(QStringLiteral("caption at y %1, editor at y %2")
                            .arg(labelRect.center().y())
                            .arg(fieldRect.center().y())));
    QVERIFY2(labelRect.right() < fieldRect.left(), "the caption must stand left of its editor");
}

void TestForm::groupBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("title");

    auto row = [](const char *name, const char *frame, const QRect &geometry, const char *title) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(frame) << geometry
                            << QString::fromUtf8(title);
    };
    row("groupBox", "frame_2", QRect(10, 10, 110, 470), "通道");
    row("groupBox_2", "frame_2", QRect(130, 10, 120, 470), "舵机相位");
    row("groupBox_3", "frame_2", QRect(265, 10, 120, 470), "中点微调");
    row("groupBox_4", "frame_2", QRect(405, 10, 215, 470), "舵机行程量--L---R---");
    row("groupBox_14", "frame_2", QRect(640, 10, 120, 470), "失控保护");
    row("groupBox_5", "frame_2", QRect(780, 10, 120, 470), "舵机延迟");
    row("groupBox_6", "frame_2", QRect(915, 10, 140, 470), "辅助通道");
    row("groupBox_8", "frame_4", QRect(5, 10, 220, 350), "大小舵设置");
    row("groupBox_7", "frame_4", QRect(240, 10, 221, 470), "姿态选择");
    row("groupBox_10", "frame_4", QRect(470, 10, 330, 350), "升降副翼混控");
    row("groupBox_13", "frame_4", QRect(810, 10, 240, 350), "V型尾翼混控");
    row("groupBox_19", "frame_5", QRect(10, 10, 510, 471), "大小舵曲线");
    row("groupBox_18", "frame_5", QRect(530, 10, 520, 471), "油门曲线");
    row("groupBox_11", "frame_8", QRect(10, 5, 250, 481), "可编程混控一");
    row("groupBox_12", "frame_8", QRect(270, 5, 250, 477), "可编程混控二");
    row("groupBox_15", "frame_8", QRect(530, 5, 250, 477), "可编程混控三");
    row("groupBox_21", "frame_8", QRect(790, 5, 250, 477), "可编程混控四");
    row("groupBox_17", "frame_7", QRect(20, 10, 350, 470), "报警设置");
    row("groupBox_20", "frame_7", QRect(380, 10, 350, 470), " 版本 / 模式");
    row("groupBox_23", "frame_7", QRect(740, 10, 300, 470), "重置数据");
}

void TestForm::groupBoxes()
{
    QFETCH(QString, name);
    QFETCH(QString, frame);
    QFETCH(QRect, geometry);
    QFETCH(QString, title);

    auto *box = m_form.find<QGroupBox>(name);
    QVERIFY(box);
    QCOMPARE(box->parentWidget(), m_form.widget(frame));
    QCOMPARE(box->geometry(), geometry);
    QCOMPARE(box->title(), title);
    QCOMPARE(box->font().pointSize(), name == QLatin1String("groupBox_3") ? 12 : 11);
    QCOMPARE(box->font().weight(), int(QFont::Bold));
}

void TestForm::editorTextSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pixels");

    const QStringList large = {
        "comboBox_rev8", "spinBox_sub8", "spinBox_Lepa2", "spinBox_Lepa8", "spinBox_Repa8", "spinBox_FS8",
        "spinBox_delay8", "comboBox_AUX8", "comboBox_EleMix", "spinBox_Elev01", "spinBox_Elev02",
        "comboBox_PRM02_Master", "comboBox_PRM02_Slave", "spinBox_PRM02_Data1", "spinBox_PRM02_Data2",
        "spinBox_PRM02_Data3", "doubleSpinBox_Volt", "doubleSpinBox_rxVolt", "doubleSpinBox_extVolt",
        "spinBox_Rssi", "spinBox_Mode", "spinBox_Vertion", "comboBox_PRM02_Master_2"};
    for (const QString &name : large)
        QTest::newRow(qPrintable(name)) << name << 22;
    const QStringList normal = {"comboBox_rev1", "spinBox_sub7", "spinBox_Lepa1", "spinBox_Repa7",
                                "comboBox_AUX5", "comboBox_PRM02_Mix", "spinBox_Elev03", "spinBox_PRM01_Data1",
                                "comboBox_DR_CH2", "spinBox_THCURE_Data04"};
    for (const QString &name : normal)
        QTest::newRow(qPrintable(name)) << name << 20;
}

void TestForm::editorTextSize()
{
    QFETCH(QString, name);
    QFETCH(int, pixels);

    QWidget *editor = m_form.widget(name);
    QVERIFY(editor);
    editor->ensurePolished();
    QCOMPARE(editor->font().pixelSize(), pixels);
    QVERIFY(editor->font().bold());
}

void TestForm::pages()
{
    const QStringList names = {"tab", "tab_2", "tab_3", "tab_4", "tab_5", "tab_6"};
    const QStringList titles = {"舵量显示", "基础菜单", "高级菜单1", "高级菜单2", "混控设置", "系统设置"};
    const QStringList frames = {"frame_3", "frame_2", "frame_4", "frame_5", "frame_8", "frame_7"};

    QTabWidget *tabs = m_form.tabWidget;
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 6);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(tabs->widget(i), m_form.widget(names.at(i)));
        QCOMPARE(tabs->tabText(i), titles.at(i));
        auto *frame = m_form.find<QFrame>(frames.at(i));
        QVERIFY(frame);
        QCOMPARE(frame->parentWidget(), tabs->widget(i));
        QCOMPARE(frame->geometry(), frames.at(i) == QLatin1String("frame_4") ? QRect(2, 10, 1060, 490)
                                                                             : QRect(10, 10, 1060, 490));
    }
    QCOMPARE(tabs->currentIndex(), 5);
    QCOMPARE(tabs->geometry(), QRect(10, 110, 1080, 560));
    QCOMPARE(tabs->parentWidget(), m_form.centralwidget);
    QVERIFY(tabs->isMovable());
    QVERIFY(tabs->documentMode());
    QCOMPARE(tabs->focusPolicy(), Qt::NoFocus);

    QCOMPARE(m_window->windowTitle(), QStringLiteral("KELVO&MIRAQ-V4.9"));
    QCOMPARE(m_window->objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(m_window->size(), QSize(1100, 680));
    QCOMPARE(m_window->maximumSize(), QSize(11100, 8000));
    QCOMPARE(m_window->centralWidget(), m_form.centralwidget);
}

void TestForm::monitor()
{
    QWidget *frame = m_form.widget("frame_3");
    QVERIFY(frame);
    const QStringList names = {"lineEdit_9", "lineEdit_19", "lineEdit_20", "lineEdit_21",
                               "lineEdit_22", "lineEdit_23", "lineEdit_24", "lineEdit_25"};
    for (int n = 1; n <= 8; ++n) {
        const int dx = 135 * (n - 1);
        auto *value = m_form.find<QLineEdit>(n == 1 ? QStringLiteral("lineEdit") : QStringLiteral("lineEdit_%1").arg(n));
        QVERIFY(value);
        QCOMPARE(value->parentWidget(), frame);
        QCOMPARE(value->geometry(), QRect(20 + dx, 10, 80, 50));
        QCOMPARE(value->text(), QStringLiteral("0"));

        auto *name = m_form.find<QLineEdit>(names.at(n - 1));
        QVERIFY(name);
        QCOMPARE(name->geometry(), QRect(30 + dx, 60, 60, 31));
        QCOMPARE(name->text(), QStringLiteral("CH%1").arg(n));
        QVERIFY(name->isReadOnly());

        auto *upper = m_form.find<QProgressBar>(QStringLiteral("progressBar_%1").arg(n) + QLatin1Char('0'));
        auto *lower = m_form.find<QProgressBar>(QStringLiteral("progressBar_%1").arg(n) + QLatin1Char('1'));
        QVERIFY(upper && lower);
        QCOMPARE(upper->geometry(), QRect(35 + dx, 105, 50, 180));
        QCOMPARE(lower->geometry(), QRect(35 + dx, 285, 50, 180));
        QCOMPARE(upper->maximum(), 1010);
        QCOMPARE(upper->value(), 10);
        QCOMPARE(lower->maximum(), 1000);
        QCOMPARE(lower->value(), 1000);
        for (QProgressBar *bar : {upper, lower}) {
            QCOMPARE(bar->minimum(), 0);
            QCOMPARE(bar->orientation(), Qt::Vertical);
            QVERIFY(!bar->invertedAppearance());
            QVERIFY(!bar->isTextVisible());
            QCOMPARE(bar->parentWidget(), frame);
        }
    }
}

void TestForm::strip()
{
    QWidget *frame = m_form.widget("frame");
    QVERIFY(frame);
    QCOMPARE(frame->geometry(), QRect(0, 0, 1200, 110));

    QVERIFY(m_form.openButton);
    QCOMPARE(m_form.openButton->text(), QStringLiteral("打开串口"));
    QCOMPARE(m_form.openButton->parentWidget(), frame);
    QVERIFY(m_form.portNameBox);
    QCOMPARE(m_form.portNameBox->count(), 0);
    QCOMPARE(m_form.portNameBox->currentIndex(), -1);
    QVERIFY(m_form.toolButton_led);
    QVERIFY(!m_form.toolButton_led->icon().isNull());
    QVERIFY(m_form.toolButton_led->text().isEmpty());
    QCOMPARE(m_form.toolButton_led->iconSize(), QSize(40, 40));

    const struct
    {
        QToolButton *button;
        const char *name;
        const char *text;
        QRect geometry;
    } commands[] = {
        {m_form.toolButton_Read, "toolButton_Read", " 读取数据", QRect(20, 5, 110, 90)},
        {m_form.toolButton_Load, "toolButton_Load", "加载数据", QRect(140, 5, 110, 90)},
        {m_form.toolButton_Send, "toolButton_Send", "写入数据", QRect(260, 5, 110, 90)},
        {m_form.toolButton_Save, "toolButton_Save", "保存数据", QRect(380, 5, 110, 91)},
        {m_form.toolButton_Reset, "toolButton_Reset", "出厂设置", QRect(500, 5, 110, 90)},
    };
    for (const auto &c : commands) {
        QVERIFY2(c.button, c.name);
        QCOMPARE(c.button, m_form.find<QToolButton>(c.name));
        QCOMPARE(c.button->text(), QString::fromUtf8(c.text));
        QCOMPARE(c.button->geometry(), c.geometry);
        QCOMPARE(c.button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(c.button->iconSize(), QSize(60, 60));
        QVERIFY(!c.button->icon().isNull());
    }

    const struct
    {
        const char *name;
        const char *text;
        QRect geometry;
    } values[] = {
        {"lineEdit_TX", " 0.0V", QRect(1010, 2, 85, 25)},
        {"lineEdit_EXT", " 0.0V", QRect(1010, 28, 85, 25)},
        {"lineEdit_RSSI", "null", QRect(1010, 54, 85, 25)},
        {"lineEdit_RX", " 0.0V", QRect(1010, 80, 85, 25)},
    };
    for (const auto &v : values) {
        auto *edit = m_form.find<QLineEdit>(v.name);
        QVERIFY2(edit, v.name);
        QCOMPARE(edit->text(), QString::fromUtf8(v.text));
        QCOMPARE(edit->geometry(), v.geometry);
        QVERIFY(!edit->isReadOnly());
        QCOMPARE(edit->parentWidget(), frame);
    }

    QVERIFY(m_form.pushButton_Reset2);
    QCOMPARE(m_form.pushButton_Reset2->text(), QStringLiteral("重置数据"));
    QCOMPARE(m_form.pushButton_Reset2->geometry(), QRect(10, 130, 281, 61));
    QCOMPARE(m_form.pushButton_Reset2->parentWidget(), m_form.widget("groupBox_23"));
}

void TestForm::curveWidgets()
{
    QWidget *rates = m_form.widget("widget_3");
    QWidget *throttle = m_form.widget("widget_4");
    QVERIFY(rates && throttle);
    QCOMPARE(rates->metaObject()->className(), "mWidget");
    QCOMPARE(throttle->metaObject()->className(), "cureWidget");
    QCOMPARE(rates->parentWidget(), m_form.widget("groupBox_19"));
    QCOMPARE(throttle->parentWidget(), m_form.widget("groupBox_18"));
    QCOMPARE(rates->geometry(), QRect(220, 90, 280, 280));
    QCOMPARE(throttle->geometry(), QRect(210, 80, 300, 300));

    // The columns beside the plots must not run into them.
    for (QVBoxLayout *layout : m_form.layouts())
        layout->activate();
    for (const char *editor : {"comboBox_DR_MIX2", "spinBox_DR_EXP"})
        QVERIFY(!rectIn(m_form.widget(editor), m_window.get()).intersects(rectIn(rates, m_window.get())));
    for (const char *editor : {"comboBox_THCURE_MIX", "spinBox_THCURE_Data04"})
        QVERIFY(!rectIn(m_form.widget(editor), m_window.get()).intersects(rectIn(throttle, m_window.get())));
}

// The form and the table of settings are one: every editor of the form
// shows a row (but the boxes with one fixed item), every row's editor is on
// the form once, and an editor that offers another range or opens on
// another value than its setting has a row that says why.
void TestForm::everyEditorStandsForItsSetting()
{
    QStringList onForm;
    for (const FormTables::Page &page : FormTables::pages()) {
        for (const FormTables::Group &group : page.groups) {
            for (const FormTables::Column &column : group.columns) {
                for (const FormTables::Editor &editor : column.editors)
                    onForm.append(editor.name);
            }
        }
    }
    for (const QString &name : onForm) {
        const Setting *row = rowOfEditor(name);
        if (!row) {
            auto *box = m_form.find<QComboBox>(name);
            QVERIFY2(box && box->count() == 1, qPrintable(name + " shows no setting"));
            continue;
        }
        QCOMPARE(onForm.count(name), 1);
        if (row->choices)
            continue;
        const EditorSpan span = editorSpan(*row);
        QVERIFY2((row->start >= span.minimum && row->start <= span.maximum) || !span.why.isEmpty(), qPrintable(name));
        double minimum = 0, maximum = 0, value = 0;
        if (auto *spin = m_form.find<QSpinBox>(name)) {
            minimum = spin->minimum(), maximum = spin->maximum(), value = spin->value();
        } else if (auto *volts = m_form.find<QDoubleSpinBox>(name)) {
            minimum = volts->minimum(), maximum = volts->maximum(), value = volts->value();
        }
        QVERIFY2(minimum == span.minimum && maximum == span.maximum && value == span.start, qPrintable(name));
    }
    for (const Setting &row : settingRows())
        QVERIFY2(row.editor.isEmpty() || onForm.contains(row.editor), qPrintable(row.editor));
}

void TestForm::registryMatchesWidgetTree()
{
    const auto &widgets = m_form.widgets();
    QVERIFY(widgets.size() > 300);
    for (auto it = widgets.begin(); it != widgets.end(); ++it) {
        QVERIFY2(it.value(), qPrintable(it.key()));
        QCOMPARE(it.value()->objectName(), it.key());
        QVERIFY2(isInside(it.value(), m_window.get()), qPrintable(it.key() + " is not in the window"));
    }

    // Every named widget of the tree (Qt's own internals aside) can be found.
    const QList<QWidget *> tree = m_window->findChildren<QWidget *>();
    for (QWidget *w : tree) {
        const QString name = w->objectName();
        const bool internal = name.startsWith(QLatin1String("qt_"))
            || qobject_cast<QTabBar *>(w->parentWidget());
        if (name.isEmpty() || internal)
            continue;
        QVERIFY2(widgets.value(name) == w, qPrintable(name + " is not registered"));
    }

    // Each column of a group box is laid out by one vertical box.
    QVERIFY(!m_form.layouts().isEmpty());
    for (QVBoxLayout *layout : m_form.layouts()) {
        QCOMPARE(layout->contentsMargins(), QMargins(0, 0, 0, 0));
        QVERIFY(qobject_cast<QGroupBox *>(layout->parentWidget()->parentWidget()));
    }
    const auto spacingOf = [this](const char *editor) {
        return m_form.widget(editor)->parentWidget()->layout()->spacing();
    };
    QCOMPARE(spacingOf("spinBox_sub1"), 5);
    QCOMPARE(spacingOf("spinBox_DR_UP1"), 0);
    QCOMPARE(spacingOf("spinBox_Elev05"), 0);
    QCOMPARE(spacingOf("spinBox_Ru1"), 0);
    QCOMPARE(spacingOf("spinBox_PRM01_Data1"), 0);
    QCOMPARE(spacingOf("spinBox_PRM02_Data1"), 0);
}

void TestForm::slotsConnectAfterSetup()
{
    CountingWindow window;
    MainForm form;
    form.setupUi(&window);
    // Building the form, including the index set on comboBox_rev3, runs no slot.
    QCOMPARE(window.subTrimChanges, 0);
    QCOMPARE(window.reverseChanges, 0);

    form.find<QSpinBox>("spinBox_sub1")->setValue(20);
    form.find<QComboBox>("comboBox_rev3")->setCurrentIndex(0);
    QCOMPARE(window.subTrimChanges, 1);
    QCOMPARE(window.reverseChanges, 1);
    // Setting the value a widget already has runs nothing.
    form.find<QSpinBox>("spinBox_sub1")->setValue(20);
    QCOMPARE(window.subTrimChanges, 1);
}

void TestForm::resources_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");

    for (const char *name : {"Receive", "open", "Send", "save", "Reset", "app", "about"})
        QTest::newRow(name) << QStringLiteral(":/myImage/images/%1.png").arg(QLatin1String(name)) << QSize(256, 256);
    for (const char *name : {"red", "green"})
        QTest::newRow(name) << QStringLiteral(":/myImage/images/%1.png").arg(QLatin1String(name)) << QSize(200, 200);
}

void TestForm::resources()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    QVERIFY(image.hasAlphaChannel());
    // Icons are drawn on a transparent ground.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
}

void TestForm::stripIconsLookAsTheFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");

    for (const char *name : {"Receive", "open", "Send", "save", "Reset"})
        QTest::newRow(name) << QStringLiteral(":/myImage/images/%1.png").arg(QLatin1String(name)) << QSize(60, 60);
    for (const char *name : {"red", "green"})
        QTest::newRow(name) << QStringLiteral(":/myImage/images/%1.png").arg(QLatin1String(name)) << QSize(40, 40);
}

// The strip keeps its icons only at the size they are drawn; drawn there,
// enabled or greyed out, they must not differ by a pixel from the files'.
void TestForm::stripIconsLookAsTheFiles()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    const QIcon kept = iconForSize(path, size);
    const QIcon file(path);
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
        const QImage shown = kept.pixmap(size, mode).toImage();
        QCOMPARE(shown.size(), size);
        QCOMPARE(shown, file.pixmap(size, mode).toImage());
    }
}

// The monitor's bars are painted without the page under them. After they
// have moved back and forth, the screen must equal a window that draws the
// page under them.
void TestForm::barsPaintAsOverThePage()
{
    const auto showMonitor = [](FormWindow &w, bool opaqueBars) {
        const QList<QProgressBar *> bars = w.form.tabWidget->widget(0)->findChildren<QProgressBar *>();
        for (QProgressBar *bar : bars) {
            QVERIFY2(bar->testAttribute(Qt::WA_OpaquePaintEvent), qPrintable(bar->objectName()));
            bar->setAttribute(Qt::WA_OpaquePaintEvent, opaqueBars);
        }
        w.window.resize(1100, 680);
        w.form.tabWidget->setCurrentIndex(0);
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        for (QProgressBar *bar : bars)
            QCOMPARE(bar->testAttribute(Qt::WA_OpaquePaintEvent), opaqueBars);
    };
    const auto screen = [](FormWindow &w) {
        // The focus frame follows the active window; only the bars count here.
        if (QWidget *focused = QApplication::focusWidget())
            focused->clearFocus();
        QCoreApplication::processEvents();
        return QGuiApplication::primaryScreen()->grabWindow(w.window.winId()).toImage();
    };
    const auto setBars = [](FormWindow &w, int value) {
        for (QProgressBar *bar : w.form.tabWidget->widget(0)->findChildren<QProgressBar *>())
            bar->setValue(qMin(value, bar->maximum()));
    };

    FormWindow moved;
    showMonitor(moved, true);
    for (const int value : {1010, 0, 505, 1000, 10, 333}) {
        setBars(moved, value);
        screen(moved);
    }
    FormWindow drawnOver;
    setBars(drawnOver, 333);
    showMonitor(drawnOver, false);
    QCOMPARE(screen(moved), screen(drawnOver));
}

void TestForm::styleSheets()
{
    QFile normal(":/comboBox.qss");
    QFile steady(":/comboBox_REV.qss");
    QVERIFY(normal.open(QIODevice::ReadOnly));
    QVERIFY(steady.open(QIODevice::ReadOnly));
    const QString normalText = QString::fromUtf8(normal.readAll());
    const QString steadyText = QString::fromUtf8(steady.readAll());

    // Both draw the editor look with 22 px text; only the first lights up.
    for (const QString &text : {normalText, steadyText}) {
        QVERIFY(text.contains(QLatin1String("rgb(85, 170, 255)")));
        QVERIFY(text.contains(QLatin1String("bold 22px")));
    }
    QVERIFY(normalText.contains(QLatin1String("rgba(100, 255, 100, 100)")));
    QVERIFY(!steadyText.contains(QLatin1String("rgba(100, 255, 100, 100)")));

    // The sheets apply: a combo box styled with either gets 22 px text.
    for (const QString &text : {normalText, steadyText}) {
        QComboBox box;
        box.setStyleSheet(text);
        box.ensurePolished();
        QCOMPARE(box.font().pixelSize(), 22);
    }
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"

// The window as a whole without a transmitter: start-up, editing into the
// ParameterSet, the refresh pass, the dual-rate view and the live monitor.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <QTest>

#include "app/mainwindow.h"
#include "link/framecodec.h"
#include "link/livevalues.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "support/appstate.h"
#include "ui/mainform.h"
#include "ui/settingbinder.h"

namespace {

// Editors that store into a member of their own, with a value-changed slot.
QVector<QWidget *> parameterEditors(const MainForm &form)
{
    static const QStringList noMember = {
        QStringLiteral("portNameBox"), QStringLiteral("comboBox_AUX1"), QStringLiteral("comboBox_AUX2"),
        QStringLiteral("comboBox_AUX3"), QStringLiteral("comboBox_AUX4"), QStringLiteral("comboBox_DR_SW1"),
        QStringLiteral("comboBox_PRM02_Master_2")};
    QVector<QWidget *> out;
    for (QWidget *w : form.widgets()) {
        const bool editor = qobject_cast<QSpinBox *>(w) || qobject_cast<QDoubleSpinBox *>(w)
                || qobject_cast<QComboBox *>(w);
        auto *box = qobject_cast<QComboBox *>(w);
        // A one-item list (the dual-rate switch) has no other value to pick.
        if (editor && !noMember.contains(w->objectName()) && !(box && box->count() < 2))
            out.append(w);
    }
    return out;
}

// Moves an editor to another valid value and returns a text of what it shows.
QString nudge(QWidget *w)
{
    if (auto *box = qobject_cast<QComboBox *>(w)) {
        box->setCurrentIndex((box->currentIndex() + 1) % box->count());
        return QString::number(box->currentIndex());
    }
    if (auto *spin = qobject_cast<QSpinBox *>(w)) {
        spin->setValue(spin->value() > spin->minimum() ? spin->value() - 1 : spin->value() + 1);
        return QString::number(spin->value());
    }
    auto *dspin = qobject_cast<QDoubleSpinBox *>(w);
    dspin->setValue(dspin->value() > 1.0 ? dspin->value() - 0.7 : dspin->value() + 0.7);
    return QString::number(dspin->value());
}

QString shown(QWidget *w)
{
    if (auto *box = qobject_cast<QComboBox *>(w))
        return QString::number(box->currentIndex());
    if (auto *spin = qobject_cast<QSpinBox *>(w))
        return QString::number(spin->value());
    return QString::number(qobject_cast<QDoubleSpinBox *>(w)->value());
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:

    void startsOnTheMonitorWithStartValuesUntouched()
    {
        const ParameterSet before;
        MainWindow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("KELVO&MIRAQ-V4.9"));
        QCOMPARE(w.size(), QSize(1100, 680));
        // The form leaves the last page current; the window opens on page 0.
        QCOMPARE(w.form()->tabWidget->currentIndex(), 0);
        QCOMPARE(w.form()->tabWidget->tabText(0), QStringLiteral("舵量显示"));
        QCOMPARE(w.form()->openButton->text(), QStringLiteral("打开串口"));
        // Building the form sets values (Mode 2, DR expo 100) that must not
        // reach the ParameterSet.
        QCOMPARE(differingMembers(w.params(), before), QStringList());
        QCOMPARE(w.params().Mode, 1);
        QCOMPARE(w.params().DrExpShown, 0);
        QCOMPARE(w.form()->find<QSpinBox>(QStringLiteral("spinBox_Mode"))->value(), 2);
    }

    void firstRefreshShowsTheParameterSet()
    {
        MainWindow w;
        invokeSlot(w, "ui_Display");
        QCOMPARE(w.form()->find<QSpinBox>(QStringLiteral("spinBox_Mode"))->value(), 1);
        QCOMPARE(w.form()->find<QSpinBox>(QStringLiteral("spinBox_DR_EXP"))->value(), 0);
        QCOMPARE(w.form()->find<QDoubleSpinBox>(QStringLiteral("doubleSpinBox_rxVolt"))->value(), 4.0);
        QCOMPARE(differingMembers(w.params(), ParameterSet()), QStringList());
    }

    void refreshTimerRunsWithoutAnyCall()
    {
        MainWindow w;
        w.params().Sub5 = -42;
        QTRY_COMPARE_WITH_TIMEOUT(w.form()->find<QSpinBox>(QStringLiteral("spinBox_sub5"))->value(), -42, 3000);
    }

    // On the page being looked at, a refresh repaints no editor whose value
    // did not change, and still shows a changed member at once.
    void refreshRepaintsOnlyChangedEditors()
    {
        MainWindow w;
        QSpinBox *sub1 = w.form()->find<QSpinBox>(QStringLiteral("spinBox_sub1"));
        QTabWidget *tabs = w.form()->tabWidget;
        int page = 0;
        while (page < tabs->count() && !tabs->widget(page)->isAncestorOf(sub1))
            ++page;
        tabs->setCurrentIndex(page);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        invokeSlot(w, "ui_Display");
        QCoreApplication::processEvents();

        struct PaintCount : QObject
        {
            int paints = 0;
            bool eventFilter(QObject *, QEvent *event) override
            {
                paints += event->type() == QEvent::Paint;
                return false;
            }
        } count;
        const QList<QAbstractSpinBox *> boxes = tabs->widget(page)->findChildren<QAbstractSpinBox *>();
        QVERIFY(boxes.size() > 5);
        for (QAbstractSpinBox *box : boxes)
            box->installEventFilter(&count);
        for (int pass = 0; pass < 3; ++pass) {
            invokeSlot(w, "ui_Display");
            QCoreApplication::processEvents();
        }
        QCOMPARE(count.paints, 0);

        w.params().Sub1 = sub1->value() == 33 ? 34 : 33;
        invokeSlot(w, "ui_Display");
        QCOMPARE(sub1->value(), w.params().Sub1);
        QTRY_VERIFY(count.paints > 0);
    }

    void worksWithoutAnySerialPort()
    {
        qputenv("KELVO_EXTRA_PORTS", "");
        MainWindow w;
        // Whatever the machine has, the window is usable; with an empty list
        // the open attempt fails with a message instead of crashing.
        w.form()->portNameBox->clear();
        QCOMPARE(w.form()->portNameBox->currentText(), QString());
        QVERIFY(w.form()->toolButton_Send->isEnabled());
    }

    void extraPortsComeFirstInTheList()
    {
        // Extra entries are listed while their paths exist.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString a = dir.filePath(QStringLiteral("vport-a"));
        const QString b = dir.filePath(QStringLiteral("vport-b"));
        for (const QString &path : {a, b}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        qputenv("KELVO_EXTRA_PORTS", (a + QDir::listSeparator() + b).toLocal8Bit());
        MainWindow w;
        qunsetenv("KELVO_EXTRA_PORTS");
        QVERIFY(w.form()->portNameBox->count() >= 2);
        QCOMPARE(w.form()->portNameBox->itemText(0), a);
        QCOMPARE(w.form()->portNameBox->itemText(1), b);
        QCOMPARE(w.form()->portNameBox->currentIndex(), 0);
    }

    // Each editor stores into exactly one member, and the refresh pass shows
    // that same member in it: a slot bound to the wrong member shows up as an
    // edit that the next pass undoes, or as a second member changing.
    void everyEditorRoundTripsThroughItsMember()
    {
        MainWindow w;
        invokeSlot(w, "ui_Display");
        const auto editors = parameterEditors(*w.form());
        QVERIFY(editors.size() >= 110);
        for (QWidget *editor : editors) {
            const QString name = editor->objectName();
            const ParameterSet before = w.params();
            const QString value = nudge(editor);
            const QStringList changed = differingMembers(w.params(), before);
            QVERIFY2(!changed.isEmpty(), qPrintable(name + QLatin1String(" stored nothing")));
            invokeSlot(w, "ui_Display");
            QVERIFY2(shown(editor) == value, qPrintable(name + QLatin1String(" was undone by the refresh")));
        }
    }

    void singleStoreEditorsChangeOneMember_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("member");
        QTest::addColumn<int>("value");
        QTest::newRow("sub-trim") << "spinBox_sub1" << "Sub1" << 20;
        QTest::newRow("end point right") << "spinBox_Repa8" << "Repa8" << 110;
        QTest::newRow("elevon 5") << "spinBox_Elev05" << "Elev5" << -30;
        QTest::newRow("mix 3 slave") << "comboBox_PRM03_Slave" << "Prm3Slave" << 7;
        QTest::newRow("throttle 7") << "spinBox_THCURE_Data07" << "ThCure7" << 90;
        QTest::newRow("aux 6") << "comboBox_AUX6" << "Aux6" << 5;
        QTest::newRow("rssi") << "spinBox_Rssi" << "RssiAlarm" << -60;
        QTest::newRow("dual-rate mix twin") << "comboBox_DR_MIX2" << "DrMix" << 1;
    }
    void singleStoreEditorsChangeOneMember()
    {
        QFETCH(QString, editor);
        QFETCH(QString, member);
        QFETCH(int, value);
        MainWindow w;
        const ParameterSet before = w.params();
        QWidget *widget = w.form()->widget(editor);
        if (auto *box = qobject_cast<QComboBox *>(widget))
            box->setCurrentIndex(value);
        else
            qobject_cast<QSpinBox *>(widget)->setValue(value);
        QCOMPARE(differingMembers(w.params(), before), QStringList{member});
        QCOMPARE(findSettingRow(member)->member.of(w.params()), value);
    }

    // A window given its own set-up, live values and frames shares none of
    // them with a window that holds its own: not the shown values, not the
    // edits, not their history. Nor do two windows that hold their own.
    void twoWindowsSideBySideShareNothing()
    {
        ParameterSet ownSet;
        LiveValues ownLive;
        ParameterFrames ownFrames;
        MainWindow first;
        MainWindow second(ownSet, ownLive, ownFrames);
        ownSet.Sub1 = 40;
        ownLive.LiveRssi = 77;
        invokeSlot(first, "ui_Display");
        invokeSlot(second, "ui_Display");
        auto *firstSub = first.form()->find<QSpinBox>(QStringLiteral("spinBox_sub1"));
        auto *secondSub = second.form()->find<QSpinBox>(QStringLiteral("spinBox_sub1"));
        QCOMPARE(firstSub->value(), 0);
        QCOMPARE(secondSub->value(), 40);
        QVERIFY(second.form()->find<QLineEdit>(QStringLiteral("lineEdit_RSSI"))->text()
                != first.form()->find<QLineEdit>(QStringLiteral("lineEdit_RSSI"))->text());

        firstSub->setValue(-30);
        secondSub->setValue(55);
        QCOMPARE(first.params().Sub1, -30);
        QCOMPARE(ownSet.Sub1, 55);
        second.editHistory()->undo();
        QCOMPARE(ownSet.Sub1, 40);
        QCOMPARE(first.params().Sub1, -30);
        QCOMPARE(first.editHistory()->count(), 1);

        MainWindow third;
        QCOMPARE(third.params().Sub1, 0);
        QVERIFY(&third.liveValues() != &first.liveValues());
        QVERIFY(&third.frames() != &first.frames());
    }

    void dualRateRateBoxFollowsChannelAndPosition()
    {
        MainWindow w;
        w.params().DrCh = 3;
        w.params().DrPosi = 1;
        auto *rate = w.form()->find<QSpinBox>(QStringLiteral("spinBox_DR_RATE"));
        rate->setValue(40);
        QCOMPARE(w.params().DrRateShown, 40);
        QCOMPARE(w.params().DrRateDown[3], 40);
        QCOMPARE(w.params().DrRateUp[3], 100);
        QCOMPARE(w.params().DrDownShown, 40);
    }

    void channelChosenOnTheCurvePageReachesTheOtherPageInOnePass()
    {
        MainWindow w;
        invokeSlot(w, "ui_Display");
        w.params().DrRateUp[2] = 65;
        w.params().DrExpUp[2] = -30;
        w.form()->find<QComboBox>(QStringLiteral("comboBox_DR_CH2"))->setCurrentIndex(2);
        QCOMPARE(w.params().DrCh, 2);
        QCOMPARE(w.params().DrRateShown, 100); // not rebuilt until the pass
        invokeSlot(w, "ui_Display");
        QCOMPARE(w.form()->find<QComboBox>(QStringLiteral("comboBox_DR_CH1"))->currentIndex(), 2);
        QCOMPARE(w.form()->find<QSpinBox>(QStringLiteral("spinBox_DR_RATE"))->value(), 65);
        QCOMPARE(w.form()->find<QSpinBox>(QStringLiteral("spinBox_DR_EXP"))->value(), -30);
        QCOMPARE(w.form()->find<QSpinBox>(QStringLiteral("spinBox_DR_UP1"))->value(), 65);
    }

    void channelChosenOnTheSettingsPageRebuildsAtOnce()
    {
        MainWindow w;
        w.params().DrRateDown[1] = 33;
        w.form()->find<QComboBox>(QStringLiteral("comboBox_DR_CH1"))->setCurrentIndex(1);
        QCOMPARE(w.params().DrDownShown, 33);
    }

    void positionFromOutsideShowsTheDownValues()
    {
        MainWindow w;
        invokeSlot(w, "ui_Display");
        w.params().DrRateDown[0] = 55;
        w.params().DrExpDown[0] = 12;
        w.params().DrPosi = 1;
        invokeSlot(w, "ui_Display");
        QCOMPARE(w.form()->find<QComboBox>(QStringLiteral("comboBox_DR_POSI"))->currentText(), QStringLiteral("DOWN"));
        QCOMPARE(w.form()->find<QSpinBox>(QStringLiteral("spinBox_DR_RATE"))->value(), 55);
        QCOMPARE(w.form()->find<QSpinBox>(QStringLiteral("spinBox_DR_EXP"))->value(), 12);
    }

    // The pass shows and stores nothing: the table keeps its entry.
    void shownUpperRateLeavesTheTableAlone()
    {
        MainWindow w;
        invokeSlot(w, "ui_Display");
        w.params().DrUpShown = 70;
        w.params().DrRateUp[0] = 90;
        invokeSlot(w, "ui_Display");
        QCOMPARE(w.form()->find<QSpinBox>(QStringLiteral("spinBox_DR_UP1"))->value(), 70);
        QCOMPARE(w.params().DrRateUp[0], 90);
    }

    // A channel the box has no item for is shown as held and kept: it is
    // within what the setting accepts.
    void channelFourIsShownAndKept()
    {
        MainWindow w;
        invokeSlot(w, "ui_Display");
        w.params().DrCh = 4;
        invokeSlot(w, "ui_Display");
        auto *box = w.form()->find<QComboBox>(QStringLiteral("comboBox_DR_CH1"));
        QCOMPARE(box->currentText(), QStringLiteral("4（遥控器中的值）"));
        QCOMPARE(w.params().DrCh, 4);
        invokeSlot(w, "FalseSaveData");
        QCOMPARE(w.params().DrCh, 4);
        // Choosing a channel replaces it; the held entry goes.
        box->setCurrentIndex(1);
        QCOMPARE(w.params().DrCh, 1);
        invokeSlot(w, "ui_Display");
        QCOMPARE(box->count(), 4);
    }

    // A reset leaves the shown rate alone; the pass brings it back in line
    // only because resetting the selector (here the channel) runs the
    // dual-rate selection on its way.
    void resetShowsFactoryRatesWithinOnePass()
    {
        MainWindow w;
        w.params().DrCh = 1;
        w.params().DrRateUp[1] = 40;
        invokeSlot(w, "Dr_DataSelet");
        invokeSlot(w, "ui_Display");
        QCOMPARE(w.form()->find<QSpinBox>(QStringLiteral("spinBox_DR_RATE"))->value(), 40);
        invokeSlot(w, "RestData");
        invokeSlot(w, "RestData2");
        QCOMPARE(w.params().DrRateShown, 40);
        invokeSlot(w, "ui_Display");
        auto spin = [&](const char *n) { return w.form()->find<QSpinBox>(QLatin1String(n))->value(); };
        QCOMPARE(spin("spinBox_DR_UP1"), 100);
        QCOMPARE(spin("spinBox_DR_DOWN1"), 100);
        QCOMPARE(spin("spinBox_DR_EXP"), 0);
        QCOMPARE(spin("spinBox_DR_RATE"), 100);
        QCOMPARE(w.params().DrRateShown, 100);
    }

    // An editor shows its nearest end, marked; the value is the
    // sanitizer's to repair, not the editor's.
    void outOfRangeValuesAreShownAtTheEditorsEnds()
    {
        MainWindow w;
        w.params().Lepa1 = 130;
        w.params().Mode = 7;
        invokeSlot(w, "ui_Display");
        auto *box = w.form()->find<QSpinBox>(QStringLiteral("spinBox_Lepa1"));
        QCOMPARE(box->value(), 120);
        QCOMPARE(box->text(), QStringLiteral(">120"));
        QVERIFY(box->toolTip().startsWith(QStringLiteral("遥控器或文件中的值为 130 %")));
        QCOMPARE(w.params().Lepa1, 130);
        QCOMPARE(w.params().Mode, 7);
        invokeSlot(w, "FalseSaveData");
        invokeSlot(w, "ui_Display");
        QCOMPARE(box->text(), QString::number(w.params().Lepa1));
        QVERIFY(!box->toolTip().contains(QStringLiteral("遥控器或文件中的值")));
    }

    void trimsAreShownInStickModeOrder_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("texts");
        // Trim1..Trim4 = 120, 130, 110, 125
        QTest::newRow("mode 1") << 1 << QStringList{"5", "-10", "10", "0"};
        QTest::newRow("mode 2") << 2 << QStringList{"5", "10", "-10", "0"};
        QTest::newRow("mode 3") << 3 << QStringList{"0", "-10", "10", "5"};
        QTest::newRow("mode 4") << 4 << QStringList{"0", "10", "-10", "5"};
        QTest::newRow("mode 0 as 4") << 0 << QStringList{"0", "10", "-10", "5"};
    }
    void trimsAreShownInStickModeOrder()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, texts);
        MainWindow w;
        w.params().Trim1 = 120;
        w.params().Trim2 = 130;
        w.params().Trim3 = 110;
        w.params().Trim4 = 125;
        w.params().Mode = mode;
        QCOMPARE(trimTexts(w.params()), texts);
        // The pass shows the trims in the order of the mode held, whatever
        // its editor can show.
        invokeSlot(w, "ui_Display");
        QStringList actual;
        for (int i = 1; i <= 4; ++i)
            actual << w.form()->find<QLineEdit>(QStringLiteral("lineEdit_Trim_%1").arg(i))->text();
        QCOMPARE(actual, trimTexts(w.params()));
    }

    void hoverHighlightLapsesAfterTwentyPasses()
    {
        MainWindow w;
        auto *box = w.form()->find<QComboBox>(QStringLiteral("comboBox_rev1"));
        const QString formSheet = box->styleSheet();
        box->setAttribute(Qt::WA_UnderMouse, true);
        for (int i = 0; i < 19; ++i)
            invokeSlot(w, "ui_Display");
        QCOMPARE(box->styleSheet(), formSheet);
        invokeSlot(w, "ui_Display");
        QVERIFY(box->styleSheet() != formSheet);
        QVERIFY(box->styleSheet().contains(QLatin1String("rgb(85, 170, 255)")));
        const QString lapsed = box->styleSheet();

        box->setAttribute(Qt::WA_UnderMouse, false);
        invokeSlot(w, "ui_Display");
        QVERIFY(box->styleSheet() != lapsed);
        QVERIFY(box->styleSheet().contains(QLatin1String("rgba(100, 255, 100, 100)")));

        // A visit cut short keeps its count: 15 passes, away, then 5 more.
        const QString normal = box->styleSheet();
        box->setAttribute(Qt::WA_UnderMouse, true);
        for (int i = 0; i < 15; ++i)
            invokeSlot(w, "ui_Display");
        box->setAttribute(Qt::WA_UnderMouse, false);
        invokeSlot(w, "ui_Display");
        QCOMPARE(box->styleSheet(), normal);
        box->setAttribute(Qt::WA_UnderMouse, true);
        for (int i = 0; i < 4; ++i)
            invokeSlot(w, "ui_Display");
        QCOMPARE(box->styleSheet(), normal);
        invokeSlot(w, "ui_Display");
        QCOMPARE(box->styleSheet(), lapsed);
    }

    void monitorShowsChannelsAndTelemetry()
    {
        MainWindow w;
        w.params().ChOut1 = 0;
        w.params().ChOut3 = 1500;
        w.params().ChOut8 = 2000;
        w.liveValues().LiveTxVolt = 1185;
        w.liveValues().LiveRssi = 30;
        w.liveValues().LiveExtVolt = 42;
        w.liveValues().LiveRxVolt = 118;
        invokeSlot(w, "ui_Display");
        auto bar = [&](const char *n) { return w.form()->find<QProgressBar>(QLatin1String(n))->value(); };
        auto text = [&](const char *n) { return w.form()->find<QLineEdit>(QLatin1String(n))->text(); };
        QCOMPARE(bar("progressBar_10"), 1010);
        QCOMPARE(bar("progressBar_11"), 1000);
        QCOMPARE(bar("progressBar_30"), 10);
        QCOMPARE(bar("progressBar_31"), 500);
        QCOMPARE(bar("progressBar_81"), 0);
        QCOMPARE(text("lineEdit"), QStringLiteral("0"));
        QCOMPARE(text("lineEdit_3"), QStringLiteral("1500"));
        QCOMPARE(text("lineEdit_TX"), QStringLiteral("11.8 V"));
        QCOMPARE(text("lineEdit_RSSI"), QStringLiteral("-70dBm"));
        QCOMPARE(text("lineEdit_EXT"), QStringLiteral(" 4.2V"));
        QCOMPARE(text("lineEdit_RX"), QStringLiteral("11.8 V"));

        // Beyond the wire's sensible range the bar keeps its last value while
        // the number is shown as received.
        w.params().ChOut3 = 2600;
        invokeSlot(w, "ui_Display");
        QCOMPARE(bar("progressBar_31"), 500);
        QCOMPARE(text("lineEdit_3"), QStringLiteral("2600"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

// For keyboard and screen-reader users: every stop of the Tab chain has a
// name, read-only fields are no stops, Tab reads each page row by row,
// Ctrl+Tab changes pages, the wheel changes only the editor that has the
// focus, and Qt's own dialogs speak Chinese.
#include <QAccessible>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QWheelEvent>
#include <QTest>
#include <memory>

#include "app/mainwindow.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "model/translations.h"
#include "support/appstate.h"
#include "ui/mainform.h"

namespace {

std::unique_ptr<MainWindow> activeWindow(const QString &language)
{
    installLanguage(language);
    auto w = std::make_unique<MainWindow>();
    w->show();
    w->activateWindow();
    return w;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase() { installLanguage(QString()); }

    void editorsAreNamedFromTheTableOfSettings_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("tip");
        QTest::newRow("zh sub-trim") << "zh" << "spinBox_sub1" << "基础菜单 · 中点微调 · CH1" << "-100…100 %"
                                     << "中点微调 CH1 · -100…100 %";
        QTest::newRow("en sub-trim") << "en" << "spinBox_sub1" << "Basic · Sub-trim · CH1" << "-100…100 %"
                                     << "Sub-trim CH1 · -100…100 %";
        QTest::newRow("zh voltage") << "zh" << "doubleSpinBox_rxVolt" << "系统设置 · 报警设置 · 接收机电压"
                                    << "0.0…99.9 V" << "报警设置 接收机电压 · 0.0…99.9 V";
        QTest::newRow("zh rssi") << "zh" << "spinBox_Rssi" << "系统设置 · 报警设置 · RSSI信号" << "-100…0 dBm"
                                 << "报警设置 RSSI信号 · -100…0 dBm";
        QTest::newRow("zh choice") << "zh" << "comboBox_rev1" << "基础菜单 · 舵机相位 · CH1" << "" << "舵机相位 CH1";
    }
    void editorsAreNamedFromTheTableOfSettings()
    {
        QFETCH(QString, language);
        QFETCH(QString, editor);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(QString, tip);
        auto w = activeWindow(language);
        QWidget *box = w->form()->widget(editor);
        // (A combo box on Linux says its current item as its name and is
        // named through a relation; the name set is what Windows reads.)
        QCOMPARE(box->accessibleName(), name);
        QCOMPARE(box->accessibleDescription(), description);
        if (!qobject_cast<QComboBox *>(box))
            QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), name);
        QCOMPARE(box->toolTip(), tip);
    }

    // Every editor's changes reach the history, and every number it shows
    // says its range.
    void everyEditorHasSettingsAndARange()
    {
        auto w = activeWindow(QString());
        for (const QString &name : settingEditors()) {
            QVERIFY2(!settingsOfEditor(name).isEmpty(), qPrintable(name));
            QWidget *editor = w->form()->widget(name);
            QVERIFY2(editor, qPrintable(name));
            if (qobject_cast<QAbstractSpinBox *>(editor))
                QVERIFY2(editor->toolTip().contains(QStringLiteral("…")), qPrintable(name));
        }
    }

    // Over the whole window, in both languages.
    void everyStopHasANameAndNoReadOnlyFieldIsAStop_data() { addLanguageRows(); }
    void everyStopHasANameAndNoReadOnlyFieldIsAStop()
    {
        QFETCH(QString, language);
        auto w = activeWindow(language);
        int stops = 0;
        QStringList nameless;
        QStringList readOnlyStops;
        for (QWidget *widget : w->findChildren<QWidget *>()) {
            // Every page counts, not only the one shown; closed popups do not.
            if (widget->window() != w.get() || widget->isHidden() || widget->focusPolicy() == Qt::NoFocus || widget->focusProxy())
                continue;
            if (qobject_cast<QAbstractSpinBox *>(widget->parentWidget()))
                continue; // the spin box's own line edit; the box speaks for it
            ++stops;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(widget);
            if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
                nameless.append(widget->objectName() + QLatin1Char('/') + QLatin1String(widget->metaObject()->className()));
            auto *edit = qobject_cast<QLineEdit *>(widget);
            if (edit && edit->isReadOnly())
                readOnlyStops.append(widget->objectName());
        }
        QVERIFY2(stops > 140, qPrintable(QString::number(stops))); // the whole window was walked
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QLatin1Char(' '))));
        QCOMPARE(readOnlyStops, QStringList());
        // Buttons say what they do beyond their caption.
        QVERIFY(!w->form()->toolButton_Read->accessibleDescription().isEmpty());
    }

    void tabFollowsTheRowsAndCtrlTabChangesPages_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("down a column") << 1 << "comboBox_rev1" << "comboBox_rev2";
        QTest::newRow("to the next group") << 1 << "comboBox_rev8" << "spinBox_sub1";
        QTest::newRow("along a row") << 1 << "spinBox_Lepa1" << "spinBox_Repa1";
        QTest::newRow("to the next row") << 1 << "spinBox_Repa1" << "spinBox_Lepa2";
        QTest::newRow("caption skipped") << 2 << "comboBox_DR_MIX1" << "comboBox_DR_CH1";
    }
    void tabFollowsTheRowsAndCtrlTabChangesPages()
    {
        QFETCH(int, page);
        QFETCH(QString, from);
        QFETCH(QString, to);
        auto w = activeWindow(QString());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTabWidget *tabs = w->form()->tabWidget;
        tabs->setCurrentIndex(0);
        for (int i = 0; i < page; ++i)
            QTest::keyClick(w.get(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), page);
        w->form()->widget(from)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), from);
        // Backwards from the first page goes round to the last.
        tabs->setCurrentIndex(0);
        QTest::keyClick(w.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tabs->currentIndex(), tabs->count() - 1);
    }

    void wheelChangesOnlyTheFocusedEditor_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::newRow("spin box") << "spinBox_FS2";
        QTest::newRow("combo box") << "comboBox_AUX5";
    }
    void wheelChangesOnlyTheFocusedEditor()
    {
        QFETCH(QString, editor);
        auto w = activeWindow(QString());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->form()->tabWidget->setCurrentIndex(1);
        QWidget *box = w->form()->widget(editor);
        const auto value = [box] {
            if (auto *spin = qobject_cast<QSpinBox *>(box))
                return spin->value();
            return qobject_cast<QComboBox *>(box)->currentIndex();
        };
        const auto wheel = [box] {
            const QPoint at(box->width() / 2, box->height() / 2);
            QWheelEvent event(QPointF(at), QPointF(box->mapToGlobal(at)), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &event);
        };
        const ParameterSet before = w->params();
        const int shown = value();
        wheel();
        QCOMPARE(value(), shown);
        QVERIFY(!box->hasFocus());
        QCOMPARE(differingMembers(w->params(), before), QStringList());
        box->setFocus();
        wheel();
        QVERIFY(value() != shown);
    }

    // The status line's menu in each language, with the keys shown.
    void statusMenuSpeaksTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("texts");
        // The language entry is the same in both languages.
        QTest::newRow("zh") << "zh"
                            << QStringList{"撤销", "重做", "恢复为发射机中的值", "打开备份文件夹", "发送后读回核对", "检查连接",
                                           "English / 中文", "比较设定…", "备份列表…", "保存设定表…", "使用说明", "关于"};
        QTest::newRow("en") << "en"
                            << QStringList{"Undo", "Redo", "Revert to transmitter values", "Open backup folder",
                                           "Verify after sending", "Check connection", "English / 中文",
                                           "Compare set-ups…", "Backups…", "Save set-up sheet…", "Guide", "About"};
    }
    void statusMenuSpeaksTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        auto w = activeWindow(language);
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto *label = w->findChild<QLabel *>(QStringLiteral("statusLabel"));
        QCOMPARE(label->contextMenuPolicy(), Qt::CustomContextMenu);
        w->form()->find<QSpinBox>(QStringLiteral("spinBox_sub1"))->setValue(12);
        emit label->customContextMenuRequested(QPoint(label->width() / 2, label->height() / 2));
        QMenu *menu = w->statusMenu();
        QTRY_VERIFY(menu->isVisible());
        QStringList shown;
        for (QAction *a : menu->actions()) {
            if (!a->isSeparator())
                shown.append(a->text());
        }
        QCOMPARE(shown.mid(1), texts.mid(1));
        // Undo names the step it takes back.
        QVERIFY2(shown.first().startsWith(texts.first()) && shown.first().endsWith(QStringLiteral("CH1")),
                 qPrintable(shown.first()));
        QVERIFY(menu->actions().first()->isShortcutVisibleInContextMenu());
        if (!qEnvironmentVariableIsEmpty("KELVO_SHOTS")) {
            QPixmap shot = w->grab();
            QPainter painter(&shot);
            // Where the menu opens on a real screen, under the status line.
            const QPoint under = label->mapTo(w.get(), QPoint(label->width() - menu->width(), label->height() / 2));
            painter.drawPixmap(under, menu->grab());
            painter.end();
            shot.save(qEnvironmentVariable("KELVO_SHOTS") + QStringLiteral("/status-menu-%1.png").arg(language));
        }
        menu->hide();
    }

    void qtDialogsSpeakChinese()
    {
        installLanguage(QStringLiteral("zh"));
        QFileDialog dialog(nullptr, QStringLiteral("打开"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.show();
        QStringList texts;
        for (QAbstractButton *b : dialog.findChild<QDialogButtonBox *>()->buttons())
            texts.append(b->text());
        QCOMPARE(texts.size(), 2);
        QVERIFY2(texts.contains(QStringLiteral("取消")), qPrintable(texts.join(QLatin1Char(','))));
        QVERIFY2(texts.contains(QStringLiteral("打开(&O)")), qPrintable(texts.join(QLatin1Char(','))));
        if (!qEnvironmentVariableIsEmpty("KELVO_SHOTS"))
            dialog.grab().save(qEnvironmentVariable("KELVO_SHOTS") + QStringLiteral("/file-dialog-zh.png"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

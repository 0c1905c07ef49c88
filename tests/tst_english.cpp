// The English interface: the translation replaces every word of the window,
// its tooltips and status line, each English word fits the box its Chinese
// source had without moving a widget, and the message texts follow the flag
// that installLanguage() sets with the translation.

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTest>
#include <algorithm>
#include <memory>

#include "app/mainwindow.h"
#include "app/messagetexts.h"
#include "app/statustexts.h"
#include "model/choices.h"
#include "model/formtexts.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "model/translations.h"
#include "support/appstate.h"
#include "support/fakeportrig.h"
#include "support/modalwatcher.h"
#include "ui/mainform.h"

namespace {

bool hasChinese(const QString &text)
{
    static const QRegularExpression chinese(QStringLiteral("[\\p{Han}\\x{3000}-\\x{303F}\\x{FF00}-\\x{FFEF}]"));
    return chinese.match(text).hasMatch();
}

// Every text the window shows or offers, as "objectName: text".
QStringList visibleTexts(const MainWindow &window)
{
    QStringList out{QStringLiteral("window title: ") + window.windowTitle()};
    const auto add = [&out](const QWidget *widget, const QString &text) {
        if (!text.isEmpty())
            out.append(widget->objectName() + QStringLiteral(": ") + text);
    };
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        add(widget, widget->toolTip());
        if (auto *edit = qobject_cast<const QLineEdit *>(widget))
            add(widget, edit->text());
        else if (auto *label = qobject_cast<const QLabel *>(widget))
            add(widget, label->text());
        else if (auto *button = qobject_cast<const QAbstractButton *>(widget))
            add(widget, button->text());
        else if (auto *group = qobject_cast<const QGroupBox *>(widget))
            add(widget, group->title());
        else if (auto *spin = qobject_cast<const QAbstractSpinBox *>(widget))
            add(widget, spin->text());
        else if (auto *combo = qobject_cast<const QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                add(widget, combo->itemText(i));
        } else if (auto *tabs = qobject_cast<const QTabWidget *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                add(widget, tabs->tabText(i));
                add(widget, tabs->tabToolTip(i));
            }
        }
    }
    return out;
}

// A window in a language, shown and with every page laid out once.
std::unique_ptr<MainWindow> shownWindow(const QString &language)
{
    installLanguage(language);
    auto window = std::make_unique<MainWindow>();
    window->show();
    QTabWidget *tabs = window->form()->tabWidget;
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
    }
    tabs->setCurrentIndex(0);
    return window;
}

// The form's boxes are drawn with 4 px borders (see FormStyle); a text also
// keeps a 2 px margin from them.
constexpr int kBorderPx = 4;
constexpr int kTextMarginPx = 2;
// Group titles and tab labels keep this much room from their edges.
constexpr int kTitleRoomPx = 16;

int lineEditRoom(const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    option.state |= QStyle::State_Sunken;
    return edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() - 2 * kTextMarginPx;
}

int comboRoom(const QComboBox *combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = false;
    option.frame = true;
    return combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo).width()
           - kTextMarginPx;
}

// "name: 'text' needs N px, has M" for each text of widget (English) that is
// not the one of its Chinese twin and does not fit its box.
QStringList overflows(const QWidget *widget, const QWidget *chinese)
{
    QStringList out;
    const auto check = [&](const QFont &font, const QString &text, const QString &source, int room) {
        const int needed = QFontMetrics(font).horizontalAdvance(text);
        if (text != source && needed > room) {
            out.append(QStringLiteral("%1: '%2' needs %3 px, has %4")
                               .arg(widget->objectName(), text)
                               .arg(needed)
                               .arg(room));
        }
    };
    const QFont font = widget->font();
    if (auto *edit = qobject_cast<const QLineEdit *>(widget)) {
        check(font, edit->text(), static_cast<const QLineEdit *>(chinese)->text(), lineEditRoom(edit));
    } else if (auto *button = qobject_cast<const QAbstractButton *>(widget)) {
        check(font, button->text(), static_cast<const QAbstractButton *>(chinese)->text(),
              button->width() - 2 * (kBorderPx + kTextMarginPx));
    } else if (auto *group = qobject_cast<const QGroupBox *>(widget)) {
        check(font, group->title(), static_cast<const QGroupBox *>(chinese)->title(), group->width() - kTitleRoomPx);
    } else if (auto *combo = qobject_cast<const QComboBox *>(widget)) {
        for (int i = 0; i < combo->count(); ++i)
            check(font, combo->itemText(i), static_cast<const QComboBox *>(chinese)->itemText(i), comboRoom(combo));
    } else if (auto *tabs = qobject_cast<const QTabWidget *>(widget)) {
        const QTabBar *bar = tabs->tabBar();
        for (int i = 0; i < tabs->count(); ++i) {
            check(bar->font(), tabs->tabText(i), static_cast<const QTabWidget *>(chinese)->tabText(i),
                  bar->tabRect(i).width() - kTitleRoomPx);
        }
    }
    return out;
}

} // namespace

class TestEnglish : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        installLanguage(QStringLiteral("zh"));
    }

    // Each row starts from English, so a row that falls back to Chinese
    // must also take the English translation away.
    void installLanguageSetsTranslationAndFlag_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("inEffect");
        QTest::addColumn<int>("langChinese");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("choice");
        QTest::newRow("en") << "en" << true << 0 << "Basic" << "Rev";
        QTest::newRow("zh") << "zh" << true << 1 << "基础菜单" << "反相";
        QTest::newRow("none given") << "" << true << 1 << "基础菜单" << "反相";
        QTest::newRow("unknown") << "fr" << false << 1 << "基础菜单" << "反相";
        QTest::newRow("not a code") << "EN_us" << false << 1 << "基础菜单" << "反相";
    }
    void installLanguageSetsTranslationAndFlag()
    {
        QFETCH(QString, language);
        QFETCH(bool, inEffect);
        QFETCH(int, langChinese);
        QFETCH(QString, page);
        QFETCH(QString, choice);
        QVERIFY(installLanguage(QStringLiteral("en")));
        QCOMPARE(installLanguage(language), inEffect);
        QCOMPARE(portTexts().title, langChinese ? QStringLiteral("提示") : QStringLiteral("Note"));
        QCOMPARE(formText(QStringLiteral("tab_2")), page);
        QCOMPARE(Choices::phase().value(1), choice);
        // Installing twice leaves one translation, not a stack of them.
        QCOMPARE(installLanguage(language), inEffect);
        QCOMPARE(formText(QStringLiteral("tab_2")), page);
    }

    void englishWindowShowsNoChinese()
    {
        const auto window = shownWindow(QStringLiteral("en"));
        QStringList chinese;
        for (const QString &text : visibleTexts(*window)) {
            if (hasChinese(text))
                chinese.append(text);
        }
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QLatin1Char('\n'))));
        // The walk does see the form: the Chinese window fails it.
        const auto source = shownWindow(QStringLiteral("zh"));
        const QStringList sourceTexts = visibleTexts(*source);
        QVERIFY(std::any_of(sourceTexts.cbegin(), sourceTexts.cend(), hasChinese));
    }

    // The English words stand in the Chinese boxes: no widget and no tab
    // moves or grows, and every translated text fits where it is drawn.
    void englishFitsTheChineseBoxes()
    {
        const auto chinese = shownWindow(QStringLiteral("zh"));
        const auto english = shownWindow(QStringLiteral("en"));
        QStringList moved;
        QStringList clipped;
        const QHash<QString, QWidget *> &widgets = english->form()->widgets();
        for (auto it = widgets.cbegin(); it != widgets.cend(); ++it) {
            const QWidget *source = chinese->form()->widget(it.key());
            QVERIFY2(source, qPrintable(it.key()));
            if (it.value()->geometry() != source->geometry())
                moved.append(it.key() + QStringLiteral(" moved"));
            clipped += overflows(it.value(), source);
        }
        const QTabBar *tabs = english->form()->tabWidget->tabBar();
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabRect(i) != chinese->form()->tabWidget->tabBar()->tabRect(i))
                moved.append(QStringLiteral("tab %1 moved").arg(i));
        }
        for (const QString &problem : moved + clipped)
            qWarning("%s", qPrintable(problem));
        QCOMPARE(moved.size(), 0);
        QCOMPARE(clipped.size(), 0);
    }

    void commandButtonsAreEnglish_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("read") << "toolButton_Read" << "Read";
        QTest::newRow("load") << "toolButton_Load" << "Load";
        QTest::newRow("write") << "toolButton_Send" << "Write";
        QTest::newRow("save") << "toolButton_Save" << "Save";
        QTest::newRow("factory") << "toolButton_Reset" << "Factory";
        QTest::newRow("reset data") << "pushButton_Reset2" << "Reset data";
        QTest::newRow("port") << "openButton" << "OPEN";
    }
    void commandButtonsAreEnglish()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        QVERIFY(installLanguage(QStringLiteral("en")));
        MainWindow window;
        const auto *widget = window.form()->find<QAbstractButton>(button);
        QVERIFY(widget);
        QCOMPARE(widget->text(), text);
    }

    // A row added to the settings table needs its page, group and caption
    // words in model/formtexts.cpp and their English in the catalogue: a
    // setting left unnamed, named as another, or in Chinese in English
    // fails here.
    void everySettingIsNamedInBothLanguages()
    {
        for (const QString language : {"zh", "en"}) {
            QVERIFY(installLanguage(language));
            QStringList labels;
            for (const Setting &s : settings()) {
                const QString label = settingLabel(s);
                const QStringList parts = settingLabel(s, QStringLiteral("\n")).split('\n');
                QVERIFY2(parts.size() == 3 && !parts.contains(QString()), qPrintable(s.key + ": " + label));
                QVERIFY2(s.caption.isEmpty() || !plainCaption(formText(s.caption)).isEmpty(), qPrintable(s.key));
                QVERIFY2(!labels.contains(label), qPrintable(label));
                QVERIFY2(language == "zh" || !label.contains(QRegularExpression("\\p{Han}")), qPrintable(label));
                labels.append(label);
            }
        }
    }

    // What the status line and the command-line names are made of follows
    // the translation too.
    void statusWordsAndSettingNamesAreEnglish()
    {
        QVERIFY(installLanguage(QStringLiteral("en")));
        QCOMPARE(StatusTexts::portClosed(), QStringLiteral("Port closed"));
        QCOMPARE(StatusTexts::sendStep(StatusTexts::Command::Write, 2), QStringLiteral("Writing 2/4"));
        QCOMPARE(StatusTexts::interrupted(2), QStringLiteral("Write interrupted after 2/4"));
        QCOMPARE(StatusTexts::backupWritten(StatusTexts::Command::Write), QStringLiteral("Backed up (before write)"));
        QCOMPARE(StatusTexts::stalePages({QStringLiteral("tab_2"), QStringLiteral("tab_5")}),
                 QStringLiteral("May be stale: Basic, Mixes"));

        const Setting *sub = findSettingRow(QStringLiteral("Sub1"));
        const Setting *rev = findSettingRow(QStringLiteral("Rev3"));
        QVERIFY(sub && rev);
        QCOMPARE(settingLabel(*sub), QStringLiteral("Basic / Sub-trim / CH1"));
        ParameterSet p;
        p.Rev3 = 1;
        QCOMPARE(settingValueText(*rev, p), QStringLiteral("Rev"));

        TransmitterRecord::ReadOutcome outcome;
        outcome.complete = true;
        outcome.received = 19;
        outcome.differences = {sub, rev};
        QString details;
        QCOMPARE(StatusTexts::comparison(outcome, &details),
                 QStringLiteral("2 differ from written: Sub-trim CH1, Reverse CH3"));
        QCOMPARE(details, QStringLiteral("Basic / Sub-trim / CH1\nBasic / Reverse / CH3"));

        MainWindow window;
        const auto *status = window.findChild<QLabel *>(QStringLiteral("statusLabel"));
        QVERIFY(status);
        QCOMPARE(status->text(), QStringLiteral("Port closed"));
    }

    void portMessagesAreEnglish_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text"); // the first line
        QTest::addColumn<QString>("cause"); // under it, after the port's name; empty: nothing under it
        QTest::newRow("open a missing port") << "openButton" << "Cannot open the serial port!"
                                             << "No serial port /dev/no-such-port-here";
        QTest::newRow("read with the port closed") << "toolButton_Read" << "Please open the serial port!" << "";
    }
    void portMessagesAreEnglish()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        QFETCH(QString, cause);
        QVERIFY(installLanguage(QStringLiteral("en")));
        MainWindow window;
        window.form()->portNameBox->clear();
        window.form()->portNameBox->addItem(QStringLiteral("/dev/no-such-port-here"));
        ModalWatcher watcher;
        clickLater(window, button);
        QTRY_COMPARE_WITH_TIMEOUT(watcher.messageBoxes().size(), 1, 5000);
        const SeenMessageBox box = watcher.messageBoxes().at(0);
        QCOMPARE(box.title, QStringLiteral("Note"));
        QCOMPARE(box.text.section('\n', 0, 0), text);
        if (cause.isEmpty())
            QCOMPARE(box.text, text);
        else
            QVERIFY2(box.text.contains("Port: /dev/no-such-port-here\n" + cause) && box.buttons.contains("Copy diagnostics"),
                     qPrintable(box.text));
        QTRY_VERIFY_WITH_TIMEOUT(!window.transferRunning(), 5000);
        QCOMPARE(window.form()->openButton->text(), QStringLiteral("OPEN"));
        QVERIFY(!window.port().isOpen());
    }

    // The port state is read from the button's caption, so the English
    // captions must carry it through a whole open and close.
    void openAndCloseWorkInEnglish()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        FakePortRig rig;
        QVERIFY2(rig.start(QStringLiteral("en")), qPrintable(rig.error));
        QCOMPARE(currentLanguage(), QStringLiteral("en"));
        QPushButton *open = rig.w->form()->openButton;
        QCOMPARE(open->text(), QStringLiteral("OPEN"));

        QVERIFY(rig.openPort());
        QCOMPARE(rig.tx->allBytes(), QByteArray("OK"));
        QVERIFY(rig.w->port().isOpen());
        QCOMPARE(open->text(), QStringLiteral("CLOSE"));
        const auto *status = rig.w->findChild<QLabel *>(QStringLiteral("statusLabel"));
        QTRY_VERIFY_WITH_TIMEOUT(status->toolTip().startsWith(QStringLiteral("Connected to ")), 2000);

        open->click();
        QVERIFY(rig.tx->waitForMessage(QStringLiteral("DIS"), 3000));
        QCOMPARE(rig.tx->allBytes(), QByteArray("OKDIS"));
        QVERIFY(!rig.w->port().isOpen());
        QCOMPARE(open->text(), QStringLiteral("OPEN"));
        rig.stop();
    }
};

QTEST_MAIN(TestEnglish)
#include "tst_english.moc"

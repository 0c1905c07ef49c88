// The command line: what it asks for, the language it starts in and
// remembers, and a start that chooses and opens a port.
#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>
#include <memory>

#include "app/mainwindow.h"
#include "app/messagetexts.h"
#include "app/startup.h"
#include "model/parameterset.h"
#include "model/translations.h"
#include "support/appstate.h"
#include "support/faketransmitter.h"
#include "support/modalwatcher.h"
#include "ui/mainform.h"
#include "ui/platformfonts.h"

Q_DECLARE_METATYPE(StartCommand::Action)

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Nothing here may reach the settings of the user running the tests.
        QStandardPaths::setTestModeEnabled(true);
        describeApplication();
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<StartCommand::Action>("action");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("open");
        const auto row = [](const char *name, const QStringList &arguments, StartCommand::Action action,
                            const char *language = "", const char *port = "", bool open = false) {
            QTest::newRow(name) << (QStringList{QStringLiteral("kelvo-miraq-config")} + arguments) << action
                                << QString::fromLatin1(language) << QString::fromLatin1(port) << open;
        };
        using C = StartCommand;
        row("nothing", {}, C::Run);
        row("chinese", {"--lang=zh"}, C::Run, "zh");
        row("language in capitals", {"--lang", "EN"}, C::Run, "en");
        row("port and open", {"--port", "/dev/ttyUSB0", "--open"}, C::Run, "", "/dev/ttyUSB0", true);
        row("everything", {"--open", "--lang", "en", "--port", "COM3"}, C::Run, "en", "COM3", true);
        row("help", {"--help"}, C::ShowHelp);
        row("help with Qt's options", {"--help-all"}, C::ShowHelp);
        row("version", {"--version"}, C::ShowVersion);
        row("other language", {"--lang", "de"}, C::Fail);
        row("language missing", {"--lang"}, C::Fail);
        row("empty port", {"--port", " "}, C::Fail);
        row("unknown option", {"--baud", "9600"}, C::Fail);
        row("stray argument", {"/dev/ttyUSB0"}, C::Fail);
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        const StartCommand command = parseStartCommand(arguments);
        QTEST(command.action, "action");
        if (command.action != StartCommand::Run) {
            QVERIFY(!command.text.isEmpty());
            return;
        }
        QTEST(command.options.language, "language");
        QTEST(command.options.port, "port");
        QTEST(command.options.open, "open");
    }

    void helpAndVersionTexts()
    {
        const QString help = parseStartCommand({QStringLiteral("kelvo-miraq-config"), QStringLiteral("-h")}).text;
        for (const char *option : {"--lang", "--port", "--open", "--version"})
            QVERIFY2(help.contains(QLatin1String(option)), option);
        QCOMPARE(parseStartCommand({QStringLiteral("x"), QStringLiteral("--version")}).text,
                 QStringLiteral("kelvo-miraq-config %1\n").arg(QCoreApplication::applicationVersion()));
        QVERIFY(!QCoreApplication::applicationVersion().isEmpty());
        QVERIFY(parseStartCommand({QStringLiteral("x"), QStringLiteral("--lang"), QStringLiteral("fr")})
                        .text.contains(QStringLiteral("fr")));
    }

    // On Windows the Chinese texts fall back to faces every Windows has, once
    // however often it is asked, and the settings file sits in %APPDATA%;
    // elsewhere the fonts stay as they were.
    void windowsFacesAndSettings()
    {
        const QString arial = QStringLiteral("Arial");
        const QStringList before = QFont::substitutes(arial);
        installChineseFallbackFaces();
        installChineseFallbackFaces();
        const QStringList after = QFont::substitutes(arial);
#ifdef Q_OS_WIN
        const QStringList faces{QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun")};
        QCOMPARE(chineseFallbackFaces(), faces);
        // Qt keeps substitutes in lower case.
        const QStringList lower{QStringLiteral("microsoft yahei"), QStringLiteral("simsun")};
        QCOMPARE(after.count(lower.constFirst()), 1);
        QCOMPARE(after.mid(after.indexOf(lower.constFirst()), 2), lower);
        const auto clean = [](const QString &path) { return QDir::cleanPath(QDir::fromNativeSeparators(path)).toLower(); };
        QCOMPARE(clean(QSettings().fileName()),
                 clean(qEnvironmentVariable("APPDATA") + QStringLiteral("/kelvo-miraq/kelvo-miraq-config.ini")));
#else
        QVERIFY(chineseFallbackFaces().isEmpty());
        QCOMPARE(after, before);
#endif
    }

    // Chinese unless English was asked for, now or last time; the locale of
    // the system does not count.
    void languageIsRemembered()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

        QCOMPARE(resolveLanguage(QString(), settings), QStringLiteral("zh"));
        QVERIFY(!settings.contains(QStringLiteral("language")));
        QCOMPARE(resolveLanguage(QStringLiteral("en"), settings), QStringLiteral("en"));
        QCOMPARE(resolveLanguage(QString(), settings), QStringLiteral("en"));
        QCOMPARE(resolveLanguage(QStringLiteral("zh"), settings), QStringLiteral("zh"));
        QCOMPARE(resolveLanguage(QString(), settings), QStringLiteral("zh"));

        settings.setValue(QStringLiteral("language"), QStringLiteral("klingon"));
        QCOMPARE(resolveLanguage(QString(), settings), QStringLiteral("zh"));
        QLocale::setDefault(QLocale::system());
    }

    // Applied before the window is built, English shows from the first
    // caption on.
    void languageReachesTheWindow()
    {
        applyLanguage(QStringLiteral("en"));
        QCOMPARE(currentLanguage(), QStringLiteral("en"));
        {
            MainWindow w;
            QCOMPARE(w.form()->openButton->text(), QStringLiteral("OPEN"));
        }
        applyLanguage(QStringLiteral("zh"));
        QCOMPARE(currentLanguage(), QStringLiteral("zh"));
    }

    void portAndOpenStartConnected_data() { addLanguageRows(); }
    // Then Ctrl+K closes and opens the port every time: a new caption must
    // not take the button's shortcut with it.
    void portAndOpenStartConnected()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        QFETCH(QString, language);
        applyLanguage(language);
        const PortTexts texts = portTexts();
        FakeTransmitter tx;
        QVERIFY2(tx.isOpen(), qPrintable(tx.errorString()));
        MainWindow w;
        QVERIFY(w.form()->portNameBox->findText(tx.devicePath()) < 0);

        StartOptions options;
        options.port = tx.devicePath();
        options.open = true;
        applyStartOptions(w, options);
        QVERIFY(tx.waitForMessage(QStringLiteral("OK"), 5000));
        QCOMPARE(tx.allBytes(), QByteArray("OK"));
        QVERIFY(w.port().isOpen());
        QCOMPARE(w.form()->portNameBox->currentText(), tx.devicePath());
        QVERIFY(!w.form()->portNameBox->isEnabled());
        QCOMPARE(w.form()->openButton->text(), texts.closeCaption);
        QCOMPARE(iconImage(w.form()->toolButton_led->icon()),
                 iconImage(QIcon(QStringLiteral(":/myImage/images/green.png"))));

        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QKeySequence ctrlK(Qt::CTRL | Qt::Key_K);
        for (int round = 1; round <= 3; ++round) {
            QCOMPARE(w.form()->openButton->shortcut(), ctrlK);
            QTest::keyClick(&w, Qt::Key_K, Qt::ControlModifier);
            QVERIFY(tx.waitForCount(QStringLiteral("DIS"), round, 5000));
            QTRY_VERIFY(!w.port().isOpen());
            QCOMPARE(w.form()->openButton->text(), texts.openCaption);
            QCOMPARE(w.form()->openButton->shortcut(), ctrlK);
            QTest::keyClick(&w, Qt::Key_K, Qt::ControlModifier);
            QVERIFY(tx.waitForCount(QStringLiteral("OK"), round + 1, 5000));
            QVERIFY(w.port().isOpen());
            QCOMPARE(w.form()->openButton->text(), texts.closeCaption);
        }
        w.form()->openButton->click();
        applyLanguage(QStringLiteral("zh"));
    }

    // --open opens the port named by --port, else the one opened last time
    // while it is there, else the list's own choice, but that only when no
    // port was remembered; never another in its place.
    void openAtStartOpensTheNamedPortOnly_data()
    {
        QTest::addColumn<QString>("port");       // "first", "second", "missing" or none
        QTest::addColumn<QString>("remembered"); // the same
        QTest::addColumn<QString>("opened");     // "first", "second" or none
        const auto row = [](const char *name, const char *port, const char *remembered, const char *opened) {
            QTest::newRow(name) << QString::fromLatin1(port) << QString::fromLatin1(remembered)
                                << QString::fromLatin1(opened);
        };
        row("nothing named: the list's choice", "", "", "first");
        row("remembered and there", "", "second", "second");
        row("remembered and gone", "", "missing", "");
        row("--port before the remembered one", "second", "first", "second");
        row("--port gone", "missing", "first", "");
    }
    void openAtStartOpensTheNamedPortOnly()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        QFETCH(QString, port);
        QFETCH(QString, remembered);
        QFETCH(QString, opened);
        FakeTransmitter first;
        FakeTransmitter second;
        QVERIFY(first.isOpen() && second.isOpen());
        const auto path = [&](const QString &which) {
            if (which.isEmpty())
                return QString();
            return which == QLatin1String("first")
                    ? first.devicePath()
                    : which == QLatin1String("second") ? second.devicePath() : QStringLiteral("/dev/kelvo-unplugged");
        };
        qputenv("KELVO_EXTRA_PORTS", (first.devicePath() + QDir::listSeparator() + second.devicePath()).toLocal8Bit());
        MainWindow w;
        qunsetenv("KELVO_EXTRA_PORTS");
        QCOMPARE(w.form()->portNameBox->currentText(), first.devicePath());

        ModalWatcher watcher;
        StartOptions options;
        options.port = path(port);
        options.open = true;
        applyStartOptions(w, options, path(remembered));
        QCOMPARE(w.port().isOpen(), !opened.isEmpty());
        if (opened.isEmpty()) {
            QCOMPARE(watcher.messageBoxes().size(), 1);
            QCOMPARE(watcher.messageBoxes().at(0).title, portTexts().title);
            QCOMPARE(watcher.messageBoxes().at(0).text.section('\n', 0, 0), portTexts().cannotOpen);
            // Under it the port named, by --port or remembered.
            QVERIFY(watcher.messageBoxes().at(0).text.contains(path(port.isEmpty() ? remembered : port)));
            QCOMPARE(w.form()->openButton->text(), portTexts().openCaption);
            QTest::qWait(200);
            QCOMPARE(first.allBytes() + second.allBytes(), QByteArray());
            return;
        }
        QCOMPARE(w.form()->portNameBox->currentText(), path(opened));
        const bool firstOpened = opened == QLatin1String("first");
        QVERIFY((firstOpened ? first : second).waitForMessage(QStringLiteral("OK"), 5000));
        QCOMPARE((firstOpened ? second : first).allBytes(), QByteArray());
        QCOMPARE(watcher.messageBoxes().size(), 0);
    }

    // Opening a port remembers it; the next start chooses it while it is
    // there and keeps the list's own choice when it is not.
    void lastPortIsChosenWhenPresent()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        FakeTransmitter first;
        FakeTransmitter second;
        QVERIFY(first.isOpen() && second.isOpen());
        qputenv("KELVO_EXTRA_PORTS", (first.devicePath() + QDir::listSeparator() + second.devicePath()).toLocal8Bit());
        QSettings settings;
        settings.remove(lastPortKey());
        {
            MainWindow w;
            QCOMPARE(w.form()->portNameBox->currentText(), first.devicePath());
            w.form()->portNameBox->setCurrentIndex(w.form()->portNameBox->findText(second.devicePath()));
            w.form()->openButton->click();
            QVERIFY(second.waitForMessage(QStringLiteral("OK"), 5000));
        }
        QCOMPARE(settings.value(lastPortKey()).toString(), second.devicePath());
        {
            MainWindow w;
            // As a start without options does.
            applyStartOptions(w, StartOptions(), settings.value(lastPortKey()).toString(),
                              settings.value(lastPortIdentityKey()).toString());
            QCOMPARE(w.form()->portNameBox->currentText(), second.devicePath());
        }
        settings.setValue(lastPortKey(), QStringLiteral("/dev/kelvo-unplugged"));
        {
            MainWindow w;
            // As a start without options does.
            applyStartOptions(w, StartOptions(), settings.value(lastPortKey()).toString(),
                              settings.value(lastPortIdentityKey()).toString());
            QCOMPARE(w.form()->portNameBox->currentText(), first.devicePath());
        }
        qunsetenv("KELVO_EXTRA_PORTS");
    }

    // Never the port that happens to be chosen instead of a missing one.
    void aMissingPortFailsToOpen()
    {
        MainWindow w;
        const QString before = w.form()->portNameBox->currentText();
        ModalWatcher watcher;
        StartOptions options;
        options.port = QStringLiteral("/dev/kelvo-no-such-port");
        options.open = true;
        applyStartOptions(w, options);
        QCOMPARE(watcher.messageBoxes().size(), 1);
        // The port asked for by name, and why it cannot be opened.
        QCOMPARE(watcher.messageBoxes().at(0).text.section('\n', 0, 0), portTexts().cannotOpen);
        QVERIFY2(watcher.messageBoxes().at(0).text.contains(QStringLiteral("没有串口 /dev/kelvo-no-such-port")),
                 qPrintable(watcher.messageBoxes().at(0).text));
        QVERIFY(!w.port().isOpen());
        QCOMPARE(w.form()->openButton->text(), portTexts().openCaption);
        QCOMPARE(w.form()->portNameBox->currentText(), before);
        QCOMPARE(w.form()->portNameBox->findText(options.port), -1);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

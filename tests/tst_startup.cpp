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
#include <QtTest>
#include <memory>

#include "app/mainwindow.h"
#include "app/messagetexts.h"
#include "app/startup.h"
#include "model/parameterset.h"
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
        resetAppState();
        applyLanguage(QStringLiteral("en"));
        QCOMPARE(params().LangChinese, 0);
        {
            MainWindow w;
            QCOMPARE(w.form()->openButton->text(), portTexts(0).openCaption);
        }
        applyLanguage(QStringLiteral("zh"));
        QCOMPARE(params().LangChinese, 1);
    }

    void portAndOpenStartConnected()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        resetAppState();
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
        QCOMPARE(w.form()->openButton->text(), portTexts(1).closeCaption);
        QCOMPARE(iconImage(w.form()->toolButton_led->icon()),
                 iconImage(QIcon(QStringLiteral(":/myImage/images/green.png"))));
    }

    // Opening a port remembers it; the next start chooses it while it is
    // there and keeps the list's own choice when it is not.
    void lastPortIsChosenWhenPresent()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        resetAppState();
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
            chooseRememberedPort(w, settings);
            QCOMPARE(w.form()->portNameBox->currentText(), second.devicePath());
        }
        settings.setValue(lastPortKey(), QStringLiteral("/dev/kelvo-unplugged"));
        {
            MainWindow w;
            chooseRememberedPort(w, settings);
            QCOMPARE(w.form()->portNameBox->currentText(), first.devicePath());
        }
        qunsetenv("KELVO_EXTRA_PORTS");
    }

    // Never the port that happens to be chosen instead of a missing one.
    void aMissingPortFailsToOpen()
    {
        resetAppState();
        MainWindow w;
        const QString before = w.form()->portNameBox->currentText();
        ModalWatcher watcher;
        StartOptions options;
        options.port = QStringLiteral("/dev/kelvo-no-such-port");
        options.open = true;
        applyStartOptions(w, options);
        QCOMPARE(watcher.messageBoxes().size(), 1);
        QCOMPARE(watcher.messageBoxes().at(0).text, portTexts(1).cannotOpen);
        QVERIFY(!w.port().isOpen());
        QCOMPARE(w.form()->openButton->text(), portTexts(1).openCaption);
        QCOMPARE(w.form()->portNameBox->currentText(), before);
        QCOMPARE(w.form()->portNameBox->findText(options.port), -1);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

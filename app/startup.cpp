// The command line and what it sets up before the event loop runs.
#include "app/startup.h"
#include "app/terminationsignals.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPushButton>
#include <QSettings>
#include <QTextStream>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include "app/mainwindow.h"
#include "model/parameterset.h"
#include "model/translations.h"
#include "ui/mainform.h"
#include "ui/platformfonts.h"

namespace {

const QString kEnglish = QStringLiteral("en");
const QString kChinese = QStringLiteral("zh");
const QString kLanguageKey = QStringLiteral("language");

} // namespace

StartCommand parseStartCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
            "Startup", "Configures KELVO and MIRAQ eight-channel RC transmitters over a serial port."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption langOption(
            QStringLiteral("lang"),
            QCoreApplication::translate("Startup",
                                        "Language of the messages: en or zh (default: the last one given, else zh)."),
            QStringLiteral("en|zh"));
    const QCommandLineOption portOption(
            QStringLiteral("port"),
            QCoreApplication::translate("Startup",
                                        "Choose this serial port at start (a name from the list or a device path)."),
            QCoreApplication::translate("Startup", "name"));
    const QCommandLineOption openOption(
            QStringLiteral("open"),
            QCoreApplication::translate("Startup", "Open the chosen port at start, as the open button does."));
    parser.addOptions({langOption, portOption, openOption});

    StartCommand command;
    const auto fail = [&command](const QString &problem) {
        command.action = StartCommand::Fail;
        command.text = problem + QLatin1Char('\n');
        return command;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    // --help-all too: the Qt options it would add are taken by the application object.
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        command.action = StartCommand::ShowHelp;
        command.text = parser.helpText();
        return command;
    }
    if (parser.isSet(versionOption)) {
        command.action = StartCommand::ShowVersion;
        command.text = QCoreApplication::applicationName() + QLatin1Char(' ')
                + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return command;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return fail(QCoreApplication::translate("Startup", "Unexpected argument: %1")
                            .arg(parser.positionalArguments().constFirst()));
    }

    StartOptions &options = command.options;
    if (parser.isSet(langOption)) {
        options.language = parser.value(langOption).trimmed().toLower();
        if (options.language != kEnglish && options.language != kChinese) {
            return fail(QCoreApplication::translate("Startup", "Unknown language: %1 (use en or zh)")
                                .arg(parser.value(langOption)));
        }
    }
    options.port = parser.value(portOption).trimmed();
    if (parser.isSet(portOption) && options.port.isEmpty())
        return fail(QCoreApplication::translate("Startup", "The port name is empty."));
    options.open = parser.isSet(openOption);
    return command;
}

QString resolveLanguage(const QString &given, QSettings &settings)
{
    if (given == kEnglish || given == kChinese) {
        rememberLanguage(given, settings);
        return given;
    }
    const QString remembered = settings.value(kLanguageKey).toString();
    return remembered == kEnglish ? kEnglish : kChinese;
}

void rememberLanguage(const QString &language, QSettings &settings)
{
    settings.setValue(kLanguageKey, language == kEnglish ? kEnglish : kChinese);
}

void applyLanguage(const QString &language)
{
    // The message boxes and dialogs too; a catalogue that cannot be loaded
    // leaves the tool Chinese throughout.
    if (!installLanguage(language))
        qWarning("The %s catalogue is not available; using Chinese.", qPrintable(language));
}

void applyStartOptions(MainWindow &window, const StartOptions &options, const QString &remembered,
                       const QString &rememberedIdentity)
{
    // The list's own choice is the user's only when there is nothing else
    // to go by.
    bool chosen = true;
    if (!options.port.isEmpty())
        chosen = window.choosePort(options.port);
    else if (!remembered.isEmpty())
        chosen = window.preferPort(remembered, rememberedIdentity);
    if (!options.open)
        return;
    if (chosen) {
        window.form()->openButton->click();
    } else {
        // Not the port that happens to be chosen instead: the one named.
        window.showOpenFailure(options.port.isEmpty() ? remembered : options.port,
                               QCoreApplication::translate("ConnectionCheckWindow", "串口不在列表中"));
    }
}

QString lastPortKey()
{
    return QStringLiteral("lastPort");
}

QString lastPortIdentityKey()
{
    return QStringLiteral("lastPortIdentity");
}

void describeApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("kelvo-miraq"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-miraq-config"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVO_VERSION));
#ifdef Q_OS_WIN
    // Settings in a file in %APPDATA% (kelvo-miraq\kelvo-miraq-config.ini),
    // next to the backups, rather than in the registry.
    QSettings::setDefaultFormat(QSettings::IniFormat);
#endif
}

#ifdef Q_OS_WIN
namespace {

// The window is a GUI program, which Windows starts without a console: typed
// in a console, its answer to --help or --version would go nowhere. Unless
// its output was sent to a file or a pipe, it goes to that console.
void answerOnParentConsole()
{
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    FILE *reopened = nullptr;
    freopen_s(&reopened, "CONOUT$", "w", stdout);
    freopen_s(&reopened, "CONOUT$", "w", stderr);
}

} // namespace
#endif

int startTool(const QStringList &arguments)
{
    const StartCommand command = parseStartCommand(arguments);
    switch (command.action) {
    case StartCommand::ShowHelp:
    case StartCommand::ShowVersion:
#ifdef Q_OS_WIN
        answerOnParentConsole();
        // "\n" as on the other systems, in a file or a pipe too.
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        QTextStream(stdout) << command.text;
        return 0;
    case StartCommand::Fail:
#ifdef Q_OS_WIN
        answerOnParentConsole();
#endif
        QTextStream(stderr) << command.text;
        return 1;
    case StartCommand::Run:
        break;
    }

    QSettings settings;
    applyLanguage(resolveLanguage(command.options.language, settings));
    installChineseFallbackFaces();
    MainWindow window;
    // Asked to end from outside, the tool ends as "放弃并关闭" does.
    onTerminationSignal([&window] { window.endNow(); });
    window.show();
    applyStartOptions(window, command.options, settings.value(lastPortKey()).toString(),
                      settings.value(lastPortIdentityKey()).toString());
    return QApplication::exec();
}

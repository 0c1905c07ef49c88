#include "cli/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <vector>

#include "cli/backupscommand.h"
#include "cli/clilanguage.h"
#include "cli/clitext.h"
#include "cli/console.h"
#include "cli/doctorcommand.h"
#include "cli/exitcode.h"
#include "cli/filecommands.h"
#include "cli/portcommands.h"
#include "cli/sheetcommand.h"
#include "model/translations.h"

namespace {

// The options a command may take, as flags of Command::options.
enum Option { Port = 1, Output = 2, Verify = 4, Seconds = 8, Csv = 16, Json = 32, NoVerify = 64, OptionalPort = 128,
              SheetOutput = 256, Backup = 512 };

struct Argument
{
    const char *name;
    const char *description;
};

struct Command
{
    const char *name;
    const char *synopsis;
    const char *summary;
    int options;
    std::vector<Argument> arguments;
    int (*run)(const QCommandLineParser &parser, const QStringList &arguments);
};

QString text(const char *source)
{
    return Cli::tr(source);
}

SendOptions sendOptions(const QCommandLineParser &parser)
{
    SendOptions options;
    options.verify = !parser.isSet(QStringLiteral("no-verify"));
    options.backup = !parser.isSet(QStringLiteral("no-backup"));
    options.force = parser.isSet(QStringLiteral("force"));
    return options;
}

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        {"ports", "ports", QT_TRANSLATE_NOOP("Cli", "List the serial ports."), 0, {},
         [](const QCommandLineParser &, const QStringList &) { return listPorts(); }},
        {"read", "read --port P -o FILE",
         QT_TRANSLATE_NOOP("Cli", "Read the transmitter's configuration into a parameter file."), Port | Output, {},
         [](const QCommandLineParser &p, const QStringList &) {
             return readToFile(p.value(QStringLiteral("port")), p.value(QStringLiteral("output")));
         }},
        {"write", "write --port P FILE [--no-verify] [--no-backup | --force]",
         QT_TRANSLATE_NOOP("Cli", "Back up the transmitter's set-up as the window does, write a parameter file to "
                                  "it, then read it back and compare."),
         Port | Verify | NoVerify | Backup,
         {{"FILE", QT_TRANSLATE_NOOP("Cli", "Parameter file to write.")}},
         [](const QCommandLineParser &p, const QStringList &args) {
             return writeFile(p.value(QStringLiteral("port")), args.at(0), sendOptions(p));
         }},
        {"reset", "reset --port P [--no-verify] [--no-backup | --force]",
         QT_TRANSLATE_NOOP("Cli", "Back up the transmitter's set-up as the window does, put the factory values into "
                                  "it, then read it back and compare."),
         Port | Verify | NoVerify | Backup, {},
         [](const QCommandLineParser &p, const QStringList &) {
             return factoryReset(p.value(QStringLiteral("port")), sendOptions(p));
         }},
        {"monitor", "monitor --port P [--seconds N] [--csv]",
         QT_TRANSLATE_NOOP("Cli", "Print the live channels and telemetry, one line per packet."),
         Port | Seconds | Csv, {},
         [](const QCommandLineParser &p, const QStringList &) {
             MonitorOptions options;
             options.seconds = p.value(QStringLiteral("seconds")).toInt();
             options.csv = p.isSet(QStringLiteral("csv"));
             return monitor(p.value(QStringLiteral("port")), options);
         }},
        {"show", "show FILE [--json]", QT_TRANSLATE_NOOP("Cli", "Print every setting of a parameter file."), Json,
         {{"FILE", QT_TRANSLATE_NOOP("Cli", "Parameter file to show.")}},
         [](const QCommandLineParser &p, const QStringList &args) {
             return showFile(args.at(0), p.isSet(QStringLiteral("json")));
         }},
        {"diff", "diff A B", QT_TRANSLATE_NOOP("Cli", "Print the settings that differ between two parameter files."),
         0,
         {{"A", QT_TRANSLATE_NOOP("Cli", "First parameter file.")},
          {"B", QT_TRANSLATE_NOOP("Cli", "Second parameter file.")}},
         [](const QCommandLineParser &, const QStringList &args) { return diffFiles(args.at(0), args.at(1)); }},
        {"doctor", "doctor [--port P]",
         QT_TRANSLATE_NOOP("Cli", "Find out why the transmitter cannot be reached, and how to fix it."), OptionalPort, {},
         [](const QCommandLineParser &p, const QStringList &) { return runDoctor(p.value(QStringLiteral("port"))); }},
        {"backups", "backups",
         QT_TRANSLATE_NOOP("Cli", "List the automatic backups of the window, write and reset, newest first: time, "
                                  "the command each was taken before, the port (\"-\": not recorded) and the file. "
                                  "The 100 newest are kept."),
         0, {}, [](const QCommandLineParser &, const QStringList &) { return listBackups(); }},
        {"sheet", "sheet FILE -o OUT",
         QT_TRANSLATE_NOOP("Cli", "Write a set-up sheet of a parameter file to print: every setting, as .html or .pdf."),
         SheetOutput, {{"FILE", QT_TRANSLATE_NOOP("Cli", "Parameter file to print.")}},
         [](const QCommandLineParser &p, const QStringList &args) {
             return writeSheet(args.at(0), p.value(QStringLiteral("output")));
         }},
    };
    return table;
}

const Command *findCommand(const QString &name)
{
    for (const Command &c : commands()) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

struct OptionEntry
{
    Option flag;
    QCommandLineOption option;
};

std::vector<OptionEntry> optionTable()
{
    return {
        {Port, QCommandLineOption({QStringLiteral("p"), QStringLiteral("port")},
                                  text(QT_TRANSLATE_NOOP("Cli", "Serial port of the transmitter: ttyUSB0, COM3, /dev/pts/7.")),
                                  text(QT_TRANSLATE_NOOP("Cli", "name")))},
        {Output, QCommandLineOption({QStringLiteral("o"), QStringLiteral("output")},
                                    text(QT_TRANSLATE_NOOP("Cli", "Parameter file to save; only a complete reply is saved.")),
                                    text(QT_TRANSLATE_NOOP("Cli", "file")))},
        {SheetOutput, QCommandLineOption({QStringLiteral("o"), QStringLiteral("output")},
                                         text(QT_TRANSLATE_NOOP("Cli", "The sheet to write: its extension, .html or .pdf, says which.")),
                                         text(QT_TRANSLATE_NOOP("Cli", "file")))},
        {Verify, QCommandLineOption(QStringLiteral("verify"),
                                    text(QT_TRANSLATE_NOOP("Cli", "Kept for old scripts: reading back and comparing is the default.")))},
        {NoVerify, QCommandLineOption(QStringLiteral("no-verify"),
                                      text(QT_TRANSLATE_NOOP("Cli", "Do not read the configuration back: the send is not confirmed.")))},
        {Backup, QCommandLineOption(QStringLiteral("no-backup"),
                                    text(QT_TRANSLATE_NOOP("Cli", "Do not read the transmitter first to back up what it holds.")))},
        {Backup, QCommandLineOption(QStringLiteral("force"),
                                    text(QT_TRANSLATE_NOOP("Cli", "Send even when the backup cannot be taken.")))},
        {Seconds, QCommandLineOption(QStringLiteral("seconds"),
                                     text(QT_TRANSLATE_NOOP("Cli", "Stop after n seconds (default: at Ctrl-C).")),
                                     text(QT_TRANSLATE_NOOP("Cli", "n")), QStringLiteral("0"))},
        {Csv, QCommandLineOption(QStringLiteral("csv"),
                                 text(QT_TRANSLATE_NOOP("Cli", "Comma-separated numbers with a header line.")))},
        {Json, QCommandLineOption(QStringLiteral("json"), text(QT_TRANSLATE_NOOP("Cli", "A JSON array instead of text.")))},
    };
}

QString exitStatusHelp()
{
    return Cli::tr("Exit status:\n"
                   "  0  done; diff: the files are equal; write, reset: read back and equal\n"
                   "     (with --no-verify: sent, not checked)\n"
                   "  1  diff: the files differ; write, reset: the transmitter read back differs\n"
                   "     from what was sent (the differing settings are listed)\n"
                   "  2  the command line is wrong\n"
                   "  3  a file is missing, unreadable, not a parameter file or cannot be written;\n"
                   "     write: the file lacks frames and the transmitter's set-up cannot be read\n"
                   "  4  the port does not exist, is busy, cannot be opened or went away;\n"
                   "     write, reset: nothing was sent\n"
                   "  5  the transmitter does not answer, or its reply is incomplete or keeps repeating\n"
                   "     (a read ends at most about 8 s after its request);\n"
                   "     write, reset: it went silent after the send, its read-back is incomplete or\n"
                   "     its trims could not be checked: what it holds is not confirmed\n"
                   "  6  show, diff: a file lacks frames; the pages it leaves unknown are named and\n"
                   "     their settings shown as unknown (null in JSON), never as start values\n"
                   "  7  write, reset: the port went away after frames had gone out (\"2 of 4 frames\n"
                   "     sent\"): the transmitter may hold part of the new set-up\n"
                   "  8  write, reset: the transmitter's set-up could not be read or its backup\n"
                   "     written; nothing was sent (--force sends anyway, --no-backup takes none)\n"
                   "  doctor: 10 no such port, or what was given is no serial device (a folder, a file),\n"
                   "     11 no permission to open it, 12 another program holds it,\n"
                   "     13 brltty took the USB adapter, 14 ModemManager probes it, 15 no transmitter answers");
}

QString generalDescription()
{
    QString out = Cli::tr("Reads, writes and watches KELVO and MIRAQ eight-channel transmitters, "
                          "and shows and compares their parameter files.")
            + QStringLiteral("\n\n") + Cli::tr("Commands:") + QLatin1Char('\n');
    for (const Command &c : commands())
        out += QStringLiteral("  %1\n      %2\n").arg(QLatin1String(c.synopsis), text(c.summary));
    out += QLatin1Char('\n') + Cli::tr("\"%1 <command> --help\" describes one command.")
                                       .arg(QCoreApplication::applicationName())
            + QStringLiteral("\n\n") + exitStatusHelp();
    return out;
}

QCommandLineOption languageOption()
{
    return QCommandLineOption(QStringLiteral("lang"),
                              text(QT_TRANSLATE_NOOP("Cli", "Language of the messages, the setting names and the doctor's report: zh or "
                                                           "en (default: the system's, zh for a Chinese locale, en for any other).")),
                              text(QT_TRANSLATE_NOOP("Cli", "code")));
}

void addStandardOptions(QCommandLineParser &parser)
{
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(languageOption());
}

// --help and --version through the tool's own output rather than
// QCommandLineParser's, which on Windows shows a message box instead when it
// finds no console, and writes in the local code page.
int showHelp(const QCommandLineParser &parser)
{
    printText(parser.helpText());
    return exitStatus(ExitCode::Ok);
}

int showVersion()
{
    printLine(QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion());
    return exitStatus(ExitCode::Ok);
}

int usageError(const QString &message)
{
    return fail(ExitCode::Usage, Cli::tr("%1 (see %2 --help)").arg(message, QCoreApplication::applicationName()));
}

// The checks QCommandLineParser cannot make: required options, the number of
// file arguments, a number where one is wanted.
QString commandLineProblem(const Command &command, const QCommandLineParser &parser, const QStringList &arguments)
{
    const QString name = QLatin1String(command.name);
    if ((command.options & Port) && parser.value(QStringLiteral("port")).isEmpty())
        return Cli::tr("%1 needs --port").arg(name);
    if ((command.options & (Output | SheetOutput)) && parser.value(QStringLiteral("output")).isEmpty())
        return Cli::tr("%1 needs -o FILE").arg(name);
    if (arguments.size() != int(command.arguments.size()))
        return Cli::tr("usage: %1").arg(QLatin1String(command.synopsis));
    if (command.options & Seconds) {
        bool ok = false;
        const int seconds = parser.value(QStringLiteral("seconds")).toInt(&ok);
        if (!ok || seconds < 0)
            return Cli::tr("--seconds takes a whole number of seconds, 0 or more");
    }
    return {};
}

} // namespace

int runCommandLine(const QStringList &arguments)
{
    // First pass: every option known, only to find the command.
    QCommandLineParser first;
    addStandardOptions(first);
    for (const OptionEntry &entry : optionTable()) {
        if (entry.flag != SheetOutput) // -o once
            first.addOption(entry.option);
    }
    first.parse(arguments);
    const QString name = first.positionalArguments().value(0);
    // The names of pages, captions and choices come from the same catalogue
    // as the window's. A --lang other than zh or en is refused in the
    // system's language.
    const QString given = first.value(QStringLiteral("lang"));
    if (!installCommandLineLanguage(commandLineLanguage(given, QLocale::system()))) {
        installCommandLineLanguage(commandLineLanguage(QString(), QLocale::system()));
        return usageError(Cli::tr("--lang takes zh or en"));
    }

    const Command *command = findCommand(name);
    if (!command) {
        QCommandLineParser general;
        general.setApplicationDescription(generalDescription());
        addStandardOptions(general);
        general.addPositionalArgument(QStringLiteral("command"), Cli::tr("What to do; see Commands above."),
                                      QStringLiteral("<command>"));
        if (!general.parse(arguments) && !first.isSet(QStringLiteral("help")))
            return usageError(general.errorText());
        if (general.isSet(QStringLiteral("help")) || general.isSet(QStringLiteral("help-all")))
            return showHelp(general);
        if (general.isSet(QStringLiteral("version")))
            return showVersion();
        if (name.isEmpty())
            return usageError(Cli::tr("no command given"));
        return usageError(Cli::tr("unknown command \"%1\"").arg(name));
    }

    // Second pass: the command's own options only.
    QCommandLineParser parser;
    parser.setApplicationDescription(text(command->summary) + QStringLiteral("\n\n") + exitStatusHelp());
    addStandardOptions(parser);
    for (const OptionEntry &entry : optionTable()) {
        if ((command->options & entry.flag) || (entry.flag == Port && (command->options & OptionalPort)))
            parser.addOption(entry.option);
    }
    parser.addPositionalArgument(name, text(command->summary), name);
    for (const Argument &argument : command->arguments)
        parser.addPositionalArgument(QLatin1String(argument.name), text(argument.description));
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        return showHelp(parser);
    if (!parsed)
        return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("version")))
        return showVersion();

    const QStringList rest = parser.positionalArguments().mid(1);
    const QString problem = commandLineProblem(*command, parser, rest);
    if (!problem.isEmpty())
        return usageError(problem);
    return command->run(parser, rest);
}

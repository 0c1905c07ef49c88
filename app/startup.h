#pragma once

#include <QString>
#include <QStringList>

class MainWindow;
class QSettings;

// What the command line asks of the tool.
struct StartOptions
{
    QString language; // "en" or "zh"; empty when not given
    QString port;     // the port to choose at start; empty when not given
    bool open = false; // open the chosen port at start
};

struct StartCommand
{
    enum Action { Run, ShowHelp, ShowVersion, Fail };
    Action action = Run;
    StartOptions options;
    QString text; // the help or version text, or what was wrong
};

// Reads the command line (program name first, Qt's own options already taken
// out by the application object). Exits nothing and prints nothing.
StartCommand parseStartCommand(const QStringList &arguments);

// The language to start in: the one given on the command line, else the one
// given last time, else Chinese. The system's locale plays no part. A given
// language is remembered in settings.
QString resolveLanguage(const QString &given, QSettings &settings);

// Keeps language ("en" or "zh") for the next starts, as --lang does.
void rememberLanguage(const QString &language, QSettings &settings);

// Switches the tool to "en" or "zh" (anything else counts as "zh"). Runs
// before the window is built; loading translations belongs here too.
void applyLanguage(const QString &language);

// Chooses the port asked for, else the port remembered from last time, and
// with options.open opens it as the open button would. The list's own choice
// is opened only when no port was asked for or remembered. When the port to
// open is not there, the open fails with the usual message and nothing is
// opened.
void applyStartOptions(MainWindow &window, const StartOptions &options,
                       const QString &remembered = QString(), const QString &rememberedIdentity = QString());

// The settings keys of the port last opened and of its adapter's identity
// (portIdentity()), which finds it again under a new name.
QString lastPortKey();
QString lastPortIdentityKey();

// Organization, application name and version, for settings and --version.
void describeApplication();

// Everything main() does after making the application object.
int startTool(const QStringList &arguments);

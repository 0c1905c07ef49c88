// kelvo-miraq-cli as a script runs it: the built program against the
// simulator program and against a transmitter played on a pseudo-terminal
// here; its report functions directly.
#include "link/parameterblocks.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSerialPort>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QTest>

#include "cli/clilanguage.h"
#include "cli/monitorreport.h"
#include "cli/portreport.h"
#include "cli/fileinput.h"
#include "cli/settingsreport.h"
#include "cli/transferlink.h"
#include "files/backuplist.h"
#include "files/parameterfile.h"
#include "link/framecodec.h"
#include "link/conversation.h"
#include "link/protocol.h"
#include "link/livevalues.h"
#include "link/transmittersession.h"
#include "model/defaults.h"
#include "model/dualrate.h"
#include "model/settings.h"
#include "model/translations.h"
#include "transfer/replyrules.h"
#include "support/factoryframes.h"
#include "support/faketransmitter.h"
#include "support/sheetrows.h"
#include "testpaths.h"

namespace {

struct CliRun
{
    int exitCode = -1; // -1: crashed or hung
    QStringList out;
    QByteArray rawOut; // as written, line ends and all
    QString err;
    QString text() const { return QStringLiteral("exit %1\n%2\n%3").arg(exitCode).arg(out.join('\n'), err); }
    // Every error is one line that names the tool.
    bool oneError(const QString &says) const
    {
        return err.count('\n') == 1 && err.startsWith("kelvo-miraq-cli: ") && err.contains(says);
    }
};

// Runs the program while this process keeps handling events, so that a
// transmitter played here answers it meanwhile.
CliRun runProgram(const QString &program, const QStringList &arguments,
                  const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                  int timeoutMs = 60000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    CliRun run;
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
    } else if (process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.rawOut = process.readAllStandardOutput();
    run.out = QString::fromUtf8(run.rawOut).split('\n', Qt::SkipEmptyParts);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// This environment with the system locale locale (empty: C.UTF-8) and no
// other locale variable, so that the language the tool speaks does not
// depend on the machine running the tests.
QProcessEnvironment withLocale(const QString &locale)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : environment.keys()) {
        if (name.startsWith(QLatin1String("LC_")) || name == QLatin1String("LANGUAGE"))
            environment.remove(name);
    }
    environment.insert(QStringLiteral("LANG"), locale.isEmpty() ? QStringLiteral("C.UTF-8") : locale);
    return environment;
}

// In English, unless --lang says otherwise. timeoutMs: a run still going
// then is killed and counts as hung.
CliRun runCli(const QStringList &arguments, int timeoutMs = 60000, const QString &locale = QString())
{
    return runProgram(QStringLiteral(KELVO_CLI_PATH), arguments, withLocale(locale), timeoutMs);
}

// Starts the simulator program on a pseudo-terminal; its port, or empty.
QString startSimulator(QProcess &process, const QStringList &arguments)
{
    process.start(QStringLiteral(KELVO_SIM_PATH), arguments);
    QByteArray out;
    const QDeadlineTimer deadline(15000);
    while (!out.contains('\n') && !deadline.hasExpired() && process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(200);
        out += process.readAllStandardOutput();
    }
    if (!out.startsWith("PORT /"))
        return {};
    return QString::fromLocal8Bit(out.mid(5, out.indexOf('\n') - 5));
}

// A transmitter that says it is there: one status packet as soon as it
// hears "OK", as the live stream would begin.
void answerHello(FakeTransmitter &tx)
{
    QObject::connect(&tx, &FakeTransmitter::messageReceived, &tx, [&tx](const TransmitterMessage &m) {
        if (m.kind == QLatin1String("OK"))
            tx.send(encodeStatusPacket(80, 50, 74, 120, 120, 120, 120));
    });
}

ParameterSet factorySet()
{
    ParameterSet p;
    restoreFactoryFirst(p);
    restoreFactorySecond(p);
    selectDualRate(p);
    return p;
}

// Every value in range and the tenths beside their volts, as a decoded file
// or reply has them.
ParameterSet changedSet()
{
    ParameterSet p = factorySet();
    p.Sub1 = 15;
    p.Rev2 = 1;
    p.Lepa3 = 70;
    p.FS1 = 20;
    p.TxVolt = 4.4;
    p.TxVoltTenths = 44;
    p.Trim1 = 130;
    return p;
}

// The text of the string literals at code[at] on, adjacent ones joined as
// the compiler joins them; null when no literal starts there.
QString literalAt(const QString &code, int at)
{
    QString text;
    for (;;) {
        while (at < code.size() && code.at(at).isSpace())
            ++at;
        if (at >= code.size() || code.at(at) != QLatin1Char('"'))
            return text;
        for (++at; at < code.size() && code.at(at) != QLatin1Char('"'); ++at) {
            QChar c = code.at(at);
            if (c == QLatin1Char('\\') && ++at < code.size())
                c = code.at(at) == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : code.at(at);
            text += c;
        }
        ++at;
    }
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString factoryPath;
    QString changedPath;
    QProcess sim;
    QString simPort;

    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }

    // The simulator program, started on first use with the changed set.
    bool simulator()
    {
        if (sim.state() == QProcess::Running)
            return true;
        writeBytes(path("sim.dat"), parameterFileBytes(changedSet()));
        simPort = startSimulator(sim, {"--config", path("sim.dat"), "--quiet"});
        return !simPort.isEmpty();
    }

private slots:
    void initTestCase()
    {
        // The backups of write and reset go here, not to the user's.
        qputenv("XDG_DATA_HOME", QFile::encodeName(path("data")));
        factoryPath = path("factory.dat");
        changedPath = path("changed.dat");
        QCOMPARE(parameterFileBytes(factorySet()), factoryFile());
        QVERIFY(writeBytes(factoryPath, factoryFile()));
        QVERIFY(writeBytes(changedPath, parameterFileBytes(changedSet())));
    }

    void cleanupTestCase()
    {
        sim.terminate();
        sim.waitForFinished(10000);
    }

    void differenceLines_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("line");

        QTest::newRow("number") << "Sub1" << QVariant(15) << "基础菜单 / 中点微调 / CH1: 0 % -> 15 %";
        QTest::newRow("choice") << "Rev2" << QVariant(1) << "基础菜单 / 舵机相位 / CH2: 正相 -> 反相";
        QTest::newRow("column") << "Repa4" << QVariant(80) << "基础菜单 / 舵机行程量 / CH4 R: 96 % -> 80 %";
        QTest::newRow("trim around 0") << "Trim1" << QVariant(130) << "系统设置 / 版本 / 模式 / 微调一: 0 -> 10";
        QTest::newRow("signal alarm") << "RssiAlarm" << QVariant(-80) << "系统设置 / 报警设置 / RSSI信号: -100 dBm -> -80 dBm";
        QTest::newRow("voltage") << "TxVolt" << QVariant(4.4) << "系统设置 / 报警设置 / 遥控器电压: 3.7 V -> 4.4 V";
    }

    void differenceLines()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QString, line);

        const Setting *setting = findSettingRow(key);
        QVERIFY(setting);
        ParameterSet after = factorySet();
        if (setting->volts)
            after.*setting->volts = value.toDouble();
        else
            setting->member.of(after) = value.toInt();
        QCOMPARE(differenceListing(factorySet(), after), QStringList{line});
        QVERIFY(differenceListing(after, after).isEmpty());
        QVERIFY(settingsListing(after).contains(settingLabel(*setting) + ": " + line.section(" -> ", 1)));
    }

    void monitorAndPortLines()
    {
        ParameterSet p;
        for (int ch = 0; ch < 8; ++ch)
            channelOutput(ch).of(p) = ch == 0 ? 1500 : ch == 7 ? 0 : 1000;
        LiveValues live{1185, 30, 42, 123, 0};
        QCOMPARE(monitorLine(p, live),
                 QStringLiteral("CH 1500 1000 1000 1000 1000 1000 1000 0  TX 11.8 V  RSSI -70dBm  RX 4.2V  EXT 12.3 V"));
        QCOMPARE(monitorCsvLine(250, p, live), QStringLiteral("250,1500,1000,1000,1000,1000,1000,1000,0,11.85,-70,4.2,12.3"));
        live.LiveRssi = 0; // no signal: "null", an empty field
        QVERIFY(monitorLine(p, live).contains("RSSI null  RX"));
        QVERIFY(monitorCsvLine(250, p, live).endsWith(",11.85,,4.2,12.3"));

        PortDescription usb{"ttyUSB0", "CP2102 USB to UART", "Silicon Labs", true, 0x10c4, 0xea60, false, {}};
        PortDescription extra{"/dev/pts/7", {}, {}, false, 0, 0, true, {}};
        QCOMPARE(portListing({usb, extra}), QStringList({"ttyUSB0  CP2102 USB to UART  Silicon Labs  10c4:ea60",
                                                          "/dev/pts/7  (from KELVO_EXTRA_PORTS)"}));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");

        QTest::newRow("help") << QStringList{"--help"} << 0 << "Exit status:";
        QTest::newRow("command help") << QStringList{"write", "--help"} << 0 << "--verify";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "kelvo-miraq-cli 4.9";
        QTest::newRow("no command") << QStringList{} << 2 << "no command given";
        QTest::newRow("unknown command") << QStringList{"flash"} << 2 << "unknown command \"flash\"";
        QTest::newRow("no port") << QStringList{"read", "-o", "x.dat"} << 2 << "read needs --port";
        QTest::newRow("no output") << QStringList{"read", "--port", "p"} << 2 << "read needs -o FILE";
        QTest::newRow("another command's option") << QStringList{"show", "--verify", "a"} << 2 << "verify";
        QTest::newRow("one file to diff") << QStringList{"diff", "a"} << 2 << "usage: diff A B";
        QTest::newRow("seconds") << QStringList{"monitor", "--port", "p", "--seconds", "ten"} << 2 << "--seconds";
        QTest::newRow("sheet without -o") << QStringList{"sheet", "a.dat"} << 2 << "sheet needs -o FILE";
        QTest::newRow("sheet as text") << QStringList{"sheet", "a.dat", "-o", "a.txt"} << 2 << ".html or .pdf";
        // Without --lang the system's language: "LANG=..." first sets it.
        const QString chinese = QStringLiteral("LANG=zh_CN.UTF-8");
        QTest::newRow("Chinese locale") << QStringList{chinese} << 2 << "没有给出命令（见 kelvo-miraq-cli --help）";
        QTest::newRow("Chinese help") << QStringList{chinese, "--help"} << 0 << "退出状态：";
        QTest::newRow("C locale") << QStringList{"LANG=C", "flash"} << 2 << "unknown command \"flash\"";
        QTest::newRow("--lang en over the locale") << QStringList{chinese, "read", "--lang", "en"} << 2 << "read needs --port";
        QTest::newRow("--lang zh over the locale") << QStringList{"LANG=C", "read", "--lang", "zh"} << 2 << "read 需要 --port";
        QTest::newRow("unknown language") << QStringList{chinese, "--lang", "fr"} << 2 << "--lang 只能是 zh 或 en";
    }

    void usage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, says);

        const QString locale = arguments.value(0).startsWith("LANG=") ? arguments.takeFirst().mid(5) : QString();
        const CliRun run = runCli(arguments, 60000, locale);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(exitCode == 0 ? run.out.join('\n').contains(says) : run.oneError(says) && run.out.isEmpty(),
                 qPrintable(run.text()));
    }

    void languageFollowsTheLocale()
    {
        for (const char *chinese : {"zh_CN", "zh_TW", "zh_HK"})
            QCOMPARE(commandLineLanguage({}, QLocale(QLatin1String(chinese))), QStringLiteral("zh"));
        for (const char *other : {"C", "en_US", "de_DE", "ja_JP"})
            QCOMPARE(commandLineLanguage({}, QLocale(QLatin1String(other))), QStringLiteral("en"));
    }

    // Every text the tool shows whose source is English has its Chinese,
    // finished and with the source's placeholders, options and fixed names.
    // The texts are read from the sources as the compiler reads them, so a
    // new one without its Chinese fails here.
    void everyEnglishTextHasItsChinese()
    {
        QMap<QString, QString> chinese; // "context/source": the translation, empty while unfinished
        QFile ts(QStringLiteral(KELVO_SOURCE_DIR "/translations/kelvo-miraq-config_zh.ts"));
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        QString context, source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("source"))
                source = xml.readElementText();
            else if (xml.name() == QLatin1String("translation"))
                chinese[context + '/' + source] = xml.attributes().value(QLatin1String("type")).isEmpty()
                        ? xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed() : QString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));

        const QRegularExpression han(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
        const QRegularExpression fixed(QStringLiteral("%n|%\\d+|(?<![\\w-])--?[a-z][a-z-]*|\\.(html|pdf)\\b|\\b[A-Z][A-Z_]{3,}\\b"));
        const struct { const char *folder, *files, *marker, *context; } places[] = {
            {"cli", "*.cpp", R"(Cli::tr\(|QT_TRANSLATE_NOOP\("Cli",)", "Cli"},
            {"link", "transmittersession.cpp", R"(\btr\()", "TransmitterSession"},
            {"files", "parameterfile.cpp", R"(translate\("ParameterFile",)", "ParameterFile"},
        };
        int texts = 0;
        for (const auto &place : places) {
            const QDir folder(QStringLiteral(KELVO_SOURCE_DIR "/") + QLatin1String(place.folder));
            for (const QString &file : folder.entryList({QLatin1String(place.files)})) {
                QFile f(folder.filePath(file));
                QVERIFY(f.open(QIODevice::ReadOnly));
                const QString code = QString::fromUtf8(f.readAll());
                auto marks = QRegularExpression(QLatin1String(place.marker)).globalMatch(code);
                while (marks.hasNext()) {
                    const QString text = literalAt(code, marks.next().capturedEnd());
                    if (!text.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))) || text.contains(han))
                        continue;
                    ++texts;
                    const QString zh = chinese.value(QLatin1String(place.context) + '/' + text);
                    QVERIFY2(!zh.isEmpty(), qPrintable(file + ": no Chinese for \"" + text + '"'));
                    auto tokens = fixed.globalMatch(text);
                    while (tokens.hasNext()) {
                        const QString token = tokens.next().captured();
                        QVERIFY2(zh.contains(token), qPrintable(token + " missing from " + zh));
                    }
                }
            }
        }
        QVERIFY(texts > 70);
    }

    // On a console without a display, and with "\n" line ends only.
    void helpAndVersionWithoutADisplay_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("says");

        for (const char *program : {KELVO_CLI_PATH, KELVO_CONFIG_PATH}) {
            const QString name = QFileInfo(QString::fromLocal8Bit(program)).baseName();
            QTest::addRow("%s --help", qPrintable(name)) << program << "--help" << "--version";
            QTest::addRow("%s --version", qPrintable(name)) << program << "--version" << name + " 4.9";
        }
    }

    void helpAndVersionWithoutADisplay()
    {
        QFETCH(QString, program);
        QFETCH(QString, option);
        QFETCH(QString, says);

        QProcessEnvironment console = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            console.remove(QLatin1String(name));
        const CliRun run = runProgram(program, {option}, console);
        const QByteArray &out = run.rawOut;
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(out.contains(says.toUtf8()) && out.endsWith('\n') && !out.contains('\r'), out.constData());
    }

    // The window asked to end from outside closes its port the way it
    // opened it: "DIS" goes out and no lock file is left behind.
    void terminatedWindowReleasesThePort()
    {
#ifndef Q_OS_UNIX
        QSKIP("termination signals are a Unix matter");
#endif
        FakeTransmitter tx;
        QVERIFY2(tx.isOpen(), qPrintable(tx.errorString()));
        answerHello(tx);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path("window-config"));
        QProcess window;
        window.setProcessEnvironment(environment);
        window.start(QStringLiteral(KELVO_CONFIG_PATH), {"--port", tx.devicePath(), "--open"});
        QVERIFY(tx.waitForMessage(QStringLiteral("OK"), 20000));
        const QString lock = QStringLiteral("LCK..") + tx.devicePath().mid(5).replace(QLatin1Char('/'), QLatin1Char('_'));
        const QStringList lockDirs{"/var/lock", "/run/lock", "/tmp", QDir::tempPath()};
        const auto lockLeft = [&] {
            for (const QString &folder : lockDirs) {
                if (QFile::exists(folder + QLatin1Char('/') + lock))
                    return true;
            }
            return false;
        };

        window.terminate();

        QVERIFY(QTest::qWaitFor([&] { return window.state() == QProcess::NotRunning; }, 10000));
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QTRY_COMPARE(tx.count(QStringLiteral("DIS")), 1);
        QVERIFY(!lockLeft());
    }

    // The file is judged before any port is touched: a bad file is a file
    // error whatever the port.
    void badFiles_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("content"); // null: no such file
        QTest::addColumn<QString>("says");

        QByteArray garbage(kParameterFileLength, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char(i * 37 + 11);
        const std::initializer_list<std::tuple<const char *, QByteArray, const char *>> files = {
            {"missing", QByteArray(), "no such file"},
            {"empty", QByteArray(""), "not a parameter file"},
            {"garbage", garbage, "not a parameter file"},
            {"cut inside G", factoryFile().left(150), "not a parameter file"},
            {"frames out of place", ' ' + factoryFile(), "not a parameter file"},
            {"2 MB", QByteArray(2 << 20, 'S'), "not a parameter file"},
            {"Q in every field", fieldsReplaced(factoryFile(), 'Q'), "not a parameter file"},
        };
        for (const char *command : {"show", "diff", "write"}) {
            for (const auto &[name, content, says] : files)
                QTest::addRow("%s, %s", command, name) << command << content << says;
        }
    }

    void badFiles()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, content);
        QFETCH(QString, says);

        const QString bad = path("bad.dat");
        QFile::remove(bad);
        if (!content.isNull())
            QVERIFY(writeBytes(bad, content));
        QStringList arguments{command};
        if (command == "diff")
            arguments << factoryPath;
        if (command == "write")
            arguments << "--port" << "/dev/no-such-port";
        const CliRun run = runCli(arguments << bad);
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.oneError(says) && run.err.contains(bad), qPrintable(run.text()));
    }

    void show()
    {
        CliRun run = runCli({"show", "--lang", "zh", factoryPath});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, settingsListing(factorySet()));
        QVERIFY(run.out.contains("基础菜单 / 中点微调 / CH1: 0 %"));

        run = runCli({"show", "--json", "--lang", "zh", changedPath});
        QCOMPARE(run.exitCode, 0);
        const QJsonArray array = QJsonDocument::fromJson(run.out.join('\n').toUtf8()).array();
        QCOMPARE(array.size(), settings().size());
        const QJsonObject sub1 = array.at(8).toObject();
        QCOMPARE(sub1.value("key").toString(), QStringLiteral("Sub1"));
        QCOMPARE(sub1.value("page").toString(), QStringLiteral("基础菜单"));
        QCOMPARE(sub1.value("label").toString(), QStringLiteral("基础菜单 / 中点微调 / CH1"));
        QCOMPARE(sub1.value("value").toString(), QStringLiteral("15 %"));
        QCOMPARE(sub1.value("unit").toString(), QStringLiteral("%"));
        QCOMPARE(sub1.value("raw").toInt(), 15);

        // A file with only some frames: the pages it leaves unknown are
        // named, and what its missing frames carry is unknown, never a
        // start value (the trims and the receiver voltage here).
        const QString partial = path("partial.dat");
        QVERIFY(writeBytes(partial, parameterFileBytes(changedSet()).left(2 * kFrameLength)));
        run = runCli({"show", "--lang", "zh", partial});
        QCOMPARE(run.exitCode, 6);
        QCOMPARE(run.out.size(), settings().size());
        QVERIFY(run.out.contains("基础菜单 / 中点微调 / CH1: 15 %"));
        QVERIFY(run.out.contains("系统设置 / 版本 / 模式 / 微调一: 未知"));
        QVERIFY(run.out.contains("系统设置 / 报警设置 / 接收机电压: 未知"));
        QVERIFY2(run.oneError(partial + " 不完整（缺少帧 H, I）：这些页面的设定未知：高级菜单1, 高级菜单2, 混控设置, 系统设置"),
                 qPrintable(run.text()));
        run = runCli({"show", "--json", "--lang", "en", partial});
        QCOMPARE(run.exitCode, 6);
        QVERIFY2(run.oneError("settings on Advanced 1, Advanced 2, Mixes, System are unknown"), qPrintable(run.text()));
        QMap<QString, QJsonObject> byKey;
        for (const QJsonValue &v : QJsonDocument::fromJson(run.out.join('\n').toUtf8()).array())
            byKey.insert(v.toObject().value("key").toString(), v.toObject());
        QCOMPARE(byKey.value("TxVolt").value("raw").toDouble(), 4.4); // S frame
        for (const char *unknown : {"Trim1", "RxVolt", "ThCure3"}) {
            QVERIFY2(byKey.value(unknown).value("value").isNull() && byKey.value(unknown).value("raw").isNull(),
                     unknown);
        }
    }

    void diff()
    {
        CliRun run = runCli({"diff", factoryPath, factoryPath});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringList{"no differences"});

        run = runCli({"diff", "--lang", "zh", factoryPath, changedPath});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, differenceListing(factorySet(), changedSet()));
        QCOMPARE(run.out.size(), 6);
        QVERIFY(run.out.contains("基础菜单 / 中点微调 / CH1: 0 % -> 15 %"));

        // The window's English catalogue names the settings too.
        run = runCli({"diff", "--lang", "en", factoryPath, changedPath});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains("Basic / Sub-trim / CH1: 0 % -> 15 %"), qPrintable(run.text()));
        QVERIFY(!run.out.join(' ').contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))));
        QCOMPARE(runCli({"diff", "--lang", "fr", factoryPath, changedPath}).exitCode, 2);

        // What a file lacks is unknown, neither equal nor a start value that
        // differs; the known differences are still listed: the five of the
        // S frame, but not the trim of the missing I frame.
        const QString partial = path("partial-changed.dat");
        QVERIFY(writeBytes(partial, parameterFileBytes(changedSet()).left(2 * kFrameLength)));
        run = runCli({"diff", "--lang", "zh", factoryPath, partial});
        QCOMPARE(run.exitCode, 6);
        QVERIFY2(run.oneError("（缺少帧 H, I）"), qPrintable(run.text()));
        QVERIFY(run.out.contains("基础菜单 / 中点微调 / CH1: 0 % -> 15 %"));
        QVERIFY(run.out.contains("系统设置 / 版本 / 模式 / 微调一: 0 -> 未知"));
        QCOMPARE(run.out.filter(QRegularExpression(QStringLiteral(" -> 未知$"))).size() + 5, run.out.size());
        run = runCli({"diff", "--lang", "en", partial, partial});
        QCOMPARE(run.exitCode, 6);
        QVERIFY2(run.out.contains("System / Version / Mode / Trim 1: unknown -> unknown")
                         && !run.out.contains("no differences"),
                 qPrintable(run.text()));
    }

    void sheet_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("extension");
        for (const char *language : {"zh", "en"}) {
            for (const char *extension : {"html", "pdf"})
                QTest::addRow("%s %s", language, extension) << language << extension;
        }
    }

    // The sheet of a random file holds every setting's caption and value;
    // its checksum is where sha1sum of the file begins.
    void sheet()
    {
        QFETCH(QString, language);
        QFETCH(QString, extension);
        if (extension == QLatin1String("pdf") && QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) reads the PDF back");
        const QString file = path("random.dat");
        const QByteArray bytes = parameterFileBytes(randomSetup(language == QLatin1String("en") ? 7 : 8));
        QVERIFY(writeBytes(file, bytes));
        const QString out = path("sheet.") + extension;
        QFile::remove(out);
        const CliRun run = runCli({"sheet", "--lang", language, file, "-o", out});
        const QString sum = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(8));
        QVERIFY2(run.exitCode == 0 && run.err.isEmpty() && run.out.join(' ').contains(sum), qPrintable(run.text()));

        ParameterSet loaded;
        QString error, warning;
        QVERIFY(loadParameterFile(file, loaded, &error, &warning));
        QVERIFY(installLanguage(language));
        const QVector<SheetRow> expected = expectedSheetRows(loaded);
        installLanguage(QStringLiteral("zh"));
        if (extension == QLatin1String("html")) {
            const SheetContent sheet = readSheetHtml(QString::fromUtf8(readBytes(out)));
            QCOMPARE(sheet.rows, expected);
            QVERIFY(sheet.header.last().endsWith(sum));
            return;
        }
        // The printed text in the order it was laid out, without spaces; page breaks and
        // page numbers between the settings.
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {"-raw", "-enc", "UTF-8", out, "-"});
        QVERIFY(pdftotext.waitForFinished(30000));
        const QString printed = QString::fromUtf8(pdftotext.readAllStandardOutput())
                                        .normalized(QString::NormalizationForm_KC) // "ﬀ" as "ff"
                                        .remove(QRegularExpression(QStringLiteral("\\s")));
        QVERIFY(printed.contains(sum));
        // In the order they were laid out: page and group titles, each name
        // and its value. A long name wraps in its cell, and a row may break
        // across pages: the value or a page number may come between its letters.
        const auto loosely = [](const QString &text) {
            QStringList letters;
            for (const QChar c : text.normalized(QString::NormalizationForm_KC)) {
                if (!c.isSpace())
                    letters.append(QRegularExpression::escape(QString(c)));
            }
            return QRegularExpression(letters.join(QStringLiteral(".{0,4}?")));
        };
        int at = 0;
        QString page, group;
        for (const SheetRow &row : expected) {
            QStringList titles;
            if (row.page != page)
                titles << (page = row.page) << (group = row.group);
            else if (row.group != group)
                titles << (group = row.group);
            for (const QString &title : titles) {
                const QRegularExpressionMatch found = loosely(title).match(printed, at);
                QVERIFY2(found.hasMatch(), qPrintable(title));
                at = found.capturedEnd();
            }
            const QRegularExpressionMatch name = loosely(row.name).match(printed, at);
            QVERIFY2(name.hasMatch(), qPrintable(row.name + " after " + printed.mid(at, 40)));
            const QRegularExpressionMatch value = loosely(row.value).match(printed, name.capturedStart());
            QVERIFY2(value.hasMatch() && value.capturedStart() <= name.capturedEnd() + 4,
                     qPrintable(row.name + ": " + row.value + " in " + printed.mid(name.capturedStart(), 60)));
            at = std::max(name.capturedEnd(), value.capturedEnd());
        }
    }

    void incompleteReadWritesNoFile_data()
    {
        QTest::addColumn<QVector<int>>("blocks"); // the block numbers sent; none: silent
        QTest::addColumn<bool>("oldFile");
        QTest::addColumn<QString>("says");

        QVector<int> allBut7{1, 2, 3, 4, 5, 6};
        for (int b = 8; b <= 19; ++b)
            allBut7.append(b);
        QTest::newRow("no answer") << QVector<int>{} << false << "does not answer";
        QTest::newRow("five blocks") << QVector<int>{1, 2, 3, 4, 5} << false << "blocks 6, 7, 8, 9, 10, 11, 12,";
        QTest::newRow("all but 7, old file kept") << allBut7 << true << "blocks 7 missing";
        QVector<int> all = allBut7;
        all.insert(6, 7);
        QTest::newRow("all, but no status packet for the trims") << all << false << "trims are unknown";
    }

    void incompleteReadWritesNoFile()
    {
        QFETCH(QVector<int>, blocks);
        QFETCH(bool, oldFile);
        QFETCH(QString, says);

        FakeTransmitter tx;
        if (!tx.isOpen())
            QSKIP("pseudo-terminals are not available here");
        QVector<QByteArray> reply;
        for (int b : blocks)
            reply.append(encodeParameterBlocks(changedSet()).at(b - 1));
        tx.setReadReply(reply);
        tx.answerReads(!blocks.isEmpty());
        const QString output = path("incomplete.dat");
        QFile::remove(output);
        if (oldFile)
            QVERIFY(writeBytes(output, factoryFile()));

        const CliRun run = runCli({"read", "--port", tx.devicePath(), "-o", output});
        QCOMPARE(run.exitCode, 5);
        QCOMPARE(run.out, QStringList{QStringLiteral("%1 of 19 parameter blocks received").arg(blocks.size())});
        QVERIFY2(run.oneError(says), qPrintable(run.text()));
        QCOMPARE(readBytes(output), oldFile ? factoryFile() : QByteArray());
        QCOMPARE(QFile::exists(output), oldFile);
        QTRY_COMPARE_WITH_TIMEOUT(tx.kinds().last(), QStringLiteral("DIS"), 5000);
        QCOMPARE(tx.kinds().mid(0, 2), QStringList({"OK", "RR"}));
        QCOMPARE(tx.count("WWW"), blocks.size());
    }

    void sendsExactlyTheFrames_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("file"); // null: none
        QTest::addColumn<QByteArray>("frames");

        // Sub-trim 1 reads 135 and end point 1 L 239: out of range, so both
        // go out as their start values, which are the factory ones.
        QByteArray damaged = factoryFile();
        damaged.replace(9, 2, "FF").replace(25, 2, "FF");
        QTest::newRow("write") << "write" << parameterFileBytes(changedSet()) << parameterFileBytes(changedSet());
        QTest::newRow("write, out of range repaired") << "write" << damaged << factoryFile();
        QTest::newRow("reset") << "reset" << QByteArray() << factoryFile();
    }

    void sendsExactlyTheFrames()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, frames);

        FakeTransmitter tx;
        if (!tx.isOpen())
            QSKIP("pseudo-terminals are not available here");
        answerHello(tx);
        // Without the backup's read and the read-back, exactly the frames go
        // out: no "RR" before the first or after the closing "WWW".
        QStringList arguments{command, "--port", tx.devicePath(), "--no-verify", "--no-backup"};
        if (!file.isNull()) {
            arguments << path("sent.dat");
            QVERIFY(writeBytes(arguments.last(), file));
        }
        const CliRun run = runCli(arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(run.text()));
        // The status packet after "OK" is answered like every chunk.
        QTRY_COMPARE_WITH_TIMEOUT(tx.kinds(), QStringList({"OK", "WWW", "S", "G", "H", "I", "WWW", "DIS"}), 5000);
        QCOMPARE(tx.allBytes(), "OK" + QByteArray("WWW") + frames + "WWW" + "DIS");
    }

    // Nobody on the line: nothing but the handshake goes to it, whatever
    // the command, and nothing is reported as sent.
    void noTransmitterAnswering_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("reset") << QStringList{"reset"};
        QTest::newRow("reset --verify") << QStringList{"reset", "--verify"};
        QTest::newRow("write") << QStringList{"write", "FILE"};
        QTest::newRow("write --verify") << QStringList{"write", "--verify", "FILE"};
        QTest::newRow("write, partial file") << QStringList{"write", "PARTIAL"};
    }

    void noTransmitterAnswering()
    {
        QFETCH(QStringList, arguments);

        FakeTransmitter tx;
        if (!tx.isOpen())
            QSKIP("pseudo-terminals are not available here");
        QVERIFY(writeBytes(path("partial.dat"), factoryFile().left(2 * kFrameLength)));
        arguments.replaceInStrings(QStringLiteral("PARTIAL"), path("partial.dat"));
        arguments.replaceInStrings(QStringLiteral("FILE"), changedPath);
        const CliRun run = runCli(arguments << "--port" << tx.devicePath());
        QCOMPARE(run.exitCode, 5);
        QVERIFY2(run.oneError("no transmitter answering on " + tx.devicePath()) && run.out.isEmpty(),
                 qPrintable(run.text()));
        QTRY_COMPARE_WITH_TIMEOUT(tx.kinds(), QStringList({"OK", "DIS"}), 5000);
        QCOMPARE(tx.allBytes(), QByteArray("OKDIS"));
    }

    // A file with only some frames: the rest comes from the transmitter,
    // read first; when it cannot be read, nothing is sent.
    void partialFileFilledFromTheTransmitter_data()
    {
        QTest::addColumn<bool>("answersReads");
        QTest::newRow("transmitter read") << true;
        QTest::newRow("transmitter does not answer the read") << false;
    }

    void partialFileFilledFromTheTransmitter()
    {
        QFETCH(bool, answersReads);

        FakeTransmitter tx;
        if (!tx.isOpen())
            QSKIP("pseudo-terminals are not available here");
        ParameterSet remote = changedSet();
        remote.ThCure3 = 70;     // H frame
        remote.Prm4Data2 = -40;  // H frame
        tx.setConfiguration(remote);
        tx.answerReads(answersReads);
        LiveFeed feed;
        feed.trim1 = 130;        // I frame
        feed.trim4 = 100;
        tx.startLiveStream(40, feed);
        const QString partial = path("s-and-g.dat");
        QVERIFY(writeBytes(partial, factoryFile().left(2 * kFrameLength)));

        // This transmitter does not store what it is sent: no read-back.
        const CliRun run = runCli({"write", "--port", tx.devicePath(), "--no-verify", partial});
        QTRY_COMPARE_WITH_TIMEOUT(tx.kinds().last(), QStringLiteral("DIS"), 5000);
        QByteArray sent;
        for (const TransmitterMessage &m : tx.messages()) {
            if (m.kind.size() == 1)
                sent += m.bytes;
        }
        if (!answersReads) {
            QCOMPARE(run.exitCode, 3);
            QVERIFY2(run.oneError("could not be read") && run.err.contains("H, I"), qPrintable(run.text()));
            QCOMPARE(sent, QByteArray());
            return;
        }
        QVERIFY2(run.exitCode == 0 && run.out.join('\n').contains("lacks the frames H, I"), qPrintable(run.text()));
        ParameterSet expected = remote;
        expected.Trim1 = 130;
        expected.Trim4 = 100;
        QCOMPARE(sent, factoryFile().left(2 * kFrameLength) + parameterFileBytes(expected).mid(2 * kFrameLength));
    }

    // Sent -> read back, for a transmitter that keeps its own values. The
    // trims are not in the reply, so they never differ.
    void verifyNamesWhatTheTransmitterKept()
    {
        FakeTransmitter tx;
        if (!tx.isOpen())
            QSKIP("pseudo-terminals are not available here");
        answerHello(tx);
        tx.setConfiguration(factorySet());
        tx.storeWrittenFrames(false); // keeps its factory set-up whatever is written
        tx.answerReads(true);
        const CliRun run = runCli({"write", "--lang", "zh", "--no-backup", "--port", tx.devicePath(), "--verify", changedPath});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains("已收到 19/19 个参数块"), qPrintable(run.text()));
        QVERIFY(run.out.contains("基础菜单 / 中点微调 / CH1: 15 % -> 0 %"));
        QVERIFY(run.out.contains("系统设置 / 报警设置 / 遥控器电压: 4.4 V -> 3.7 V"));
        QVERIFY(!run.out.join('\n').contains("微调一"));
        QTRY_COMPARE_WITH_TIMEOUT(tx.kinds().last(), QStringLiteral("DIS"), 5000);
    }

    // Against the simulator program with a fault switched on: a read that
    // never completes and a send that is not confirmed or not what arrived
    // end non-zero, in bounded time, without a file or a claim of success.
    // A transmitter that trickles its blocks, each soon enough to keep the
    // quiet timer going, is given up at the read's deadline.
    void readEndsAtItsDeadline()
    {
        FakeTransmitter tx;
        if (!tx.isOpen())
            QSKIP("pseudo-terminals are not available here");
        const QVector<QByteArray> blocks = encodeParameterBlocks(changedSet());
        QTimer trickle;
        int next = 0;
        QObject::connect(&trickle, &QTimer::timeout, &tx, [&] {
            if (next < blocks.size())
                tx.send(blocks.at(next++));
        });
        onArrival(tx, QStringLiteral("RR"), &trickle, [&trickle] { trickle.start(300); });

        TransferLink link;
        Protocol::Pacing pacing;
        pacing.wholeReplyMs = 1500;
        link.session.setPacing(pacing);
        QVERIFY2(link.session.open(tx.devicePath()), qPrintable(link.session.errorString()));
        const ReadReply reply = link.read();
        link.session.close();
        QVERIFY(reply.received() < ReadReply::kBlockCount);
        QVERIFY(next < blocks.size());
    }

    // The shared conversation reports exactly what the port took (the
    // window's traffic record and send tally rely on it), decodes into the
    // set it was given, writes nothing for a cut frame but still builds it,
    // and says no goodbye to a device that went away.
    void conversationReportsWhatItWrote_data()
    {
        QTest::addColumn<bool>("unplug");
        QTest::newRow("closed by the tool") << false;
        QTest::newRow("device unplugged") << true;
    }
    void conversationReportsWhatItWrote()
    {
        QFETCH(bool, unplug);
        FakeTransmitter tx;
        if (!tx.isOpen())
            QSKIP("pseudo-terminals are not available here");
        ParameterSet set = factorySet();
        LiveValues live;
        ParameterFrames frames;
        Conversation talk(set, live, frames);
        connect(&talk.port(), &QSerialPort::readyRead, &talk, &Conversation::readInput);
        talk.setPacing(Protocol::Pacing{0, 0, 0});
        QSignalSpy written(&talk, &Conversation::written);
        QSignalSpy lost(&talk, &Conversation::lost);
        QVERIFY(talk.open(tx.devicePath()));
        QVERIFY(tx.waitForMessage(QStringLiteral("OK")));
        QVERIFY(tx.send(encodeChannelPacket(QVector<int>(8, 1500), 1234)));
        QVERIFY(tx.waitForMessage(QStringLiteral("WWW")));
        QCOMPARE(live.LiveTxVolt, 1234);
        QCOMPARE(set.ChOut3, 1500);

        QVector<bool> taken;
        talk.sendFrame(FrameKind::S, true, [&taken](bool t) { taken << t; });
        talk.sendFrame(FrameKind::G, false, [&taken](bool t) { taken << t; });
        QCOMPARE(taken, (QVector<bool>{true, false}));
        QVERIFY(!frameString(frames, FrameKind::G).isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(tx.count(QStringLiteral("S")), 1, 5000);
        QByteArray expected = "OKWWW" + frameString(frames, FrameKind::S).toLatin1();
        if (unplug) {
            tx.closeMaster();
            QTRY_VERIFY_WITH_TIMEOUT(talk.deviceLost(), 5000);
        } else {
            expected += "DIS";
        }
        talk.close();
        QVERIFY(!talk.isOpen());
        QByteArray reported;
        for (const QList<QVariant> &args : qAsConst(written))
            reported += args.at(0).toByteArray();
        QCOMPARE(reported, expected);
        QCOMPARE(lost.count(), unplug ? 1 : 0);
        if (!unplug)
            QTRY_COMPARE_WITH_TIMEOUT(tx.allBytes(), expected, 5000);
    }

    void faultyTransmitter_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<QStringList>("arguments"); // PORT, OUT and FILE replaced
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("out");       // after the first line
        QTest::addColumn<QString>("says");          // the error; empty: none

        ParameterSet editedH = changedSet();        // differs from the simulator's in the H frame only
        editedH.ThCure3 = 70;
        editedH.RssiAlarm = -80;
        const QStringList hLines = differenceListing(editedH, changedSet());
        writeBytes(path("edited-h.dat"), parameterFileBytes(editedH));

        QTest::newRow("read, block 1 again and again")
                << QStringList{"--repeat-block", "1"} << QStringList{"read", "--port", "PORT", "-o", "OUT"} << 5
                << QStringList{} << "blocks 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19 missing";
        QTest::newRow("write, H frame ignored")
                << QStringList{"--ignore-frame", "H"} << QStringList{"write", "--lang", "zh", "--port", "PORT", "FILE"} << 1
                << QStringList{QStringLiteral("遥控器有 %1 项设定不同（发送 -> 读回）：").arg(hLines.size())} + hLines
                << "";
        QTest::newRow("write, silent after the S frame")
                << QStringList{"--silent-after", "1"} << QStringList{"write", "--port", "PORT", "FILE"} << 5
                << QStringList{} << "not confirmed: the transmitter on PORT is silent since the send";
    }

    void faultyTransmitter()
    {
        QFETCH(QStringList, fault);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, out);
        QFETCH(QString, says);

        if (!FakeTransmitter::isSupported())
            QSKIP("the simulator needs a pseudo-terminal here");
        QVERIFY(writeBytes(path("faulty.dat"), parameterFileBytes(changedSet())));
        QProcess faulty;
        const QString port = startSimulator(faulty, QStringList{"--config", path("faulty.dat"), "--quiet"} + fault);
        QVERIFY(!port.isEmpty());
        const QString output = path("faulty-read.dat");
        QFile::remove(output);
        arguments.replaceInStrings(QStringLiteral("PORT"), port);
        arguments.replaceInStrings(QStringLiteral("OUT"), output);
        arguments.replaceInStrings(QStringLiteral("FILE"), path("edited-h.dat"));
        says.replace(QStringLiteral("PORT"), port);

        const CliRun run = runCli(arguments, 10000);
        faulty.terminate();
        faulty.waitForFinished(10000);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out.mid(1), out);
        QVERIFY2(says.isEmpty() ? run.err.isEmpty() : run.oneError(says), qPrintable(run.text()));
        QVERIFY2(!run.out.join('\n').contains(QRegularExpression(QStringLiteral("^(sent|verified|saved)"),
                                                                   QRegularExpression::MultilineOption)),
                 qPrintable(run.text()));
        QVERIFY(!QFile::exists(output));
    }

    // The line drops in the middle of a write or reset: the tool says how
    // many of the four frames went out, writes nothing after the drop and
    // exits with a code of its own, neither "nothing sent" (4) nor success.
    void sendCutOffByAnUnplug_data()
    {
        QTest::addColumn<QStringList>("arguments"); // FILE replaced
        QTest::addColumn<QString>("dropAfter");     // the message after which the line drops
        QTest::addColumn<int>("frames");            // the frames that arrived
        QTest::addColumn<QString>("says");          // PORT replaced

        QTest::newRow("write, after S") << QStringList{"write", "FILE"} << "S" << 1
                                        << "1 of 4 frames sent, then the port PORT went away";
        QTest::newRow("write --no-verify in English, after G")
                << QStringList{"write", "--no-verify", "--lang", "en", "FILE"} << "G" << 2 << "2 of 4 frames sent";
        QTest::newRow("reset, after H") << QStringList{"reset"} << "H" << 3 << "3 of 4 frames sent";
        QTest::newRow("write, during the read-back")
                << QStringList{"write", "FILE"} << "RR" << 4
                << "4 of 4 frames sent, then the port PORT went away during the read-back";
    }

    void sendCutOffByAnUnplug()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, dropAfter);
        QFETCH(int, frames);
        QFETCH(QString, says);

        FakeTransmitter tx;
        if (!tx.isOpen())
            QSKIP("pseudo-terminals are not available here");
        answerHello(tx);
        // Not inside the transmitter's own notification of what arrived.
        onArrival(tx, dropAfter, &tx, [&tx] { QTimer::singleShot(0, &tx, [&tx] { tx.closeMaster(); }); });
        arguments.replaceInStrings(QStringLiteral("FILE"), changedPath);
        says.replace(QStringLiteral("PORT"), tx.devicePath());
        const CliRun run = runCli(arguments << "--port" << tx.devicePath() << "--no-backup");
        QCOMPARE(run.exitCode, 7);
        QVERIFY2(run.oneError(says) && !run.out.join('\n').contains(QRegularExpression(
                         QStringLiteral("^(sent|verified)"), QRegularExpression::MultilineOption)),
                 qPrintable(run.text()));
        int arrived = 0;
        for (const char *kind : {"S", "G", "H", "I"})
            arrived += tx.count(QLatin1String(kind));
        QCOMPARE(arrived, frames);
    }

    void portProblems_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("busy"); // the port is held open here
        QTest::addColumn<QString>("says");

        const QString out = path("never.dat");
        QTest::newRow("read, no such device") << QStringList{"read", "--port", "/dev/no-such", "-o", out} << false
                                              << "no serial port called /dev/no-such";
        QTest::newRow("reset, no such name") << QStringList{"reset", "--port", "NOSUCH9"} << false
                                             << "no serial port called NOSUCH9";
        QTest::newRow("monitor, no such device") << QStringList{"monitor", "--port", "/dev/no-such"} << false
                                                 << "no serial port";
        QTest::newRow("read, busy") << QStringList{"read", "-o", out} << true << "busy";
        QTest::newRow("write, busy") << QStringList{"write", changedPath} << true << "busy";
    }

    void portProblems()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, busy);
        QFETCH(QString, says);

        FakeTransmitter tx;
        QSerialPort holder(tx.devicePath());
        if (busy) {
            if (!tx.isOpen())
                QSKIP("pseudo-terminals are not available here");
            QVERIFY(holder.open(QIODevice::ReadWrite));
            arguments << "--port" << tx.devicePath();
        }
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 4);
        QVERIFY2(run.oneError(says), qPrintable(run.text()));
        QVERIFY(!QFile::exists(path("never.dat")));
        QTest::qWait(100);
        QCOMPARE(tx.allBytes(), QByteArray());
    }

    void readFromTheSimulatorSavesWhatSaveWould()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("the simulator needs a pseudo-terminal here");
        QVERIFY(simulator());
        const CliRun run = runCli({"read", "--port", simPort, "-o", path("read.dat")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.text()));
        QVERIFY(run.out.contains("19 of 19 parameter blocks received"));

        const QByteArray saved = readBytes(path("read.dat"));
        QCOMPARE(saved.size(), kParameterFileLength);
        ParameterSet decoded;
        QVERIFY(decodeParameterFile(QString::fromLatin1(saved), decoded).any());
        // The trims come from the live stream, everything else from the reply.
        QVERIFY(differingSettings(decoded, changedSet()).isEmpty());
        QCOMPARE(saved, parameterFileBytes(decoded));
    }

    void writtenFileReadsBackEqual()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("the simulator needs a pseudo-terminal here");
        QVERIFY(simulator());
        ParameterSet edited = changedSet();
        edited.Sub2 = -30;
        edited.Delay5 = 40;
        edited.Trim2 = 100;
        edited.RxVolt = 4.8;
        const QString written = path("edited.dat");
        QVERIFY(writeBytes(written, parameterFileBytes(edited)));

        CliRun run = runCli({"write", "--port", simPort, "--verify", written});
        QVERIFY2(run.exitCode == 0 && run.out.value(run.out.size() - 1).startsWith("verified"), qPrintable(run.text()));
        // What the simulator held before is backed up where the window keeps
        // its backups, with the port, and `backups` lists it.
        const QString folder = qEnvironmentVariable("XDG_DATA_HOME") + "/kelvo-miraq/kelvo-miraq-config/backups";
        const QVector<Backups::Entry> backups = Backups::list(folder);
        QVERIFY(!backups.isEmpty());
        QCOMPARE(backups.first().command, QStringLiteral("write"));
        QCOMPARE(backups.first().port, simPort);
        ParameterSet before;
        QString error;
        QVERIFY2(readSetupFile(backups.first().path, &before, &error), qPrintable(error));
        QVERIFY(differingSettings(before, changedSet()).isEmpty());
        run = runCli({"backups"});
        QVERIFY2(run.out.value(0).endsWith(simPort + "  " + backups.first().path), qPrintable(run.text()));
        // A backup that cannot be written stops the write before any frame.
        QProcessEnvironment noFolder = QProcessEnvironment::systemEnvironment();
        noFolder.insert("XDG_DATA_HOME", written); // a file, no folder
        run = runProgram(KELVO_CLI_PATH, {"write", "--port", simPort, factoryPath}, noFolder, 60000);
        QVERIFY2(run.exitCode == 8 && run.oneError("cannot write the backup"), qPrintable(run.text()));
        run = runCli({"read", "--port", simPort, "-o", path("back.dat")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.text()));
        run = runCli({"diff", written, path("back.dat")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringList{"no differences"});
    }

    // One line per live packet; every packet is acknowledged, so the stream
    // keeps coming.
    void monitorPrintsLivePackets()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("the simulator needs a pseudo-terminal here");
        QVERIFY(simulator());
        CliRun run = runCli({"monitor", "--port", simPort, "--seconds", "1", "--csv"});
        QVERIFY2(run.exitCode == 0 && run.out.size() >= 10, qPrintable(run.text()));
        QCOMPARE(run.out.takeFirst(), monitorCsvHeader());
        const QRegularExpression line(R"(^\d+(,\d+){8},\d+\.\d\d,(-\d+)?,\d+\.\d,\d+\.\d$)");
        for (const QString &text : qAsConst(run.out))
            QVERIFY2(line.match(text).hasMatch(), qPrintable(text));
    }

    // A simulator that delivers like a USB-serial adapter, reached through
    // its fixed link: a Read, a verified Write and the monitor all work. The
    // pieces of a split message come at most 2 ms apart here (16 ms by
    // default): on a loaded machine the simulator's own timers run late.
    // Cut in two, every message's rest comes 5 ms after its head.
    void transfersThroughAnAdapter_data()
    {
        QTest::addColumn<QStringList>("adapter");
        QTest::newRow("split") << QStringList{"--split", "--split-gap", "2"};
        QTest::newRow("split in two") << QStringList{"--split-in-two", "--split-gap", "5"};
        QTest::newRow("merge") << QStringList{"--merge"};
        QTest::newRow("latency timer") << QStringList{"--latency", "16"};
    }
    void transfersThroughAnAdapter()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("the simulator needs a pseudo-terminal here");
        QFETCH(QStringList, adapter);
        const QString link = path("adapter-link");
        QVERIFY(writeBytes(path("adapter-sim.dat"), parameterFileBytes(changedSet())));
        QProcess adapterSim;
        adapterSim.start(QStringLiteral(KELVO_SIM_PATH),
                         QStringList{"--config", path("adapter-sim.dat"), "--quiet", "--link", link} + adapter);
        QByteArray out;
        const QDeadlineTimer deadline(15000);
        while (!out.contains("LINK") && !deadline.hasExpired() && adapterSim.state() != QProcess::NotRunning) {
            adapterSim.waitForReadyRead(200);
            out += adapterSim.readAllStandardOutput();
        }
        QVERIFY2(out.contains("LINK " + link.toLocal8Bit()), out.constData());
        QVERIFY(QFileInfo(link).isSymLink());

        CliRun run = runCli({"read", "--port", link, "-o", path("adapter.dat")});
        QVERIFY2(run.exitCode == 0 && run.out.contains("19 of 19 parameter blocks received"), qPrintable(run.text()));
        ParameterSet edited;
        QVERIFY(decodeParameterFile(QString::fromLatin1(readBytes(path("adapter.dat"))), edited).any());
        edited.Sub3 = 25;
        QVERIFY(writeBytes(path("adapter-edited.dat"), parameterFileBytes(edited)));
        run = runCli({"write", "--port", link, "--verify", path("adapter-edited.dat")});
        QVERIFY2(run.exitCode == 0 && run.out.value(run.out.size() - 1).startsWith("verified"), qPrintable(run.text()));
        run = runCli({"monitor", "--port", link, "--seconds", "1", "--csv"});
        QVERIFY2(run.exitCode == 0 && run.out.size() >= 10, qPrintable(run.text()));

        adapterSim.terminate();
        QVERIFY(adapterSim.waitForFinished(10000));
        QVERIFY(!QFileInfo(link).isSymLink()); // a stopped simulator takes its link away
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

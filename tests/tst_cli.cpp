// kelvo-miraq-cli as a script would run it: the built program against the
// virtual transmitter program and against a transmitter played on a
// pseudo-terminal in this process, and its report functions directly.
#include "link/parameterblocks.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include "cli/monitorreport.h"
#include "cli/portreport.h"
#include "cli/settingsreport.h"
#include "files/parameterfile.h"
#include "link/framecodec.h"
#include "link/livevalues.h"
#include "model/defaults.h"
#include "model/dualrate.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "support/faketransmitter.h"

#ifndef KELVO_CLI_PATH
#error "KELVO_CLI_PATH must name the command-line program"
#endif
#ifndef KELVO_SIM_PATH
#error "KELVO_SIM_PATH must name the simulator program"
#endif

namespace {

const QByteArray kFactoryFile =
        "S0010000078787878787878787070707070707070707070707070707042421042424242421302352Y"
        "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z"
        "H7474747474747474003747474015747474001020314253647407474747474747474110140380000X"
        "I8888888800000000000000000000000000000000000000000000000000000000000000000000000V";

constexpr int kRunTimeoutMs = 60000;

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
    QStringList outLines() const { return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
    QStringList errLines() const { return err.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

// Runs the program to its end while this process keeps handling events, so
// a transmitter played here answers it meanwhile.
CliRun runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(KELVO_CLI_PATH), arguments);
    CliRun run;
    if (!process.waitForStarted(10000))
        return run;
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, kRunTimeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString describe(const CliRun &run)
{
    return QStringLiteral("exit %1\nstdout:\n%2\nstderr:\n%3").arg(run.exitCode).arg(run.out, run.err);
}

ParameterSet factorySet()
{
    ParameterSet p;
    restoreFactoryFirst(p);
    restoreFactorySecond(p);
    selectDualRate(p);
    return p;
}

// A set as a file holds it, every value inside its range and the shown dual
// rates derived, so reading the file back changes nothing.
ParameterSet changedSet()
{
    ParameterSet p = factorySet();
    p.Sub1 = 15;
    p.Rev2 = 1;
    p.Lepa3 = 70;
    p.FS1 = 20;
    p.TxVolt = 4.4;
    p.TxVoltTenths = 44; // as a decoded file or reply has it
    p.Trim1 = 130;
    return p;
}

// What Save writes for p: the four frames rebuilt on fresh frame strings.
QByteArray fileBytes(ParameterSet p)
{
    ParameterFrames frames;
    for (FrameKind kind : {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I})
        rebuildFrame(kind, p, frames);
    return parameterFileBytes(frames);
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

ParameterSet decodeFile(const QString &path, bool *ok)
{
    ParameterSet p;
    QString text;
    *ok = readParameterFileText(path, &text) && decodeParameterFile(text, p).any();
    return p;
}

QStringList settingKeys(const QVector<const Setting *> &list)
{
    QStringList keys;
    for (const Setting *s : list)
        keys.append(s->key);
    return keys;
}

// Every error is one line that names the tool.
bool isOneErrorLine(const CliRun &run)
{
    return run.errLines().size() == 1 && run.err.startsWith(QLatin1String("kelvo-miraq-cli: "));
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString factoryPath;
    QString changedPath;
    QProcess sim;
    QString simConfigPath;
    QString simPort;

    QString path(const QString &name) const { return dir.filePath(name); }

    // The virtual transmitter program, started once for the tests that need
    // it, with the changed set as its configuration.
    bool startSimulator()
    {
        if (sim.state() == QProcess::Running)
            return true;
        simConfigPath = path(QStringLiteral("sim.dat"));
        if (!writeBytes(simConfigPath, fileBytes(changedSet())))
            return false;
        sim.start(QStringLiteral(KELVO_SIM_PATH), {QStringLiteral("--config"), simConfigPath, QStringLiteral("--quiet")});
        if (!sim.waitForStarted(10000))
            return false;
        QByteArray out;
        const QDeadlineTimer deadline(15000);
        while (!out.contains('\n') && !deadline.hasExpired() && sim.state() == QProcess::Running) {
            sim.waitForReadyRead(200);
            out += sim.readAllStandardOutput();
        }
        if (!out.startsWith("PORT /"))
            return false;
        simPort = QString::fromLocal8Bit(out.mid(5, out.indexOf('\n') - 5));
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        factoryPath = path(QStringLiteral("factory.dat"));
        changedPath = path(QStringLiteral("changed.dat"));
        QCOMPARE(fileBytes(factorySet()), kFactoryFile);
        QVERIFY(writeBytes(factoryPath, kFactoryFile));
        QVERIFY(writeBytes(changedPath, fileBytes(changedSet())));
    }

    void cleanupTestCase()
    {
        if (sim.state() != QProcess::NotRunning) {
            sim.terminate();
            if (!sim.waitForFinished(10000))
                sim.kill();
        }
    }

    // ---- the report functions -------------------------------------------

    void differenceLines_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("line");

        QTest::newRow("number") << "Sub1" << QVariant(15) << "基础菜单 / 中点微调 / CH1: 0 -> 15";
        QTest::newRow("choice") << "Rev2" << QVariant(1) << "基础菜单 / 舵机相位 / CH2: 正相 -> 反相";
        QTest::newRow("end point column") << "Repa4" << QVariant(80) << "基础菜单 / 舵机行程量 / CH4 R: 96 -> 80";
        QTest::newRow("trim shown around 0") << "Trim1" << QVariant(130) << "系统设置 / 版本 / 模式 / 微调一: 0 -> 10";
        QTest::newRow("voltage") << "TxVolt" << QVariant(4.4) << "系统设置 / 报警设置 / 遥控器电压: 3.7 V -> 4.4 V";
    }

    void differenceLines()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QString, line);

        const Setting *setting = findSetting(key);
        QVERIFY(setting);
        const ParameterSet before = factorySet();
        ParameterSet after = before;
        if (setting->volts)
            after.*setting->volts = value.toDouble();
        else
            setting->member.of(after) = value.toInt();

        QCOMPARE(differenceListing(before, after), QStringList{line});
        QVERIFY(differenceListing(after, after).isEmpty());
        const QStringList listing = settingsListing(after);
        QCOMPARE(listing.size(), settings().size());
        QVERIFY(listing.contains(settingLabel(*setting) + QStringLiteral(": ") + line.section(QStringLiteral(" -> "), 1)));
    }

    void monitorLines_data()
    {
        QTest::addColumn<int>("channel1");
        QTest::addColumn<int>("rssi");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("csv");

        QTest::newRow("signal") << 1500 << 30
                                << "CH 1500 1000 1000 1000 1000 1000 1000 1000  TX 11.8 V  RSSI -70dBm  RX 4.2V  EXT 12.3 V"
                                << "250,1500,1000,1000,1000,1000,1000,1000,1000,11.85,-70,4.2,12.3";
        QTest::newRow("no signal") << 0 << 0
                                   << "CH 0 1000 1000 1000 1000 1000 1000 1000  TX 11.8 V  RSSI null  RX 4.2V  EXT 12.3 V"
                                   << "250,0,1000,1000,1000,1000,1000,1000,1000,11.85,,4.2,12.3";
    }

    void monitorLines()
    {
        QFETCH(int, channel1);
        QFETCH(int, rssi);
        QFETCH(QString, line);
        QFETCH(QString, csv);

        ParameterSet p;
        for (int ch = 0; ch < 8; ++ch)
            channelOutput(ch).of(p) = 1000;
        p.ChOut1 = channel1;
        LiveValues live;
        live.LiveTxVolt = 1185;
        live.LiveRssi = rssi;
        live.LiveRxVolt = 42;
        live.LiveExtVolt = 123;
        QCOMPARE(monitorLine(p, live), line);
        QCOMPARE(monitorCsvLine(250, p, live), csv);
        QCOMPARE(monitorCsvHeader().count(QLatin1Char(',')), csv.count(QLatin1Char(',')));
    }

    void portLines()
    {
        PortDescription usb;
        usb.name = QStringLiteral("ttyUSB0");
        usb.description = QStringLiteral("CP2102 USB to UART Bridge Controller");
        usb.manufacturer = QStringLiteral("Silicon Labs");
        usb.hasUsbIds = true;
        usb.vendorId = 0x10c4;
        usb.productId = 0xea60;
        PortDescription extra;
        extra.name = QStringLiteral("/dev/pts/7");
        extra.fromEnvironment = true;
        PortDescription bare;
        bare.name = QStringLiteral("ttyS0");
        bare.description = QStringLiteral("  ");

        QCOMPARE(portListing({usb, extra, bare}),
                 QStringList({QStringLiteral("ttyUSB0  CP2102 USB to UART Bridge Controller  Silicon Labs  10c4:ea60"),
                              QStringLiteral("/dev/pts/7  (from KELVO_EXTRA_PORTS)"), QStringLiteral("ttyS0")}));
    }

    // ---- the command line and files ---------------------------------------

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
        QTest::newRow("read without port") << QStringList{"read", "-o", "x.dat"} << 2 << "read needs --port";
        QTest::newRow("read without output") << QStringList{"read", "--port", "p"} << 2 << "read needs -o FILE";
        QTest::newRow("option of another command") << QStringList{"show", "--verify", "a"} << 2 << "verify";
        QTest::newRow("diff of one file") << QStringList{"diff", "a"} << 2 << "usage: diff A B";
        QTest::newRow("seconds not a number") << QStringList{"monitor", "--port", "p", "--seconds", "ten"} << 2
                                              << "--seconds";
    }

    void usage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, says);

        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode == 0) {
            QVERIFY2(run.out.contains(says), qPrintable(describe(run)));
        } else {
            QVERIFY2(isOneErrorLine(run) && run.err.contains(says), qPrintable(describe(run)));
            QVERIFY(run.out.isEmpty());
        }
    }

    void badFiles_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("says");

        QByteArray garbage(kParameterFileLength, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 37 + 11) & 0xff);
        const struct
        {
            const char *name;
            QByteArray content; // null: the file does not exist
            const char *says;
        } files[] = {
            {"missing", QByteArray(), "no such file"},
            {"empty", QByteArray(""), "not a parameter file"},
            {"garbage", garbage, "not a parameter file"},
            {"truncated inside the G frame", kFactoryFile.left(150), "not a parameter file"},
            {"frames out of place", ' ' + kFactoryFile, "not a parameter file"},
            {"oversized garbage", QByteArray(2 * 1024 * 1024, 'S'), "not a parameter file"},
        };
        for (const char *command : {"show", "diff", "write"}) {
            for (const auto &file : files)
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(command), QLatin1String(file.name))))
                        << command << file.name << file.content << file.says;
        }
        QTest::newRow("show, a directory") << "show" << "" << QByteArray() << "is a directory";
    }

    void badFiles()
    {
        QFETCH(QString, command);
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, says);

        const QString bad = name.isEmpty() ? dir.path() : path(QStringLiteral("bad-") + QString(name).replace(QLatin1Char(' '), QLatin1Char('-')));
        if (!content.isNull())
            QVERIFY(writeBytes(bad, content));
        QStringList arguments{command};
        if (command == QLatin1String("diff"))
            arguments << factoryPath;
        if (command == QLatin1String("write"))
            arguments << QStringLiteral("--port") << QStringLiteral("/dev/no-such-port");
        arguments << bad;

        // The file is judged before any port: a bad file is a file error.
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(isOneErrorLine(run) && run.err.contains(says) && run.err.contains(bad), qPrintable(describe(run)));
    }

    void showListsEverySetting()
    {
        const CliRun text = runCli({QStringLiteral("show"), factoryPath});
        QCOMPARE(text.exitCode, 0);
        QCOMPARE(text.outLines(), settingsListing(factorySet()));
        QVERIFY(text.outLines().contains(QStringLiteral("基础菜单 / 中点微调 / CH1: 0")));
        QVERIFY(text.err.isEmpty());

        const CliRun json = runCli({QStringLiteral("show"), QStringLiteral("--json"), changedPath});
        QCOMPARE(json.exitCode, 0);
        const QJsonArray array = QJsonDocument::fromJson(json.out.toUtf8()).array();
        QCOMPARE(array.size(), settings().size());
        QJsonObject sub1;
        for (const QJsonValue &entry : array) {
            if (entry.toObject().value(QStringLiteral("key")).toString() == QLatin1String("Sub1"))
                sub1 = entry.toObject();
        }
        QCOMPARE(sub1.value(QStringLiteral("page")).toString(), QStringLiteral("基础菜单"));
        QCOMPARE(sub1.value(QStringLiteral("label")).toString(), QStringLiteral("基础菜单 / 中点微调 / CH1"));
        QCOMPARE(sub1.value(QStringLiteral("value")).toString(), QStringLiteral("15"));
        QCOMPARE(sub1.value(QStringLiteral("raw")).toInt(), 15);
    }

    void showTakesAPartialFileWithAWarning()
    {
        const QString partial = path(QStringLiteral("partial.dat"));
        QVERIFY(writeBytes(partial, kFactoryFile.left(2 * kFrameLength)));
        const CliRun run = runCli({QStringLiteral("show"), partial});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.outLines().size(), settings().size());
        QVERIFY2(isOneErrorLine(run) && run.err.contains(QLatin1String("H, I")), qPrintable(describe(run)));
    }

    void diffNamesTheChangedSettings_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("exitCode");

        QTest::newRow("equal") << "factory" << 0;
        QTest::newRow("changed") << "changed" << 1;
    }

    void diffNamesTheChangedSettings()
    {
        QFETCH(QString, second);
        QFETCH(int, exitCode);

        const bool changed = second == QLatin1String("changed");
        const CliRun run = runCli({QStringLiteral("diff"), factoryPath, changed ? changedPath : factoryPath});
        QCOMPARE(run.exitCode, exitCode);
        if (!changed) {
            QCOMPARE(run.outLines(), QStringList{QStringLiteral("no differences")});
            return;
        }
        QCOMPARE(run.outLines(), differenceListing(factorySet(), changedSet()));
        QCOMPARE(run.outLines().size(), 6);
        QVERIFY(run.outLines().contains(QStringLiteral("基础菜单 / 中点微调 / CH1: 0 -> 15")));
    }

    // ---- a transmitter played here ------------------------------------

    void readGivesUpOnAnIncompleteReply_data()
    {
        QTest::addColumn<QVector<int>>("blocks"); // the block numbers answered; empty: silent
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QString>("says");

        QTest::newRow("no answer") << QVector<int>{} << false << "does not answer";
        QTest::newRow("first five blocks") << QVector<int>{1, 2, 3, 4, 5} << false
                                           << "blocks 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19 missing";
        QVector<int> allButSeven;
        for (int b = 1; b <= 19; ++b) {
            if (b != 7)
                allButSeven.append(b);
        }
        QTest::newRow("all but block 7, old file kept") << allButSeven << true << "blocks 7 missing";
    }

    void readGivesUpOnAnIncompleteReply()
    {
        QFETCH(QVector<int>, blocks);
        QFETCH(bool, fileExists);
        QFETCH(QString, says);

        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        FakeTransmitter tx;
        QVERIFY2(tx.isOpen(), qPrintable(tx.errorString()));
        const QVector<QByteArray> all = encodeParameterBlocks(changedSet());
        QVector<QByteArray> reply;
        for (int b : blocks)
            reply.append(all.at(b - 1));
        tx.setReadReply(reply);
        tx.answerReads(!blocks.isEmpty());

        const QString output = path(QStringLiteral("incomplete.dat"));
        QFile::remove(output);
        if (fileExists)
            QVERIFY(writeBytes(output, kFactoryFile));

        const CliRun run = runCli({QStringLiteral("read"), QStringLiteral("--port"), tx.devicePath(),
                                   QStringLiteral("-o"), output});
        QCOMPARE(run.exitCode, 5);
        QCOMPARE(run.outLines(), QStringList{QStringLiteral("%1 of 19 parameter blocks received").arg(blocks.size())});
        QVERIFY2(isOneErrorLine(run) && run.err.contains(says), qPrintable(describe(run)));
        QCOMPARE(QFile::exists(output), fileExists);
        if (fileExists)
            QCOMPARE(readBytes(output), kFactoryFile);
        QCOMPARE(tx.kinds().first(), QStringLiteral("OK"));
        QCOMPARE(tx.kinds().at(1), QStringLiteral("RR"));
        QCOMPARE(tx.kinds().last(), QStringLiteral("DIS"));
        QCOMPARE(tx.count(QStringLiteral("WWW")), blocks.size());
    }

    // Exactly what goes on the wire: "OK", the four frames, "WWW", "DIS".
    void sendsTheFramesExactly_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("file"); // null: none
        QTest::addColumn<QByteArray>("frames");

        // Sub-trim 1 reads 135 and end point 1 L 239: both out of range, so
        // they go out as their start values, which the factory file has.
        QByteArray damaged = kFactoryFile;
        damaged.replace(9, 2, "FF");
        damaged.replace(25, 2, "FF");

        QTest::newRow("write") << "write" << fileBytes(changedSet()) << fileBytes(changedSet());
        QTest::newRow("write, out-of-range values repaired") << "write" << damaged << kFactoryFile;
        QTest::newRow("reset") << "reset" << QByteArray() << kFactoryFile;
    }

    void sendsTheFramesExactly()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, frames);

        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        FakeTransmitter tx;
        QVERIFY2(tx.isOpen(), qPrintable(tx.errorString()));
        QStringList arguments{command, QStringLiteral("--port"), tx.devicePath()};
        if (!file.isNull()) {
            arguments << path(QStringLiteral("sent.dat"));
            QVERIFY(writeBytes(arguments.last(), file));
        }
        const CliRun run = runCli(arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        QTRY_COMPARE_WITH_TIMEOUT(tx.kinds(), QStringList({"OK", "S", "G", "H", "I", "WWW", "DIS"}), 5000);
        QCOMPARE(tx.allBytes(), QByteArray("OK") + frames + "WWW" + "DIS");
    }

    void verifyReportsWhatTheTransmitterKeptOtherwise_data()
    {
        QTest::addColumn<bool>("keeps");

        QTest::newRow("takes the file") << true;
        QTest::newRow("keeps the factory values") << false;
    }

    void verifyReportsWhatTheTransmitterKeptOtherwise()
    {
        QFETCH(bool, keeps);

        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        FakeTransmitter tx;
        QVERIFY2(tx.isOpen(), qPrintable(tx.errorString()));
        tx.setConfiguration(keeps ? changedSet() : factorySet());
        tx.answerReads(true);

        const CliRun run = runCli({QStringLiteral("write"), QStringLiteral("--port"), tx.devicePath(),
                                   QStringLiteral("--verify"), changedPath});
        QCOMPARE(run.exitCode, keeps ? 0 : 1);
        QVERIFY2(run.outLines().contains(QStringLiteral("19 of 19 parameter blocks received")), qPrintable(describe(run)));
        QCOMPARE(run.outLines().last().startsWith(QLatin1String("verified")), keeps);
        if (!keeps) {
            // The trims are not part of the reply; everything else that
            // changed is reported as sent and read back.
            QVERIFY(run.outLines().contains(QStringLiteral("基础菜单 / 中点微调 / CH1: 15 -> 0")));
            QVERIFY(run.outLines().contains(QStringLiteral("基础菜单 / 舵机相位 / CH2: 反相 -> 正相")));
            QVERIFY(!run.out.contains(QLatin1String("微调一")));
        }
        QCOMPARE(tx.kinds().last(), QStringLiteral("DIS"));
    }

    void portProblems_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("busy"); // the port is held open here
        QTest::addColumn<QString>("says");

        const QString out = dir.filePath(QStringLiteral("never.dat"));
        QTest::newRow("read, unknown port") << QStringList{"read", "--port", "/dev/no-such-port", "-o", out} << false
                                            << "no serial port called /dev/no-such-port";
        QTest::newRow("reset, unknown name") << QStringList{"reset", "--port", "NOSUCH9"} << false
                                             << "no serial port called NOSUCH9";
        QTest::newRow("monitor, unknown port") << QStringList{"monitor", "--port", "/dev/no-such-port"} << false
                                               << "no serial port";
        QTest::newRow("read, busy port") << QStringList{"read", "-o", out} << true << "busy";
        QTest::newRow("write, busy port") << QStringList{"write", changedPath} << true << "busy";
    }

    void portProblems()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, busy);
        QFETCH(QString, says);

        FakeTransmitter tx;
        QSerialPort holder;
        if (busy) {
            if (!tx.isOpen())
                QSKIP("pseudo-terminals are not available here");
            holder.setPortName(tx.devicePath());
            QVERIFY(holder.open(QIODevice::ReadWrite));
            arguments << QStringLiteral("--port") << tx.devicePath();
        }
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 4);
        QVERIFY2(isOneErrorLine(run) && run.err.contains(says), qPrintable(describe(run)));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("never.dat"))));
        QTest::qWait(100);
        QCOMPARE(tx.allBytes(), QByteArray());
    }

    // ---- the virtual transmitter program --------------------------------

    void readFromTheSimulatorSavesWhatSaveWould()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("the simulator needs a pseudo-terminal here");
        QVERIFY(startSimulator());
        const QString output = path(QStringLiteral("read.dat"));
        const CliRun run = runCli({QStringLiteral("read"), QStringLiteral("--port"), simPort, QStringLiteral("-o"), output});
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        QVERIFY(run.outLines().contains(QStringLiteral("19 of 19 parameter blocks received")));

        const QByteArray saved = readBytes(output);
        QCOMPARE(saved.size(), kParameterFileLength);
        bool ok = false;
        const ParameterSet decoded = decodeFile(output, &ok);
        QVERIFY(ok);
        // The trims come from the live stream, everything else from the reply.
        QCOMPARE(settingKeys(differingSettings(decoded, changedSet())), QStringList());
        QCOMPARE(saved, fileBytes(decoded));
    }

    void writtenFileReadsBackEqual()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("the simulator needs a pseudo-terminal here");
        QVERIFY(startSimulator());
        ParameterSet edited = changedSet();
        edited.Sub2 = -30;
        edited.Delay5 = 40;
        edited.Trim2 = 100;
        edited.RxVolt = 4.8;
        const QString written = path(QStringLiteral("edited.dat"));
        QVERIFY(writeBytes(written, fileBytes(edited)));

        const CliRun write = runCli({QStringLiteral("write"), QStringLiteral("--port"), simPort, QStringLiteral("--verify"), written});
        QVERIFY2(write.exitCode == 0, qPrintable(describe(write)));
        QVERIFY(write.outLines().last().startsWith(QLatin1String("verified")));

        const QString back = path(QStringLiteral("back.dat"));
        const CliRun read = runCli({QStringLiteral("read"), QStringLiteral("--port"), simPort, QStringLiteral("-o"), back});
        QVERIFY2(read.exitCode == 0, qPrintable(describe(read)));
        const CliRun diff = runCli({QStringLiteral("diff"), written, back});
        QVERIFY2(diff.exitCode == 0, qPrintable(describe(diff)));
        QCOMPARE(diff.outLines(), QStringList{QStringLiteral("no differences")});
    }

    void resetLeavesTheFactoryFileInTheSimulator()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("the simulator needs a pseudo-terminal here");
        QVERIFY(startSimulator());
        const CliRun run = runCli({QStringLiteral("reset"), QStringLiteral("--port"), simPort});
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        QTRY_COMPARE_WITH_TIMEOUT(readBytes(simConfigPath), kFactoryFile, 10000);
    }

    void monitorPrintsLivePackets_data()
    {
        QTest::addColumn<bool>("csv");
        QTest::addColumn<QString>("pattern");

        QTest::newRow("text") << false
                              << R"(^CH( \d+){8}  TX \d+\.\d ?V  RSSI (-\d\ddBm|null)  RX \d+\.\d ?V  EXT \d+\.\d ?V$)";
        QTest::newRow("csv") << true << R"(^\d+(,\d+){8},\d+\.\d\d,(-\d+)?,\d+\.\d,\d+\.\d$)";
    }

    void monitorPrintsLivePackets()
    {
        QFETCH(bool, csv);
        QFETCH(QString, pattern);

        if (!FakeTransmitter::isSupported())
            QSKIP("the simulator needs a pseudo-terminal here");
        QVERIFY(startSimulator());
        QStringList arguments{QStringLiteral("monitor"), QStringLiteral("--port"), simPort, QStringLiteral("--seconds"),
                              QStringLiteral("1")};
        if (csv)
            arguments << QStringLiteral("--csv");
        const CliRun run = runCli(arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        QStringList lines = run.outLines();
        if (csv)
            QCOMPARE(lines.takeFirst(), monitorCsvHeader());
        QVERIFY2(lines.size() >= 3, qPrintable(describe(run)));
        const QRegularExpression expected(pattern);
        for (const QString &line : lines)
            QVERIFY2(expected.match(line).hasMatch(), qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

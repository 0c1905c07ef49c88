// The connection check over system trees written into a folder: each row is
// a small system and the cause it must give; and the history of messages
// the diagnostics report.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include "link/answerwatch.h"
#include "link/connectioncheck.h"
#include "link/inboundparser.h"
#include "link/systemprobe.h"
#include "link/traffichistory.h"
#include "model/translations.h"

namespace {

// "path=content" writes a file, "path/" makes a folder.
void writeTree(const QString &root, const QStringList &entries)
{
    for (const QString &entry : entries) {
        const QString path = root + QLatin1Char('/') + entry.section(QLatin1Char('='), 0, 0);
        if (path.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir().mkpath(path));
            continue;
        }
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(entry.section(QLatin1Char('='), 1).toUtf8());
    }
}

const QString kNoCause = QStringLiteral("none");

} // namespace

class TestConnectionCheck : public QObject
{
    Q_OBJECT

private slots:
    void namesTheCause_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("heard"); // what listening gives, if it is asked
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("says"); // in the cause's text; without a cause, in the first step's
        QTest::addColumn<QString>("fix");  // in the cause's fix; "!text": not in it
        QTest::addColumn<QString>("noted"); // in the fix of a step that notes a lock file; empty: none does

        const QStringList user = {"probe/user=ann", "probe/groups=ann", "probe/pid=77",
                                  "etc/group=dialout:x:20:bob\ntty:x:5:\n"};
        const QStringList usb0 = user + QStringList{"dev/ttyUSB0="};
        const QStringList denied = usb0 + QStringList{"probe/stat=/dev/ttyUSB0 root dialout 660",
                                                      "probe/open=/dev/ttyUSB0 denied Permission denied"};
        const QStringList ch341 = {"sys/bus/usb/devices/1-1/idVendor=1a86\n", "sys/bus/usb/devices/1-1/idProduct=7523\n",
                                   "sys/bus/usb/devices/1-1/1-1:1.0/"};
        // The virtual transmitter on /dev/pts/4: the master, with the number
        // of the terminal it serves, and the terminal itself kept open.
        const QStringList sim = user + QStringList{"dev/pts/4=", "proc/90/comm=kelvo-miraq-sim\n",
                                                   "proc/90/fd/3=/dev/ptmx", "proc/90/fdinfo/3=pos:\t0\ntty-index:\t4\n",
                                                   "proc/90/fd/4=/dev/pts/4"};
        const QStringList viaLink = usb0 + QStringList{"dev/serial/by-id/usb-Tx_Cable-if00=../../ttyUSB0"};
        const QString byId = "/dev/serial/by-id/usb-Tx_Cable-if00";
        const int answered = ListenResult::Answered;

        QTest::newRow("all well") << usb0 << "ttyUSB0" << answered << kNoCause << "/dev/ttyUSB0" << "" << "";
        QTest::newRow("no such port") << user << "ttyUSB0" << answered << "port" << "ttyUSB0" << "" << "";
        QTest::newRow("no port at all") << user << "" << answered << "port" << "没有找到 USB 串口" << "" << "";
        QTest::newRow("not in the group")
                << denied << "ttyUSB0" << answered << "access" << "dialout" << "sudo usermod -aG dialout ann" << "";
        QTest::newRow("in the group since this login")
                << (QStringList(denied) << "etc/group=dialout:x:20:bob,ann\n") << "ttyUSB0" << answered << "access"
                << "dialout" << "注销并重新登录" << "";
        QTest::newRow("in the group, mode keeps it out")
                << (QStringList(denied) << "probe/groups=ann dialout"
                                      << "probe/stat=/dev/ttyUSB0 root dialout 600")
                << "ttyUSB0" << answered << "access" << "600" << "60-kelvo-miraq-usb-serial.rules" << "";
        QTest::newRow("a device of root's group")
                << (QStringList(denied) << "probe/stat=/dev/ttyUSB0 root root 660") << "ttyUSB0" << answered
                << "access" << "root" << "!usermod" << "";
        QTest::newRow("open by another process")
                << (QStringList(usb0) << "proc/4242/comm=minicom\n" << "proc/4242/fd/3=/dev/ttyUSB0") << "ttyUSB0"
                << answered << "holder" << "minicom（进程 4242）" << "kill 4242" << "";
        QTest::newRow("open by another process, asked by a link's name")
                << (QStringList(viaLink) << "proc/4242/comm=minicom\n" << "proc/4242/fd/3=/dev/ttyUSB0") << byId
                << answered << "holder" << "minicom（进程 4242）" << "kill 4242" << "";
        QTest::newRow("locked by a process that has it open")
                << (QStringList(usb0) << "run/lock/LCK..ttyUSB0=      4243\n" << "proc/4243/comm=cura\n"
                                    << "proc/4243/fd/7=/dev/ttyUSB0")
                << "ttyUSB0" << answered << "holder" << "cura（进程 4243）" << "kill 4243" << "";
        QTest::newRow("locked by a running program whose open files are out of sight")
                << (QStringList(usb0) << "run/lock/LCK..ttyUSB0=      4243\n" << "proc/4243/comm=cura\n")
                << "ttyUSB0" << answered << kNoCause << "/dev/ttyUSB0" << ""
                << "删除锁文件：sudo rm /run/lock/LCK..ttyUSB0";
        QTest::newRow("busy, and a lock file names the program")
                << (QStringList(usb0) << "run/lock/LCK..ttyUSB0=      4243\n" << "proc/4243/comm=cura\n"
                                    << "probe/open=/dev/ttyUSB0 busy Device or resource busy")
                << "ttyUSB0" << answered << "holder" << "cura" << "关闭 cura" << "";
        QTest::newRow("a pseudo-terminal's lock file of a running program of its name")
                << (QStringList(user) << "dev/pts/3=" << "tmp/LCK..pts_3=88\nkelvo-miraq-config\nhost\n"
                                    << "proc/88/comm=kelvo-miraq-con\n")
                << "/dev/pts/3" << answered << "holder" << "kelvo-miraq-con（进程 88），据锁文件 /tmp/LCK..pts_3"
                << "!kill" << "";
        QTest::newRow("another user's program holds the device behind a link")
                << (QStringList(viaLink) << "run/lock/LCK..ttyUSB0=4300\nkelvo-miraq-cli\nhost\n"
                                       << "proc/4300/comm=kelvo-miraq-cli\n")
                << byId << answered << "holder" << "kelvo-miraq-cli（进程 4300）" << "关闭 kelvo-miraq-cli" << "";
        QTest::newRow("a lock named after the link it was opened by")
                << (QStringList(viaLink) << "run/lock/LCK..serial_by-id_usb-Tx_Cable-if00=4300\nkelvo-miraq-cli\n"
                                       << "proc/4300/comm=kelvo-miraq-cli\n")
                << byId << answered << "holder" << "kelvo-miraq-cli（进程 4300）" << "!kill" << "";
        QTest::newRow("a lock of a process id another program has now")
                << (QStringList(usb0) << "run/lock/LCK..ttyUSB0=4301\nkelvo-miraq-cli\nhost\n"
                                    << "proc/4301/comm=bash\n")
                << "ttyUSB0" << answered << kNoCause << "/dev/ttyUSB0" << "" << "删除失效的锁文件：sudo rm /run/lock/LCK..ttyUSB0";
        QTest::newRow("a stale lock file of ours")
                << (QStringList(usb0) << "var/lock/LCK..ttyUSB0=999\n" << "probe/stat=/var/lock/LCK..ttyUSB0 ann ann 644")
                << "ttyUSB0" << answered << kNoCause << "/dev/ttyUSB0" << "" << "失效的锁文件：rm /var/lock/LCK..ttyUSB0";
        QTest::newRow("a stale lock file of root's")
                << (QStringList(usb0) << "var/lock/LCK..ttyUSB0=999\n") << "ttyUSB0" << answered << kNoCause
                << "/dev/ttyUSB0" << "" << "sudo rm /var/lock/LCK..ttyUSB0";
        QTest::newRow("a stale lock file of root's keeps the tool out")
                << (QStringList(usb0) << "var/lock/LCK..ttyUSB0=999\n") << "ttyUSB0" << int(ListenResult::OpenFailed)
                << "answer" << "ttyUSB0" << "sudo rm /var/lock/LCK..ttyUSB0" << "sudo rm /var/lock/LCK..ttyUSB0";
        QTest::newRow("a temporary folder's lock naming a process that does not have it open")
                << (QStringList(user) << "dev/pts/4=" << "tmp/LCK..pts_4=1\n" << "proc/1/comm=systemd\n"
                                    << "proc/1/fd/0=/dev/null")
                << "/dev/pts/4" << answered << kNoCause << "/dev/pts/4" << "" << "失效的锁文件：sudo rm /tmp/LCK..pts_4";
        QTest::newRow("a temporary folder's lock naming a process out of sight")
                << (QStringList(user) << "dev/pts/4=" << "tmp/LCK..pts_4=1\n" << "proc/1/comm=systemd\n")
                << "/dev/pts/4" << answered << kNoCause << "/dev/pts/4" << "" << "删除锁文件：sudo rm /tmp/LCK..pts_4";
        QTest::newRow("this process's own descriptor")
                << (QStringList(usb0) << "proc/77/comm=kelvo-miraq-cli\n" << "proc/77/fd/5=/dev/ttyUSB0") << "ttyUSB0"
                << answered << kNoCause << "/dev/ttyUSB0" << "" << "";
        QTest::newRow("the far end of a pseudo-terminal, the system not saying which")
                << (QStringList(user) << "dev/pts/4=" << "proc/90/comm=kelvo-miraq-sim\n" << "proc/90/fd/3=/dev/ptmx"
                                    << "proc/90/fd/4=/dev/pts/4")
                << "/dev/pts/4" << answered << kNoCause << "/dev/pts/4" << "" << "";
        QTest::newRow("the far end of a pseudo-terminal") << sim << "/dev/pts/4" << answered << kNoCause << "/dev/pts/4"
                                                          << "" << "";
        QTest::newRow("the far end, asked by the simulator's link")
                << (QStringList(sim) << "tmp/kelvo-miraq-sim-0=/dev/pts/4") << "/tmp/kelvo-miraq-sim-0" << answered
                << kNoCause << "/dev/pts/4 存在（/tmp/kelvo-miraq-sim-0 指向它）" << "" << "";
        QTest::newRow("a terminal serving another pseudo-terminal holds this one")
                << (QStringList(sim) << "proc/95/comm=screen\n" << "proc/95/fd/3=/dev/ptmx"
                                   << "proc/95/fdinfo/3=tty-index:\t5\n" << "proc/95/fd/5=/dev/pts/4")
                << "/dev/pts/4" << answered << "holder" << "screen（进程 95）" << "kill 95" << "";
        QTest::newRow("a link the stopped simulator left behind")
                << (QStringList(user) << "tmp/kelvo-miraq-sim-0=/dev/pts/9") << "/tmp/kelvo-miraq-sim-0" << answered
                << "port" << "/dev/pts/9" << "" << "";
        QTest::newRow("a folder") << (QStringList(user) << "tmp/") << "/tmp" << answered << "port" << "/tmp 不是串口设备，而是一个文件夹"
                                  << "ttyUSB0" << "";
        QTest::newRow("a plain file")
                << (QStringList(user) << "home/ann/plane.dat=" << "probe/stat=/home/ann/plane.dat ann ann 644 file")
                << "/home/ann/plane.dat" << answered << "port" << "普通文件" << "ttyUSB0" << "";
        QTest::newRow("busy, the holder out of sight")
                << (QStringList(usb0) << "probe/open=/dev/ttyUSB0 busy Device or resource busy") << "ttyUSB0"
                << answered << "holder" << "/dev/ttyUSB0" << "" << "";
        QTest::newRow("brltty took the CH341")
                << (QStringList(user + ch341) << "probe/installed=brltty") << "ttyUSB0" << answered << "brltty"
                << "1a86:7523" << "sudo systemctl mask brltty-udev.service brltty.service" << "";
        QTest::newRow("brltty running, no port listed")
                << (QStringList(user + ch341) << "proc/300/comm=brltty\n") << "" << answered << "brltty" << "1a86:7523"
                << "apt remove brltty" << "";
        QTest::newRow("a CH341 with its port")
                << (QStringList(usb0 + ch341) << "sys/bus/usb/devices/1-1/1-1:1.0/ttyUSB0/" << "probe/installed=brltty")
                << "ttyUSB0" << answered << kNoCause << "/dev/ttyUSB0" << "" << "";
        QTest::newRow("a CH341 without port, no brltty")
                << QStringList(user + ch341) << "ttyUSB0" << answered << "port" << "ttyUSB0" << "" << "";
        QTest::newRow("ModemManager probes a ttyACM")
                << (QStringList(user) << "dev/ttyACM0=" << "proc/600/comm=ModemManager\n") << "ttyACM0" << answered
                << "modemmanager" << "/dev/ttyACM0" << "systemctl stop ModemManager" << "";
        QTest::newRow("ModemManager and a by-id name of a ttyACM")
                << (QStringList(user) << "dev/serial/by-id/usb-Tx_Cable-if00=../../ttyACM0" << "dev/ttyACM0="
                                      << "proc/600/comm=ModemManager\n")
                << byId << answered << "modemmanager" << "/dev/ttyACM0" << "" << "";
        QTest::newRow("ModemManager kept off by the rule")
                << (QStringList(user) << "dev/ttyACM0=" << "proc/600/comm=ModemManager\n"
                                    << "usr/lib/udev/rules.d/60-kelvo-miraq-usb-serial.rules=")
                << "ttyACM0" << answered << kNoCause << "/dev/ttyACM0" << "" << "";
        QTest::newRow("ModemManager and a ttyUSB")
                << (QStringList(usb0) << "proc/600/comm=ModemManager\n") << "ttyUSB0" << answered << kNoCause
                << "/dev/ttyUSB0" << "" << "";
        QTest::newRow("nothing answers") << usb0 << "ttyUSB0" << int(ListenResult::Silent) << "answer" << "\"OK\""
                                         << "" << "";
        QTest::newRow("gone while listening")
                << usb0 << "ttyUSB0" << int(ListenResult::Lost) << "answer" << "ttyUSB0" << "" << "";
        QTest::newRow("Windows: access denied is another program")
                << QStringList{"probe/windows=", "probe/open=COM3 busy Access is denied."} << "COM3" << answered
                << "holder" << "COM3" << "" << "";
        QTest::newRow("Windows: no such port")
                << QStringList{"probe/windows=", "probe/open=COM4 missing"} << "COM4" << answered << "port" << "COM4"
                << "" << "";
    }

    void namesTheCause()
    {
        QFETCH(QStringList, tree);
        QFETCH(QString, port);
        QFETCH(int, heard);
        QFETCH(QString, cause);
        QFETCH(QString, says);
        QFETCH(QString, fix);
        QFETCH(QString, noted);

#ifdef Q_OS_WIN
        for (const QString &entry : tree)
            if (entry.section('=', 0, 0).contains(':'))
                QSKIP("a USB interface's folder (\"1-1:1.0\") cannot be named so on Windows");
#endif
        QTemporaryDir root;
        QVERIFY(root.isValid());
        writeTree(root.path(), tree);
        const FolderSystemProbe probe(root.path());
        int listened = 0;
        const ConnectionReport report = ConnectionCheck::run(probe, port, [&] {
            ++listened;
            return ListenResult{ListenResult::Answer(heard), QString("Permission error while locking the device")};
        });
        const QString lines = ConnectionCheck::lines(report).join('\n');

        QCOMPARE(report.results.size(), 6);
        const CheckResult *found = report.cause();
        QCOMPARE(found ? ConnectionCheck::stepName(found->id) : kNoCause, cause);
        // The transmitter is listened for only when nothing else is wrong.
        QCOMPARE(listened, cause == kNoCause || cause == "answer" ? 1 : 0);

        // A lock file that names no holder is noted, and stops nothing.
        const CheckResult &holder = report.results.at(CheckResult::Holder);
        QCOMPARE(holder.state == CheckResult::Noted, !noted.isEmpty());
        if (!noted.isEmpty())
            QVERIFY2(holder.fix.contains(noted), qPrintable(lines));

        // kill is offered only for a process seen with the device open.
        static const QRegularExpression kill("kill (\\d+)");
        for (const CheckResult &r : report.results) {
            const QRegularExpressionMatch m = kill.match(r.fix);
            if (m.hasMatch())
                QVERIFY2(std::any_of(tree.begin(), tree.end(),
                                     [&](const QString &entry) {
                                         return entry.startsWith("proc/" + m.captured(1) + "/fd/")
                                                 && entry.endsWith('=' + report.device);
                                     }),
                         qPrintable(lines));
        }

        if (!found) {
            QVERIFY2(report.results.first().text.contains(says), qPrintable(lines));
            return;
        }
        QVERIFY2(found->text.contains(says), qPrintable(lines));
        if (fix.startsWith('!'))
            QVERIFY2(!found->fix.contains(fix.mid(1)), qPrintable(lines));
        else
            QVERIFY2(found->fix.contains(fix), qPrintable(lines));
        QVERIFY(!found->fix.isEmpty());
        // Nothing after the cause is claimed to have passed, but for brltty,
        // which is looked at for a port that is missing.
        for (const CheckResult &r : report.results)
            if (r.id > found->id && !(found->id == CheckResult::PortExists && r.id == CheckResult::Brltty))
                QVERIFY2(r.state == CheckResult::Skipped, qPrintable(lines));
    }

    // Each step by its name in the language in effect, with its state.
    void linesNameEachStep_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("starts"); // the lines' beginnings
        QTest::newRow("zh") << "zh"
                            << QStringList{"通过  串口：", "通过  权限：", "注意  占用：", "通过  brltty：",
                                           "通过  ModemManager：", "跳过  应答：未检查"};
        QTest::newRow("en") << "en"
                            << QStringList{"ok  port: ", "ok  access: ", "note  holder: ", "ok  brltty: ",
                                           "ok  modemmanager: ", "skipped  answer: not checked"};
    }

    void linesNameEachStep()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, starts);
        QVERIFY(installLanguage(language));
        QTemporaryDir root;
        writeTree(root.path(), {"dev/ttyUSB0=", "run/lock/LCK..ttyUSB0=999\n"});
        const ConnectionReport report = ConnectionCheck::run(FolderSystemProbe(root.path()), "ttyUSB0", nullptr);
        const QStringList lines = ConnectionCheck::lines(report);
        installLanguage("zh");
        QCOMPARE(lines.size(), starts.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines.at(i).startsWith(starts.at(i)), qPrintable(lines.at(i)));
        // Without anyone to listen the answer stays unknown, not good.
        QCOMPARE(report.results.last().state, CheckResult::Skipped);
        QVERIFY(!report.cause());
    }

    void historyKeepsTheLastMessages()
    {
        TrafficHistory history;
        const QDateTime t0(QDate(2026, 12, 7), QTime(10, 42, 7, 123));
        for (int i = 0; i < 40; ++i)
            history.record(i % 2 ? TrafficHistory::In : TrafficHistory::Out, QByteArray(1, char(i)),
                           t0.addMSecs(i));
        const QStringList lines = history.lines();
        QCOMPARE(lines.size(), TrafficHistory::kDefaultCapacity);
        QCOMPARE(lines.first(), QStringLiteral("10:42:07.131 out 08"));
        QCOMPARE(lines.last(), QStringLiteral("10:42:07.162 in  27"));

        TrafficHistory few;
        few.record(TrafficHistory::Out, "OK", t0);
        QCOMPARE(few.lines(), QStringList{"10:42:07.123 out 4f 4b"});

        // Stamped in UTC (as the window records), read in the pilot's time.
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "UTC-8");
        const QDateTime local(QDate(2026, 12, 7), QTime(10, 42, 7, 123));
        TrafficHistory utc;
        utc.record(TrafficHistory::Out, "OK", local.toUTC());
        const QStringList utcLines = utc.lines();
        zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
        QCOMPARE(utcLines, QStringList{"10:42:07.123 out 4f 4b"});
    }

    // The answer to "OK": waiting until a live packet (not any message)
    // comes, silent once its time is over, and waiting again after the
    // next "OK"; the traffic both ways stays for the report.
    void answerIsALivePacketInTime()
    {
        AnswerWatch watch;
        QSignalSpy missing(&watch, &AnswerWatch::missing);
        QCOMPARE(watch.answer(), ListenResult::Silent); // never asked
        watch.start(60000);
        watch.outbound("OK");
        InboundResult block;
        block.kind = InboundResult::ParamBlock;
        watch.inbound(QByteArray(12, '\xfe'), block);
        QCOMPARE(watch.answer(), ListenResult::NotTried);
        InboundResult live;
        live.kind = InboundResult::StatusPacket;
        watch.inbound(QByteArray(20, '\x55'), live);
        QCOMPARE(watch.answer(), ListenResult::Answered);
        QCOMPARE(watch.trafficLines().size(), 3);

        watch.start(20);
        QCOMPARE(watch.answer(), ListenResult::NotTried);
        QVERIFY(missing.wait(2000));
        QCOMPARE(watch.answer(), ListenResult::Silent);
        QCOMPARE(missing.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestConnectionCheck)
#include "tst_connectioncheck.moc"

// The connection check where a pilot meets it: "kelvo-miraq-cli doctor" run
// as an unprivileged user on pseudo-terminals it may not open, that another
// process holds, where nobody answers and where the virtual transmitter
// does; the window's box when the port does not open and its note when
// nothing answers; and the udev rule the package installs.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <unistd.h>
#endif

#include "support/appstate.h"
#include "support/fakeportrig.h"
#include "link/connectioncheck.h"
#include "support/faketransmitter.h"
#include "ui/mainform.h"
#include "testpaths.h"

namespace {

struct Run
{
    int exitCode = -1; // -1: crashed or hung
    QString out;
};

// The command that runs a program as the user nobody: empty when this
// process is no more privileged than that already; sets why when there is
// no way.
QStringList unprivileged(QString *why)
{
#ifdef Q_OS_UNIX
    if (::geteuid() != 0)
        return {};
    const char *group = ::getgrnam("nogroup") ? "--regid=nogroup" : "--regid=nobody";
    if (!QStandardPaths::findExecutable("setpriv").isEmpty())
        return {"setpriv", "--reuid=nobody", group, "--clear-groups", "--"};
    if (!QStandardPaths::findExecutable("runuser").isEmpty())
        return {"runuser", "-u", "nobody", "--"};
    *why = "running as root, without setpriv or runuser to become an unprivileged user";
#else
    *why = "pseudo-terminals are Unix only";
#endif
    return {"-"};
}

// Runs a command while this process keeps handling events, so a transmitter
// played here can answer it. locale: the system's for it, when given.
Run runCommand(const QStringList &command, const QString &locale = QString())
{
    QProcess process;
    if (!locale.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LANGUAGE"));
        environment.insert(QStringLiteral("LC_ALL"), locale); // above LC_MESSAGES and LANG
        process.setProcessEnvironment(environment);
    }
    process.start(command.first(), command.mid(1));
    Run run;
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000)) {
        process.kill();
        process.waitForFinished(5000);
    } else if (process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    return run;
}

// Whether process pid has path open.
bool holdsOpen(qint64 pid, const QString &path)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        if (fd.symLinkTarget() == path)
            return true;
    return false;
}

// How a step's line names it in the language in effect: " 应答：", " answer: ".
QString stepIn(CheckResult::Id id, bool english)
{
    return QLatin1Char(' ') + ConnectionCheck::stepTitle(id) + (english ? QStringLiteral(": ") : QStringLiteral("："));
}

QPushButton *buttonCalled(QMessageBox *box, const QString &text)
{
    for (QPushButton *b : box->findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

class TestDoctor : public QObject
{
    Q_OBJECT

    QStringList doctorAs(const QStringList &user, const QString &port) const
    {
        return user + QStringList{KELVO_CLI_PATH, "doctor", "--lang", "en", "--port", port};
    }

private slots:
    void cliNamesTheCauseOnAPseudoTerminal_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("byLink"); // asked by the name of a link to the terminal
        QTest::newRow("may not open") << "no access" << 11 << false;
        QTest::newRow("held by another process") << "held" << 12 << false;
        QTest::newRow("held by another process, asked by a link") << "held" << 12 << true;
        QTest::newRow("nobody answers") << "silent" << 15 << false;
        // This process, at the terminal's other end, holds it through the
        // link too, and is still no rival for it.
        QTest::newRow("nobody answers, asked by a link") << "silent" << 15 << true;
    }

    void cliNamesTheCauseOnAPseudoTerminal()
    {
        QFETCH(QString, situation);
        QFETCH(int, exitCode);
        QFETCH(bool, byLink);
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are Unix only");
        QString why;
        const QStringList user = unprivileged(&why);
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        if (situation == "no access" && user.isEmpty())
            QSKIP("an unprivileged user owns the pseudo-terminals it makes");
        FakeTransmitter tx;
        QVERIFY2(tx.isOpen(), qPrintable(tx.errorString()));
        const QString device = tx.devicePath();
        // Not to be opened: a serial device as Debian makes it, root:dialout 0660.
        const bool mayOpen = situation != "no access";
        const QFile::Permissions readWrite = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup;
        QVERIFY(QFile::setPermissions(device, mayOpen ? readWrite | QFile::ReadOther | QFile::WriteOther : readWrite));
#ifdef Q_OS_UNIX
        const struct group *dialout = ::getgrnam("dialout");
        if (!mayOpen && dialout)
            QCOMPARE(::chown(QFile::encodeName(device).constData(), 0, dialout->gr_gid), 0);
#endif

        QProcess holder;
        if (situation == "held") {
            const QStringList command = user + QStringList{"sh", "-c", "exec sleep 60 3<>\"$0\"", device};
            holder.start(command.first(), command.mid(1));
            QVERIFY(holder.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(holdsOpen(holder.processId(), device), 10000);
        }

        QTemporaryDir links;
        const QString link = links.filePath("tx");
        if (byLink) {
            QVERIFY(QFile::link(device, link));
            QVERIFY(QFile::setPermissions(links.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                                | QFile::ReadOther | QFile::ExeOther));
        }
        const Run run = runCommand(doctorAs(user, byLink ? link : device));
        qInfo().noquote() << "doctor on a pseudo-terminal," << situation << (byLink ? "by a link" : "") << "\n" << run.out;
        if (byLink)
            QVERIFY2(run.out.contains(QStringLiteral("Port %1 exists (%2 leads to it)").arg(device, link)),
                     qPrintable(run.out));
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out.count('\n'), 6); // one line per step
        if (situation == "no access") {
            const QString owning = QFileInfo(device).group();
            QVERIFY2(run.out.contains("group " + owning), qPrintable(run.out));
            if (owning != "root")
                QVERIFY2(run.out.contains("sudo usermod -aG " + owning + " nobody"), qPrintable(run.out));
        } else if (situation == "held") {
            QVERIFY2(run.out.contains(QStringLiteral("sleep (process %1)").arg(holder.processId())),
                     qPrintable(run.out));
            holder.kill();
            holder.waitForFinished(5000);
        } else {
            QVERIFY2(run.out.contains("no data from the transmitter"), qPrintable(run.out));
            // It said "OK" and "DIS" as every command does, and nothing else.
            QTRY_COMPARE(tx.kinds(), (QStringList{"OK", "DIS"}));
        }
        // Nothing is heard from a port that cannot be opened or is taken.
        if (situation != "silent")
            QCOMPARE(tx.allBytes(), QByteArray());
    }

    // The simulator holds its terminal from the other end: by that
    // terminal's name or by the link the simulator makes, the port passes.
    void cliPassesAgainstTheVirtualTransmitter_data()
    {
        QTest::addColumn<bool>("byLink");
        QTest::newRow("by its pseudo-terminal") << false;
        QTest::newRow("by its link") << true;
    }

    void cliPassesAgainstTheVirtualTransmitter()
    {
        QFETCH(bool, byLink);
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are Unix only");
        QTemporaryDir links;
        QProcess sim;
        sim.start(QStringLiteral(KELVO_SIM_PATH), {"--quiet", "--link", links.filePath("sim")});
        QByteArray out;
        const QDeadlineTimer deadline(15000);
        while (!out.contains("LINK ") && !deadline.hasExpired() && sim.state() != QProcess::NotRunning) {
            sim.waitForReadyRead(200);
            out += sim.readAllStandardOutput();
        }
        QVERIFY2(out.startsWith("PORT /") && out.contains("\nLINK "), out.constData());
        const QString port = byLink ? links.filePath("sim") : QString::fromLocal8Bit(out.mid(5, out.indexOf('\n') - 5));
        const Run run = runCommand(doctorAs({}, port));
        qInfo().noquote() << "doctor against the virtual transmitter\n" << run.out;
        sim.terminate();
        sim.waitForFinished(10000);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains("answer: The transmitter answers on " + port), qPrintable(run.out));
    }

    void cliNamesAFolder_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("english"); // --lang en
        QTest::addColumn<QString>("says");
        QTest::newRow("--lang en") << "zh_CN.UTF-8" << true << "FAIL  port: %1 is no serial device but a folder";
        QTest::newRow("Chinese locale") << "zh_CN.UTF-8" << false << "失败  串口：%1 不是串口设备，而是一个文件夹";
        QTest::newRow("C locale") << "C" << false << "FAIL  port: %1 is no serial device but a folder";
    }

    // A folder is no serial device, and is named so, in the language asked
    // for or else the system's.
    void cliNamesAFolder()
    {
        QFETCH(QString, locale);
        QFETCH(bool, english);
        QFETCH(QString, says);
#ifndef Q_OS_UNIX
        QSKIP("a COM port is no file");
#endif
        QTemporaryDir folder;
        const QStringList command = english ? doctorAs({}, folder.path())
                                            : QStringList{KELVO_CLI_PATH, "doctor", "--port", folder.path()};
        const Run run = runCommand(command, locale);
        QCOMPARE(run.exitCode, 10);
        QVERIFY2(run.out.contains(says.arg(folder.path())), qPrintable(run.out));
    }

    void windowExplainsWhatIsWrong_data() { addLanguageRows(); }

    // Nothing answers "OK": a note on the status line. The port does not
    // open: the box keeps its title and text, and carries the cause, the fix
    // and the diagnostics to copy.
    void windowExplainsWhatIsWrong()
    {
        QFETCH(QString, language);
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are Unix only");
        FakePortRig rig;
        QVERIFY2(rig.start(language), qPrintable(rig.error));
        MainForm *ui = rig.w->form();
        const QString port = ui->portNameBox->currentText();
        QVERIFY(rig.openPort());
        const bool english = language == "en";
        const QString answer = stepIn(CheckResult::LiveAnswer, english);
        auto *status = rig.w->findChild<QLabel *>(QStringLiteral("statusLabel"));
        QTRY_VERIFY_WITH_TIMEOUT(status->toolTip().contains(answer), 10000);
        QVERIFY2(status->toolTip().contains(answer + port), qPrintable(status->toolTip()));

        // On demand from the status line's menu, with the port open: what the
        // window heard is the answer, and the port is not opened twice.
        QAction *check = rig.w->findChild<QAction *>("connectionCheckAction");
        QVERIFY(check && rig.w->statusMenu()->actions().contains(check));
        QString onDemand;
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            onDemand = box->windowTitle() + '\n' + box->detailedText();
            box->button(QMessageBox::Ok)->click();
        });
        check->trigger();
        QCOMPARE(onDemand.section('\n', 0, 0), english ? QStringLiteral("Connection check") : QStringLiteral("连接检查"));
        QVERIFY2(onDemand.contains(stepIn(CheckResult::Access, english)) && onDemand.contains(answer + port),
                 qPrintable(onDemand));
        QCOMPARE(rig.tx->kinds(), QStringList{"OK"});
        ui->openButton->click();
        QTRY_COMPARE(rig.tx->count("DIS"), 1);

        const QString missing = QStringLiteral("ttyKELVO-missing");
        ui->portNameBox->addItem(missing);
        ui->portNameBox->setCurrentIndex(ui->portNameBox->count() - 1);
        QString title, text, details, copied, saidCopied;
        bool stayedOpen = false;
        QTimer inspect;
        connect(&inspect, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            inspect.stop();
            title = box->windowTitle();
            text = box->text();
            details = box->detailedText();
            // Pictured before the copy button has anything to say.
            const QString shots = qEnvironmentVariable("KELVO_SHOTS_DIR");
            if (!shots.isEmpty()) {
                for (QPushButton *b : box->findChildren<QPushButton *>())
                    if (box->buttonRole(b) == QMessageBox::ActionRole && b != buttonCalled(box, english ? "Copy diagnostics" : "复制诊断信息"))
                        b->click();
                QTest::qWait(200);
                QDir().mkpath(shots);
                box->grab().save(QStringLiteral("%1/open-failure-%2.png").arg(shots, language));
            }
            QPushButton *copy = buttonCalled(box, english ? "Copy diagnostics" : "复制诊断信息");
            if (copy) {
                copy->click();
                copied = QGuiApplication::clipboard()->text();
                saidCopied = copy->text();
                stayedOpen = box->isVisible();
            }
            box->button(QMessageBox::Ok)->click();
        });
        inspect.start(20);
        ui->openButton->click();
        QTRY_VERIFY(!inspect.isActive());

        QCOMPARE(title, english ? QStringLiteral("Note") : QStringLiteral("提示"));
        QCOMPARE(text.section('\n', 0, 0),
                 english ? QStringLiteral("Cannot open the serial port!") : QStringLiteral("无法打开串口！"));
        // Under it, the port and the cause with its fix.
        QVERIFY2(text.contains((english ? QStringLiteral("Port: %1\nNo serial port %1\nFix: ")
                                        : QStringLiteral("串口：%1\n没有串口 %1\n解决："))
                                       .arg(missing)),
                 qPrintable(text));
        QCOMPARE(saidCopied, english ? QStringLiteral("Copied") : QStringLiteral("已复制"));
        QVERIFY2(details.contains(missing) && details.contains(stepIn(CheckResult::PortExists, english)),
                 qPrintable(details));
        QVERIFY(stayedOpen);
        QVERIFY2(copied.contains("Qt " + QString::fromLatin1(qVersion())), qPrintable(copied));
        QVERIFY2(copied.contains("Ports:") && copied.contains(stepIn(CheckResult::PortExists, english)),
                 qPrintable(copied));
        // The last messages both ways: the hello, live input, the goodbye.
        QVERIFY2(copied.contains(" out 4f 4b\n") && copied.contains(" out 44 49 53\n"), qPrintable(copied));
        rig.stop();
    }

    void packageInstallsTheUdevRule()
    {
#ifndef Q_OS_LINUX
        QSKIP("the udev rule is Linux's");
#endif
        QTemporaryDir prefix;
        const Run run = runCommand({KELVO_CMAKE_COMMAND, "--install", KELVO_BUILD_DIR, "--prefix", prefix.path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.out));
        const QString rule = "lib/udev/rules.d/60-kelvo-miraq-usb-serial.rules";
        QVERIFY2(run.out.contains(prefix.path() + "/" + rule), qPrintable(run.out));
        QFile file(prefix.path() + "/" + rule);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString rules = QString::fromUtf8(file.readAll());
        const QStringList ids = {"1a86:7523", "1a86:5523", "10c4:ea60", "0403:6001", "0403:6015", "067b:2303"};
        for (const QString &id : ids) {
            const QString match = QStringLiteral("ATTRS{idVendor}==\"%1\", ATTRS{idProduct}==\"%2\", "
                                                 "TAG+=\"uaccess\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"")
                                          .arg(id.section(':', 0, 0), id.section(':', 1));
            QVERIFY2(rules.contains(match), qPrintable(id));
        }
    }
};

QTEST_MAIN(TestDoctor)
#include "tst_doctor.moc"

// The tool's window against the virtual transmitter program, started as a
// user would start it: the real serial port, the real line, the real
// simulator binary. Each test builds on the one before, like a session.
#include "sim/configurationfile.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSerialPort>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/mainwindow.h"
#include "files/parameterfile.h"
#include "link/framecodec.h"
#include "model/parameterset.h"
#include "support/appstate.h"
#include "support/factoryframes.h"
#include "support/modalwatcher.h"
#include "ui/mainform.h"
#include "testpaths.h"

#ifndef KELVO_SIM_PATH
#error "KELVO_SIM_PATH must name the simulator program"
#endif

namespace {

constexpr int kCommandTimeoutMs = 30000;
constexpr int kShowTimeoutMs = 10000;

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString configPath;
    QProcess sim;
    QString simLog;
    QString devicePath;
    std::unique_ptr<MainWindow> w;
    std::unique_ptr<ModalWatcher> watcher;

    template<class T>
    T *widget(const char *name) const
    {
        T *found = w->form()->find<T>(QLatin1String(name));
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }
    int spin(const char *name) const { return widget<QSpinBox>(name)->value(); }
    void setSpin(const char *name, int value) { widget<QSpinBox>(name)->setValue(value); }

    // Runs one command button to its end. The command runs inside click(),
    // its pauses being nested event loops, so the spy (connected after the
    // window's own slot) counts only once the command has returned.
    bool runCommand(const char *name)
    {
        auto *button = widget<QAbstractButton>(name);
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        clickLater(*w, QLatin1String(name));
        return QTest::qWaitFor([&] { return clicked.count() == 1 && !w->transferRunning(); }, kCommandTimeoutMs);
    }

    bool simLogged(const QString &text, int timeoutMs = kShowTimeoutMs)
    {
        return QTest::qWaitFor([&] { return simLog.contains(text); }, timeoutMs);
    }

private slots:
    void initTestCase()
    {
#ifndef Q_OS_UNIX
        QSKIP("the simulator needs a pseudo-terminal here");
#endif
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QVERIFY(dir.isValid());

        // The transmitter comes with a configuration of its own, so a Read
        // visibly changes the pages.
        configPath = dir.filePath(QStringLiteral("transmitter.dat"));
        ParameterSet own = factoryConfiguration();
        own.Sub1 = 15;
        own.Lepa3 = 70;
        own.Rev2 = 1;
        own.TxVolt = 4.4;
        QVERIFY(saveConfigurationFile(configPath, own));

        connect(&sim, &QProcess::readyReadStandardError, this,
                [this] { simLog += QString::fromLocal8Bit(sim.readAllStandardError()); });
        sim.start(QStringLiteral(KELVO_SIM_PATH), {QStringLiteral("--config"), configPath});
        QVERIFY2(sim.waitForStarted(10000), qPrintable(sim.errorString()));

        QByteArray out;
        const QDeadlineTimer deadline(15000);
        while (!out.contains('\n') && !deadline.hasExpired() && sim.state() == QProcess::Running) {
            sim.waitForReadyRead(200);
            out += sim.readAllStandardOutput();
        }
        const QByteArray first = out.left(out.indexOf('\n'));
        QVERIFY2(first.startsWith("PORT /"), first.constData());
        devicePath = QString::fromLocal8Bit(first.mid(5));

        qputenv("KELVO_EXTRA_PORTS", devicePath.toLocal8Bit());
        w = std::make_unique<MainWindow>();
        w->setPacing(quickPacing());
        qunsetenv("KELVO_EXTRA_PORTS");
        QCOMPARE(w->form()->portNameBox->currentText(), devicePath);
        watcher = std::make_unique<ModalWatcher>();
        QVERIFY(simLogged(QStringLiteral("loaded from")));
    }

    void cleanupTestCase()
    {
        w.reset();
        if (sim.state() != QProcess::NotRunning) {
            sim.kill();
            sim.waitForFinished(5000);
        }
    }

    void openingStartsTheLiveStream()
    {
        w->form()->openButton->click();
        QVERIFY(w->port().isOpen());
        QVERIFY(simLogged(QStringLiteral("connected")));
        QTRY_VERIFY_WITH_TIMEOUT(widget<QLineEdit>("lineEdit_TX")->text() != QLatin1String(" 0.0V"), kShowTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(widget<QLineEdit>("lineEdit_RSSI")->text().endsWith(QLatin1String("dBm")), kShowTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(w->params().ChOut1 != 1000, kShowTimeoutMs);
        const int seen = w->params().ChOut1;
        QTRY_VERIFY_WITH_TIMEOUT(w->params().ChOut1 != seen, kShowTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(widget<QLineEdit>("lineEdit")->text(), QString::number(w->params().ChOut1), kShowTimeoutMs);
    }

    void readShowsTheTransmitterConfiguration()
    {
        QCOMPARE(spin("spinBox_sub1"), 0);
        QVERIFY(runCommand("toolButton_Read"));
        QVERIFY(simLogged(QStringLiteral("reply complete")));
        QTRY_COMPARE_WITH_TIMEOUT(spin("spinBox_sub1"), 15, kShowTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(spin("spinBox_Lepa3"), 70, kShowTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(widget<QComboBox>("comboBox_rev2")->currentIndex(), 1, kShowTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(widget<QDoubleSpinBox>("doubleSpinBox_Volt")->value(), 4.4, kShowTimeoutMs);
        QVERIFY(!simLog.contains(QLatin1String("not acknowledged")));
    }

    void editedValuesAreWrittenAndReadBack()
    {
        setSpin("spinBox_sub2", -30);
        setSpin("spinBox_FS1", 20);
        setSpin("spinBox_delay5", 40);
        QCOMPARE(w->params().Sub2, -30);
        QVERIFY(runCommand("toolButton_Send"));
        QVERIFY(simLogged(QStringLiteral("sub-trims 15 -30 0 0 0 0 0 0")));
        QVERIFY(simLogged(QStringLiteral("I frame")));
        QVERIFY(!simLog.contains(QLatin1String("rejected")));

        // Forget the edits here; the transmitter has them.
        setSpin("spinBox_sub2", 0);
        setSpin("spinBox_FS1", 50);
        setSpin("spinBox_delay5", 100);
        QCOMPARE(w->params().Sub2, 0);
        watcher->setMessageBoxAnswer(QStringLiteral("读取并替换"));
        QVERIFY(runCommand("toolButton_Read"));
        QCOMPARE(watcher->messageBoxes().size(), 1);
        watcher->clear();
        QTRY_COMPARE_WITH_TIMEOUT(spin("spinBox_sub2"), -30, kShowTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(spin("spinBox_FS1"), 20, kShowTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(spin("spinBox_delay5"), 40, kShowTimeoutMs);
        QCOMPARE(spin("spinBox_sub1"), 15);
    }

    void aSavedFileLoadsBack()
    {
        const QString path = dir.filePath(QStringLiteral("model.txt"));
        watcher->setFileDialogAnswer(path);
        QVERIFY(runCommand("toolButton_Save"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        QCOMPARE(saved.size(), kParameterFileLength);
        QCOMPARE(saved, parameterFileBytes(w->frames()));

        setSpin("spinBox_sub2", 7);
        QVERIFY(runCommand("toolButton_Load"));
        QTRY_COMPARE_WITH_TIMEOUT(spin("spinBox_sub2"), -30, kShowTimeoutMs);
        QCOMPARE(watcher->fileDialogs().size(), 2);
        QCOMPARE(watcher->messageBoxes().size(), 0);
    }

    void aFactoryResetIsWhatTheNextReadReturns()
    {
        QVERIFY(runCommand("toolButton_Reset"));
        QVERIFY(simLogged(QStringLiteral("trims 120 120 120 120")));
        setSpin("spinBox_sub1", 50);
        QVERIFY(runCommand("toolButton_Read"));
        QVERIFY(watcher->messageBoxes().last().text.contains(QStringLiteral("尚未写入")));
        QTRY_COMPARE_WITH_TIMEOUT(spin("spinBox_sub1"), 0, kShowTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(spin("spinBox_sub2"), 0, kShowTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(spin("spinBox_Lepa3"), 96, kShowTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(widget<QDoubleSpinBox>("doubleSpinBox_Volt")->value(), 3.7, kShowTimeoutMs);
        QCOMPARE(w->params().Mode, 2);
    }

    void closingSilencesTheTransmitter()
    {
        w->form()->openButton->click();
        QVERIFY(!w->port().isOpen());
        QVERIFY(simLogged(QStringLiteral("disconnected")));

        // Listen on the line without saying "OK": nothing comes.
        QSerialPort listener(devicePath);
        listener.setBaudRate(115200);
        QVERIFY(listener.open(QIODevice::ReadOnly));
        QTest::qWait(400);
        QCOMPARE(listener.bytesAvailable(), qint64(0));
        listener.close();
    }

    void stopsCleanlyAndKeepsTheLastWrite()
    {
        sim.terminate();
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.exitCode(), 0);
        simLog += QString::fromLocal8Bit(sim.readAllStandardError());
        QVERIFY(simLog.contains(QLatin1String("stopped")));

        QFile file(configPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), factoryFile());
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"

// Save and Load through the window: real file dialogs answered by a watcher,
// real files (also on a read-only and on a full file system), and the exact
// frames a transmitter on a pseudo-terminal receives.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>
#include <memory>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "app/mainwindow.h"
#include "link/framecodec.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "model/translations.h"
#include "support/appstate.h"
#include "support/factoryframes.h"
#include "support/fakeportrig.h"
#include "support/modalwatcher.h"
#include "ui/mainform.h"

namespace {

const QStringList kFrameKinds{"S", "G", "H", "I"};
const QStringList kTransferButtons{"toolButton_Send", "toolButton_Reset", "pushButton_Reset2",
                                   "toolButton_Read",  "toolButton_Save",  "toolButton_Load"};
constexpr int kCommandTimeoutMs = 15000;

// Debug output of the code under test, collected while the test runs.
QStringList &debugLog()
{
    static QStringList log;
    return log;
}
QtMessageHandler previousHandler = nullptr;

void recordMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg)
        debugLog().append(message);
    if (previousHandler)
        previousHandler(type, context, message);
}

// The four frames a ParameterSet becomes, as the wire and a file carry them.
QVector<QByteArray> framesOf(ParameterSet set)
{
    ParameterFrames f;
    QVector<QByteArray> out;
    for (FrameKind kind : {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I})
        out.append(rebuildFrame(kind, set, f));
    return out;
}

QByteArray joined(const QVector<QByteArray> &parts, const QByteArray &separator = QByteArray())
{
    QByteArray out;
    for (const QByteArray &p : parts)
        out += p + separator;
    return out;
}

// A configuration that differs from the start-up one in every frame, with
// every value inside its range.
ParameterSet fileSet()
{
    ParameterSet p;
    p.Sub1 = 20;
    p.Mode = 3;
    p.Rev2 = 1;
    p.Atti1 = 30;
    p.Delay2 = 40;
    p.ThCure2 = 20;
    p.Prm3Mix = 1;
    p.Trim1 = 30;
    p.Trim2 = 40;
    p.Trim3 = 50;
    p.Trim4 = 60;
    return p;
}

// Members that tell for each frame whether it was taken from the file.
const QVector<QStringList> kMarkers{{"Sub1", "Mode", "Rev2"},
                                   {"Atti1", "Delay2"},
                                   {"ThCure2", "Prm3Mix"},
                                   {"Trim1", "Trim2", "Trim3", "Trim4"}};

int member(const ParameterSet &p, const QString &name)
{
    const Setting *param = findSettingRow(name);
    Q_ASSERT_X(param && !param->member.isNull(), "member", qPrintable(name));
    return param->member.of(p);
}

QVector<QByteArray> framesSentAfter(const FakeTransmitter &tx, int first)
{
    QVector<QByteArray> out;
    for (const TransmitterMessage &m : tx.messages().mid(first)) {
        if (kFrameKinds.contains(m.kind))
            out.append(m.bytes);
    }
    return out;
}

QVector<SeenMessageBox> errorBoxes(const ModalWatcher &watcher)
{
    QVector<SeenMessageBox> out;
    for (const SeenMessageBox &b : watcher.messageBoxes()) {
        if (b.icon == QMessageBox::Critical)
            out.append(b);
    }
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

bool isRoot()
{
#ifdef Q_OS_UNIX
    return ::geteuid() == 0;
#else
    return false;
#endif
}

bool run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT

private:
    FakePortRig rig;
    std::unique_ptr<FakeTransmitter> &tx = rig.tx;
    std::unique_ptr<MainWindow> &w = rig.w;
    std::unique_ptr<QTemporaryDir> dir;
    QString startDirectory;
    QStringList mounts;
    QString lockedDirectory; // made read-only by a test, unlocked in cleanup

    QString pathIn(const QString &name) const { return dir->filePath(name); }

    bool openPort() { return rig.openPort(); }
    // For the tests that check the pauses or look in at a fixed moment.
    void realPacing() { w->setPacing(Protocol::Pacing()); }

    // Mounts a small tmpfs inside the test directory (root only, Linux).
    QString mountTmpfs(const QString &name)
    {
        const QString path = pathIn(name);
        QDir().mkpath(path);
#ifdef Q_OS_LINUX
        if (isRoot() && run(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=16k", "tmpfs", path})) {
            mounts.append(path);
            return path;
        }
#endif
        return QString();
    }

    void load(const QString &path, ModalWatcher &watcher)
    {
        watcher.setFileDialogAnswer(path);
        clickLater(*w, QStringLiteral("toolButton_Load"));
        QTest::qWait(50);
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning() && watcher.fileDialogs().size() == 1, kCommandTimeoutMs);
    }

    // A Read of a transmitter that holds the start values: its set-up is
    // known, so a file that lacks frames takes the rest from it.
    void knowTransmitter()
    {
        tx->setConfiguration(ParameterSet());
        tx->answerReads(true);
        clickLater(*w, QStringLiteral("toolButton_Read"));
        QTRY_VERIFY_WITH_TIMEOUT(tx->count(QStringLiteral("RR")) == 1 && !w->transferRunning(), kCommandTimeoutMs);
        // The reply is over once its last block is acknowledged, which a busy
        // machine may deliver after the command has ended.
        QTRY_VERIFY(!tx->replyInProgress() && tx->unansweredChunks() == 0);
    }

    // A load that sends: the closing "WWW" is the last thing on the wire.
    void loadAndSend(const QString &path, ModalWatcher &watcher)
    {
        const int acknowledged = tx->count(QStringLiteral("WWW"));
        load(path, watcher);
        QVERIFY(tx->waitForCount(QStringLiteral("WWW"), acknowledged + 1, 5000));
        QTest::qWait(100);
    }

private slots:
    void initTestCase()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        startDirectory = QDir::currentPath();
        previousHandler = qInstallMessageHandler(recordMessage);
    }

    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }

    void init()
    {
        debugLog().clear();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        // The dialogs start in "./": make that a known place.
        QVERIFY(QDir::setCurrent(dir->path()));
        QVERIFY2(rig.start(), qPrintable(rig.error));
        // These cases are about the files; the read-back after a send has
        // its own suite.
        w->setVerifiesSends(false);
    }

    void cleanup()
    {
        rig.stop();
        QDir::setCurrent(startDirectory);
        for (const QString &m : std::as_const(mounts))
            run(QStringLiteral("umount"), {m});
        mounts.clear();
        if (!lockedDirectory.isEmpty())
            QFile::setPermissions(lockedDirectory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        lockedDirectory.clear();
        dir.reset();
        installLanguage(QStringLiteral("zh"));
    }

    void saveWritesTheFramesItSends()
    {
        realPacing();
        QVERIFY(openPort());
        ModalWatcher watcher;
        const QString path = pathIn(QStringLiteral("setup.txt"));
        watcher.setFileDialogAnswer(path);
        const int first = tx->messages().size();
        clickLater(*w, QStringLiteral("toolButton_Save"));
        QVERIFY(tx->waitForMessage(QStringLiteral("I"), kCommandTimeoutMs));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), kCommandTimeoutMs);
        QTest::qWait(300);

        const QByteArray file = readAll(path);
        QCOMPARE(file.size(), 324);
        QCOMPARE(file.at(0), 'S');
        QCOMPARE(file.at(80), 'Y');
        QCOMPARE(file.at(161), 'Z');
        QCOMPARE(file.at(242), 'X');
        QCOMPARE(file.at(323), 'V');
        QVERIFY(!file.contains('\n') && !file.contains('\r'));

        // Save sends the frames but no "WWW", and what it sent is the file.
        QCOMPARE(tx->kinds().mid(first), kFrameKinds);
        const auto sent = tx->messages().mid(first);
        QCOMPARE(joined(framesSentAfter(*tx, first)), file);
        QCOMPARE(joined(framesSentAfter(*tx, first)), joined(framesOf(ParameterSet())));
        for (int i = 1; i < sent.size(); ++i) {
            const qint64 gap = sent.at(i).atMs - sent.at(i - 1).atMs;
            QVERIFY2(gap >= 700 && gap < 3000, qPrintable(QString::number(gap)));
        }

        QCOMPARE(watcher.fileDialogs().size(), 1);
        const SeenFileDialog dialog = watcher.fileDialogs().at(0);
        QVERIFY(dialog.saving);
        QCOMPARE(dialog.title, QStringLiteral("保存数据"));
        QCOMPARE(dialog.nameFilters, (QStringList{"文本文件 (*.txt *.dat)", "所有文件 (*.*)"}));
        QCOMPARE(QDir(dialog.directory).canonicalPath(), QDir(dir->path()).canonicalPath());
        QCOMPARE(errorBoxes(watcher).size(), 0);

        bool pathLogged = false;
        for (const QString &line : debugLog())
            pathLogged = pathLogged || line.contains(path);
        QVERIFY2(pathLogged, qPrintable(debugLog().join(QLatin1Char('|'))));
    }

    void loadBringsBackWhatSaveWrote()
    {
        QVERIFY(openPort());
        ModalWatcher watcher;
        const QString path = pathIn(QStringLiteral("roundtrip.dat"));
        w->params() = fileSet();
        watcher.setFileDialogAnswer(path);
        const int saveFirst = tx->messages().size();
        clickLater(*w, QStringLiteral("toolButton_Save"));
        QVERIFY(tx->waitForMessage(QStringLiteral("I"), kCommandTimeoutMs));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), kCommandTimeoutMs);
        const QVector<QByteArray> saved = framesSentAfter(*tx, saveFirst);
        const ParameterSet before = w->params();
        QCOMPARE(readAll(path), joined(saved));

        // Change something in every frame; the load must undo all of it.
        w->params().Sub1 = -55;
        w->params().Atti1 = 77;
        w->params().ThCure2 = 5;
        w->params().Trim1 = 3;
        debugLog().clear();
        watcher.clear();
        const int loadFirst = tx->messages().size();
        loadAndSend(path, watcher);

        QCOMPARE(differingMembers(w->params(), before), QStringList());
        QCOMPARE(tx->kinds().mid(loadFirst), (kFrameKinds + QStringList{"WWW"}));
        QCOMPARE(framesSentAfter(*tx, loadFirst), saved);
        QCOMPARE(w->loadedFileText(), QString::fromLatin1(joined(saved)));
        QCOMPARE(errorBoxes(watcher).size(), 0);
        QCOMPARE(w->params().TrimHold, 0);

        const SeenFileDialog dialog = watcher.fileDialogs().at(0);
        QVERIFY(!dialog.saving);
        QCOMPARE(dialog.title, QStringLiteral("打开文件"));
        QCOMPARE(dialog.nameFilters, (QStringList{"所有文件 (*.*)", "文本文件 (*.txt *.dat)"}));
        QCOMPARE(QDir(dialog.directory).canonicalPath(), QDir(dir->path()).canonicalPath());

        QStringList lengths = debugLog().filter(QStringLiteral("Blength"));
        QCOMPARE(lengths, (QStringList{"Blength00:324", "Blength01:324", "Blength02:324", "Blength03:324"}));
    }

    // The status line names the file and says apart what became of it and
    // of the send.
    void saveAndLoadTellTheFileAndTheSend_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("portOpen");
        QTest::addColumn<bool>("removeDirectory"); // while the frames go out
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("loaded");
        // The transmitter sends nothing: the send is not confirmed.
        QTest::newRow("port open") << "" << true << false << "已保存 plane.dat · 未确认：遥控器无应答"
                                   << "已加载 plane.dat · 未确认：遥控器无应答";
        QTest::newRow("port closed") << "" << false << false << "已保存 plane.dat · 未发送（串口未打开）"
                                     << "已加载 plane.dat · 未发送（串口未打开）";
        QTest::newRow("port closed, English") << "en" << false << false << "Saved plane.dat · not sent (port closed)"
                                              << "Loaded plane.dat · not sent (port closed)";
        QTest::newRow("directory gone") << "" << true << true << "保存失败 plane.dat · 未确认：遥控器无应答" << "";
    }
    void saveAndLoadTellTheFileAndTheSend()
    {
        QFETCH(QString, language);
        QFETCH(bool, portOpen);
        QFETCH(bool, removeDirectory);
        QFETCH(QString, saved);
        QFETCH(QString, loaded);
        if (!language.isEmpty()) {
            rig.stop();
            QVERIFY2(rig.start(language), qPrintable(rig.error));
        }
        const QString where = pathIn(QStringLiteral("sub"));
        QVERIFY(QDir().mkpath(where));
        const QString path = where + QStringLiteral("/plane.dat");
        if (portOpen)
            QVERIFY(openPort());
        const QLabel *label = w->findChild<QLabel *>(QStringLiteral("statusLabel"));
        QStringList shown;
        QTimer look;
        connect(&look, &QTimer::timeout, [&] { shown << label->text(); });
        look.start(10);
        const QObject scope;
        if (removeDirectory)
            onArrival(*tx, QStringLiteral("S"), &scope, [&] { QDir(where).removeRecursively(); });
        const int first = tx->messages().size();
        ModalWatcher watcher;
        watcher.setFileDialogAnswer(path);
        clickLater(*w, QStringLiteral("toolButton_Save"));
        QTRY_VERIFY_WITH_TIMEOUT(watcher.fileDialogs().size() == 1 && !w->transferRunning(), kCommandTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(label->toolTip().contains(saved), 5000);
        QCOMPARE(tx->kinds().mid(first), portOpen ? kFrameKinds : QStringList());
        QCOMPARE(errorBoxes(watcher).size(), removeDirectory ? 1 : 0);
        if (!portOpen)
            QCOMPARE(shown.filter(QStringLiteral("/4")), QStringList()); // no send progress
        if (loaded.isEmpty())
            return;
        QCOMPARE(readAll(path).size(), 324);
        watcher.clear();
        load(path, watcher);
        QTRY_VERIFY_WITH_TIMEOUT(label->toolTip().contains(loaded), 5000);
        if (portOpen)
            QVERIFY(tx->waitForMessage(QStringLiteral("WWW"), 5000));
        QCOMPARE(tx->kinds().mid(first), portOpen ? kFrameKinds + kFrameKinds + QStringList{"WWW"} : QStringList());
    }

    void loadTakesTheFramesFoundInPlace_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("decoded"); // frame letters taken from the file

        const QVector<QByteArray> f = framesOf(fileSet());
        const QByteArray all = joined(f);
        QByteArray damagedS = all.left(162);
        damagedS[80] = 'y';
        QByteArray damagedI = all;
        damagedI[323] = 'X';
        QByteArray damagedG = all;
        damagedG[81] = 'S';

        QTest::newRow("whole file") << all << "SGHI";
        QTest::newRow("text beyond the I frame") << all + "trailing text" << "SGHI";
        QTest::newRow("162: S and G") << all.left(162) << "SG";
        QTest::newRow("243: S, G and H") << all.left(243) << "SGH";
        QTest::newRow("323: no I") << all.left(323) << "SGH";
        QTest::newRow("S damaged, G intact") << damagedS << "G";
        QTest::newRow("G letter wrong") << damagedG << "SHI";
        QTest::newRow("I terminator wrong") << damagedI << "SGH";
        QTest::newRow("line end after each frame") << joined(f, "\n") << "S";
        QTest::newRow("CRLF after each frame") << joined(f, "\r\n") << "S";
    }
    void loadTakesTheFramesFoundInPlace()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, decoded);
        QVERIFY(openPort());
        knowTransmitter();
        const QString path = pathIn(QStringLiteral("part.txt"));
        QVERIFY(writeFile(path, content));
        const QVector<QByteArray> fromFile = framesOf(fileSet());
        // What the transmitter holds, as read: it fills what the file lacks.
        const QVector<QByteArray> startUp = framesOf(w->params());
        const ParameterSet start = w->params();
        const ParameterSet file = fileSet();

        ModalWatcher watcher;
        const int first = tx->messages().size();
        loadAndSend(path, watcher);

        QCOMPARE(errorBoxes(watcher).size(), 0);
        QCOMPARE(tx->kinds().mid(first), (kFrameKinds + QStringList{"WWW"}));
        const QVector<QByteArray> sent = framesSentAfter(*tx, first);
        for (int k = 0; k < 4; ++k) {
            const bool taken = decoded.contains(kFrameKinds.at(k));
            QCOMPARE(sent.at(k), taken ? fromFile.at(k) : startUp.at(k));
            for (const QString &name : kMarkers.at(k))
                QCOMPARE(member(w->params(), name), member(taken ? file : start, name));
        }
        QCOMPARE(w->loadedFileText(), QString::fromLatin1(content));
        QCOMPARE(w->params().TrimHold, 0);
    }

    void loadRejectsFilesWithoutAFrame_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray all = joined(framesOf(fileSet()));
        QByteArray noise(324, '\0');
        QRandomGenerator random(20240611);
        for (char &c : noise)
            c = char(random.bounded(256));

        QTest::newRow("S frame alone, 81") << all.left(81);
        QTest::newRow("S and most of G, 161") << all.left(161);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("random bytes") << noise;
        QTest::newRow("markers shifted by one") << " " + all;
        // Letters and tails in place, but "Q" in every field.
        QTest::newRow("no digits") << fieldsReplaced(all, 'Q');
    }
    void loadRejectsFilesWithoutAFrame()
    {
        QFETCH(QByteArray, content);
        QVERIFY(openPort());
        const QString path = pathIn(QStringLiteral("junk.dat"));
        QVERIFY(writeFile(path, content));
        w->params().Sub2 = 33; // something that is not a start value
        const ParameterSet before = w->params();
        const QString frameS = w->frames().FrameS;

        ModalWatcher watcher;
        load(path, watcher);
        QTRY_COMPARE_WITH_TIMEOUT(errorBoxes(watcher).size(), 1, 5000);
        QCOMPARE(errorBoxes(watcher).at(0).title, QStringLiteral("错误"));
        QCOMPARE(errorBoxes(watcher).at(0).text, QStringLiteral("不能读取指定的文件!"));
        QTest::qWait(500);
        QCOMPARE(tx->allBytes(), QByteArray("OK"));
        QCOMPARE(differingMembers(w->params(), before), QStringList());
        QCOMPARE(w->frames().FrameS, frameS);
        QCOMPARE(w->params().TrimHold, 0);
        QVERIFY(!w->transferRunning());
        QVERIFY(!QApplication::overrideCursor());
    }

    // Values outside their ranges are repaired before any frame is built.
    void loadRepairsOutOfRangeValuesBeforeSending_data()
    {
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("position");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("repaired");
        QTest::addColumn<QByteArray>("sentField");

        QTest::newRow("sub-trim not hex") << 0 << 9 << QByteArray("ZZ") << "Sub1" << 0 << QByteArray("78");
        QTest::newRow("end point 200") << 0 << 25 << QByteArray("D8") << "Lepa1" << 96 << QByteArray("70");
        QTest::newRow("fail-safe 239") << 0 << 61 << QByteArray("FF") << "FS3" << 0 << QByteArray("10");
        QTest::newRow("delay 239") << 1 << 37 << QByteArray("FF") << "Delay1" << 100 << QByteArray("74");
        QTest::newRow("throttle point -16") << 2 << 37 << QByteArray("00") << "ThCure1" << 0 << QByteArray("10");
    }
    void loadRepairsOutOfRangeValuesBeforeSending()
    {
        QFETCH(int, frame);
        QFETCH(int, position);
        QFETCH(QByteArray, field);
        QFETCH(QString, name);
        QFETCH(int, repaired);
        QFETCH(QByteArray, sentField);
        QVERIFY(openPort());
        knowTransmitter();

        QVector<QByteArray> f = framesOf(fileSet());
        f[frame].replace(position, field.size(), field);
        const QString path = pathIn(QStringLiteral("bad.txt"));
        QVERIFY(writeFile(path, joined(f)));

        ModalWatcher watcher;
        const int first = tx->messages().size();
        load(path, watcher);

        QCOMPARE(errorBoxes(watcher).size(), 0);
        const QVector<QByteArray> sent = framesSentAfter(*tx, first);
        QCOMPARE(sent.size(), 4);
        QCOMPARE(sent.at(frame).mid(position, sentField.size()), sentField);
        QCOMPARE(member(w->params(), name), repaired);
        // The rest of the file is taken as it is.
        if (name != QLatin1String("Sub1"))
            QCOMPARE(w->params().Sub1, 20);
        QCOMPARE(w->params().Trim4, 60);
    }

    void aHugeFileIsReadOnlyAsFarAsItMatters()
    {
        QVERIFY(openPort());
        const QVector<QByteArray> f = framesOf(fileSet());
        const QString path = pathIn(QStringLiteral("huge.txt"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(joined(f)), qint64(324));
            QVERIFY(file.resize(50LL * 1024 * 1024));
        }
        ModalWatcher watcher;
        const int first = tx->messages().size();
        load(path, watcher);

        QCOMPARE(errorBoxes(watcher).size(), 0);
        QVERIFY2(w->loadedFileText().size() <= 4096, qPrintable(QString::number(w->loadedFileText().size())));
        QVERIFY(w->loadedFileText().startsWith(QString::fromLatin1(joined(f))));
        QCOMPARE(framesSentAfter(*tx, first), f);
        QCOMPARE(w->params().Trim1, 30);
    }

    void cancelledLoadSendsNothing()
    {
        realPacing();
        QVERIFY(openPort());
        w->params().Atti2 = 45;
        ModalWatcher watcher;
        int holdDuringDialog = -1;
        QTimer::singleShot(100, [&] { holdDuringDialog = w->params().TrimHold; });
        load(QString(), watcher);
        QTest::qWait(500);

        QCOMPARE(holdDuringDialog, 1);
        QCOMPARE(w->params().TrimHold, 0);
        QCOMPARE(watcher.fileDialogs().at(0).answer, QString());
        QCOMPARE(watcher.messageBoxes().size(), 0);
        QCOMPARE(tx->allBytes(), QByteArray("OK"));
        QCOMPARE(w->params().Atti2, 45);
        QVERIFY(w->form()->toolButton_Load->isEnabled());
    }

    void liveTrimsDoNotOverwriteTheFileDuringALoad()
    {
        // Frame pauses long enough for a good many live packets to arrive.
        Protocol::Pacing pacing = quickPacing();
        pacing.framePauseMs = 300;
        w->setPacing(pacing);
        QVERIFY(openPort());
        LiveFeed feed;
        feed.trim1 = 100;
        feed.trim2 = 150;
        feed.trim3 = 170;
        feed.trim4 = 190;
        tx->startLiveStream(20, feed);
        tx->setConfiguration(ParameterSet());
        tx->answerReads(true); // read first, for the backup
        QTRY_COMPARE_WITH_TIMEOUT(w->params().Trim4, 190, 5000);

        const QVector<QByteArray> f = framesOf(fileSet());
        const QString path = pathIn(QStringLiteral("trims.txt"));
        QVERIFY(writeFile(path, joined(f)));
        ModalWatcher watcher;
        watcher.setFileDialogAnswer(path);
        const int first = tx->messages().size();
        const int packetsBefore = tx->livePacketsSent();
        clickLater(*w, QStringLiteral("toolButton_Load"));
        int holdDuring = -1;
        QVector<int> trimsDuring;
        const QObject scope;
        onArrival(*tx, QStringLiteral("H"), &scope, [&] {
            holdDuring = w->params().TrimHold;
            trimsDuring = {w->params().Trim1, w->params().Trim2, w->params().Trim3, w->params().Trim4};
        });
        QVERIFY(tx->waitForMessage(QStringLiteral("I"), kCommandTimeoutMs));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), kCommandTimeoutMs);
        QVERIFY(tx->livePacketsSent() - packetsBefore > 20);

        QCOMPARE(holdDuring, 1);
        QCOMPARE(trimsDuring, (QVector<int>{30, 40, 50, 60}));
        const QVector<QByteArray> sent = framesSentAfter(*tx, first);
        QCOMPARE(sent.size(), 4);
        QCOMPARE(sent.at(3), f.at(3));
        QCOMPARE(sent.at(0), f.at(0));
        // Once the load is over, the live trims are taken again.
        QCOMPARE(w->params().TrimHold, 0);
        QTRY_COMPARE_WITH_TIMEOUT(w->params().Trim4, 190, 5000);
        tx->stopLiveStream();
    }

    void aTransferBlocksEveryOtherCommand_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("save") << "toolButton_Save" << kFrameKinds;
        QTest::newRow("load") << "toolButton_Load" << (kFrameKinds + QStringList{"WWW"});
    }
    void aTransferBlocksEveryOtherCommand()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, expected);
        QVERIFY(openPort());
        const QString path = pathIn(QStringLiteral("busy.txt"));
        QVERIFY(writeFile(path, joined(framesOf(fileSet()))));
        ModalWatcher watcher;
        watcher.setFileDialogAnswer(path);
        const int first = tx->messages().size();
        clickLater(*w, button);

        bool running = false;
        bool busyCursor = false;
        QStringList enabledDuring;
        // Once the G frame is out.
        const QObject scope;
        onArrival(*tx, QStringLiteral("G"), &scope, [&] {
            running = w->transferRunning();
            busyCursor = QApplication::overrideCursor() != nullptr;
            for (const QString &name : kTransferButtons) {
                if (w->form()->find<QAbstractButton>(name)->isEnabled())
                    enabledDuring << name;
            }
            invokeSlot(*w, "on_toolButton_Send_clicked");
            invokeSlot(*w, "on_toolButton_Save_clicked");
            invokeSlot(*w, "on_toolButton_Load_clicked");
        });
        QVERIFY(tx->waitForMessage(QStringLiteral("I"), kCommandTimeoutMs));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), kCommandTimeoutMs);
        QTest::qWait(500);

        QVERIFY(running);
        QVERIFY(busyCursor);
        QCOMPARE(enabledDuring, QStringList());
        QCOMPARE(tx->kinds().mid(first), expected);
        QCOMPARE(watcher.fileDialogs().size(), 1);
        QVERIFY(!QApplication::overrideCursor());
        for (const QString &name : kTransferButtons)
            QVERIFY2(w->form()->find<QAbstractButton>(name)->isEnabled(), qPrintable(name));
    }

    // Choosing a file is not waiting: the busy cursor of the transfer is
    // lifted while a dialog is open and comes back for the sending.
    void theCursorIsNormalWhileAFileIsChosen_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("save") << "toolButton_Save" << false;
        QTest::newRow("save cancelled") << "toolButton_Save" << true;
        QTest::newRow("load") << "toolButton_Load" << false;
        QTest::newRow("load cancelled") << "toolButton_Load" << true;
    }
    void theCursorIsNormalWhileAFileIsChosen()
    {
        QFETCH(QString, button);
        QFETCH(bool, cancel);
        // The real debounce, in which "before" looks in; short frame pauses.
        Protocol::Pacing pacing = quickPacing();
        pacing.debounceMs = Protocol::Pacing().debounceMs;
        w->setPacing(pacing);
        QVERIFY(openPort());
        const QString path = pathIn(QStringLiteral("cursor.txt"));
        QVERIFY(writeFile(path, joined(framesOf(fileSet()))));
        ModalWatcher watcher;
        watcher.setFileDialogAnswer(cancel ? QString() : path);
        // Timers owned here, so none fires after the test has returned.
        bool busyBeforeDialog = false;
        bool busyAfterDialog = false;
        QTimer before;
        QTimer after;
        before.setSingleShot(true);
        after.setSingleShot(true);
        connect(&before, &QTimer::timeout, [&] { busyBeforeDialog = QApplication::overrideCursor() != nullptr; });
        connect(&after, &QTimer::timeout, [&] { busyAfterDialog = QApplication::overrideCursor() != nullptr; });
        before.start(100);
        // After the dialog: while the first frame goes out, or, when nothing
        // is sent, once the command is long over.
        if (cancel)
            after.start(1500);
        const QObject scope;
        onArrival(*tx, QStringLiteral("S"), &scope, [&] { busyAfterDialog = QApplication::overrideCursor() != nullptr; });
        clickLater(*w, button);
        QTRY_COMPARE_WITH_TIMEOUT(watcher.fileDialogs().size(), 1, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning() && !after.isActive(), kCommandTimeoutMs);
        QTest::qWait(200);

        QVERIFY(busyBeforeDialog);
        QVERIFY(!watcher.fileDialogs().at(0).overrideCursor);
        QCOMPARE(busyAfterDialog, !cancel);
        QVERIFY(!QApplication::overrideCursor());
    }

    void saveIntoAnUnwritableDirectoryKeepsTheOldFile()
    {
        QVERIFY(openPort());
        QString where;
        if (isRoot()) {
            // Permissions do not stop root; a read-only file system does.
            where = mountTmpfs(QStringLiteral("ro"));
            if (where.isEmpty())
                QSKIP("cannot mount a tmpfs here");
            QVERIFY(writeFile(where + "/old.txt", "the old configuration"));
            QVERIFY(run(QStringLiteral("mount"), {"-o", "remount,ro", where}));
        } else {
            where = pathIn(QStringLiteral("locked"));
            QVERIFY(QDir().mkpath(where));
            QVERIFY(writeFile(where + "/old.txt", "the old configuration"));
            // A file that may be written is written in place even here; this
            // one may not.
            QVERIFY(QFile::setPermissions(where + "/old.txt", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            lockedDirectory = where;
            QVERIFY(QFile::setPermissions(where, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                     | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        }

        const QString before = w->frames().FrameS;
        for (const QString &name : {QStringLiteral("old.txt"), QStringLiteral("new.txt")}) {
            ModalWatcher watcher;
            watcher.setFileDialogAnswer(where + "/" + name);
            clickLater(*w, QStringLiteral("toolButton_Save"));
            QTRY_COMPARE_WITH_TIMEOUT(errorBoxes(watcher).size(), 1, 5000);
            QCOMPARE(errorBoxes(watcher).at(0).title, QStringLiteral("错误"));
            QCOMPARE(errorBoxes(watcher).at(0).text, QStringLiteral("不能读取指定的文件!"));
            QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);
        }
        QTest::qWait(300);
        QCOMPARE(tx->allBytes(), QByteArray("OK"));
        QCOMPARE(w->frames().FrameS, before);
        QCOMPARE(readAll(where + "/old.txt"), QByteArray("the old configuration"));
        QCOMPARE(QDir(where).entryList(QDir::Files | QDir::Hidden), QStringList{"old.txt"});
    }

    void saveOnAFullDiskKeepsTheOldFile()
    {
        if (!isRoot())
            QSKIP("mounting a small file system needs root");
        const QString where = mountTmpfs(QStringLiteral("full"));
        if (where.isEmpty())
            QSKIP("cannot mount a tmpfs here");
        const QByteArray old = joined(framesOf(fileSet()));
        QVERIFY(writeFile(where + "/old.txt", old));
        {
            QFile filler(where + "/filler");
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size()) {
            }
        }
        QVERIFY(openPort());

        ModalWatcher watcher;
        watcher.setFileDialogAnswer(where + "/old.txt");
        clickLater(*w, QStringLiteral("toolButton_Save"));
        QTRY_COMPARE_WITH_TIMEOUT(errorBoxes(watcher).size(), 1, kCommandTimeoutMs);
        QCOMPARE(errorBoxes(watcher).at(0).title, QStringLiteral("错误"));
        QCOMPARE(errorBoxes(watcher).at(0).text, QStringLiteral("不能读取指定的文件!"));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);
        QCOMPARE(readAll(where + "/old.txt"), old);
        // No half-written temporary file is left behind.
        QCOMPARE(QDir(where).entryList(QDir::Files | QDir::Hidden), (QStringList{"filler", "old.txt"}));
    }

    // No answer to the open dialog may block or read for ever: a FIFO
    // without a writer and an endless device are refused before they are
    // opened, with the usual error box, and nothing is sent.
    void loadOfWhatIsNotARegularFileShowsTheErrorBox_data()
    {
        QTest::addColumn<QString>("path");
#ifdef Q_OS_UNIX
        QTest::newRow("FIFO") << QStringLiteral("fifo");
#endif
        // (A directory cannot be chosen in the dialog: it opens it.)
        if (QFileInfo::exists(QStringLiteral("/dev/zero")))
            QTest::newRow("/dev/zero") << QStringLiteral("/dev/zero");
    }
    void loadOfWhatIsNotARegularFileShowsTheErrorBox()
    {
        QFETCH(QString, path);
#ifdef Q_OS_UNIX
        if (path == QLatin1String("fifo")) {
            path = pathIn(path);
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }
#endif
        QVERIFY(openPort());
        w->params().Atti2 = 45;
        ModalWatcher watcher;
        load(path, watcher);
        QTRY_COMPARE_WITH_TIMEOUT(errorBoxes(watcher).size(), 1, 5000);
        QCOMPARE(errorBoxes(watcher).at(0).title, QStringLiteral("错误"));
        QCOMPARE(errorBoxes(watcher).at(0).text, QStringLiteral("不能读取指定的文件!"));
        QTest::qWait(300);
        QCOMPARE(tx->allBytes(), QByteArray("OK"));
        QCOMPARE(w->params().TrimHold, 0);
        QCOMPARE(w->params().Atti2, 45);
        QVERIFY(w->form()->toolButton_Load->isEnabled());
    }

    // Saving onto a device is refused before anything is sent; as root it
    // would otherwise replace /dev/full by a regular file.
    void saveOntoADeviceShowsTheErrorBox()
    {
        const QString device = QStringLiteral("/dev/full");
        if (!QFileInfo::exists(device))
            QSKIP("no /dev/full here");
        QVERIFY(openPort());
        ModalWatcher watcher;
        watcher.setFileDialogAnswer(device);
        clickLater(*w, QStringLiteral("toolButton_Save"));
        QTRY_COMPARE_WITH_TIMEOUT(errorBoxes(watcher).size(), 1, 5000);
        QCOMPARE(errorBoxes(watcher).at(0).text, QStringLiteral("不能读取指定的文件!"));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);
        QTest::qWait(300);
        QCOMPARE(tx->allBytes(), QByteArray("OK"));
        const QFileInfo after(device);
        QVERIFY(after.exists() && !after.isFile());
    }

    void textsFollowTheLanguageFlag_data()
    {
        QTest::addColumn<int>("chinese");
        QTest::addColumn<QString>("saveTitle");
        QTest::addColumn<QStringList>("saveFilters");
        QTest::addColumn<QString>("openTitle");
        QTest::addColumn<QStringList>("openFilters");
        QTest::addColumn<QString>("errorTitle");
        QTest::addColumn<QString>("errorText");
        QTest::newRow("Chinese") << 1 << "保存数据" << QStringList{"文本文件 (*.txt *.dat)", "所有文件 (*.*)"}
                                 << "打开文件" << QStringList{"所有文件 (*.*)", "文本文件 (*.txt *.dat)"} << "错误"
                                 << "不能读取指定的文件!";
        QTest::newRow("English") << 0 << "SAVE" << QStringList{"file (*.txt *.dat)", "allfile (*.*)"}
                                 << "Open file" << QStringList{"All file (*.*)", "file (*.txt *.dat)"} << "ERROR"
                                 << "Cannot read the specified file!";
    }
    void textsFollowTheLanguageFlag()
    {
        QFETCH(int, chinese);
        QFETCH(QString, saveTitle);
        QFETCH(QStringList, saveFilters);
        QFETCH(QString, openTitle);
        QFETCH(QStringList, openFilters);
        QFETCH(QString, errorTitle);
        QFETCH(QString, errorText);
        installLanguage(chinese ? QStringLiteral("zh") : QStringLiteral("en"));

        // A cancelled save does nothing at all.
        ModalWatcher watcher;
        clickLater(*w, QStringLiteral("toolButton_Save"));
        QTRY_VERIFY_WITH_TIMEOUT(watcher.fileDialogs().size() == 1 && !w->transferRunning(), 5000);
        QCOMPARE(watcher.fileDialogs().at(0).title, saveTitle);
        QCOMPARE(watcher.fileDialogs().at(0).nameFilters, saveFilters);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList());

        const QString path = pathIn(QStringLiteral("notes.txt"));
        QVERIFY(writeFile(path, "not a parameter file"));
        watcher.clear();
        load(path, watcher);
        QTRY_COMPARE_WITH_TIMEOUT(errorBoxes(watcher).size(), 1, 5000);
        QCOMPARE(watcher.fileDialogs().at(0).title, openTitle);
        QCOMPARE(watcher.fileDialogs().at(0).nameFilters, openFilters);
        QCOMPARE(errorBoxes(watcher).at(0).title, errorTitle);
        QCOMPARE(errorBoxes(watcher).at(0).text, errorText);
        QCOMPARE(tx->allBytes(), QByteArray());
    }
};

int main(int argc, char *argv[])
{
    // Qt's own dialogs, so that the watcher finds widgets to answer.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    TestFileCommands test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_filecommands.moc"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include "files/parameterfile.h"
#include "files/setupsheet.h"
#include "link/framecodec.h"
#include "model/defaults.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "model/translations.h"
#include "support/factoryframes.h"
#include "support/sheetrows.h"

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr FrameKind kKinds[] = {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I};

// A configuration that differs from the start and factory values in every
// frame, with every value inside its encoding's range.
ParameterSet editedSet()
{
    ParameterSet p;
    restoreFactoryFirst(p);
    restoreFactorySecond(p);
    p.Rev5 = 1;
    p.Sub1 = 20;
    p.Sub7 = -100;
    p.Lepa2 = 120;
    p.FS8 = 7;
    p.Aux6 = 5;
    p.TxVolt = 7.4;
    p.Mode = 3;
    p.AttiM = 1;
    p.Elev2 = -30;
    p.Ru4 = -99;
    p.Delay6 = 0;
    p.DrMix = 1;
    p.DrCh = 2;
    p.DrUpShown = 61;
    p.DrDownShown = 62;
    p.Prm2Data3 = -100;
    p.Prm1Slave = 7;
    p.DrRateUp[2] = 61;
    p.DrRateDown[2] = 62;
    p.Prm4Data2 = 100;
    p.ThCureExtra = 3;
    p.ThCure4 = 77;
    p.DrPosi = 1;
    p.DrExpDown[2] = -55;
    p.ExtVolt = 4.5;
    p.RssiAlarm = -40;
    p.DrSw = 2;
    p.RxVolt = 6.1;
    p.Trim3 = 7;
    p.Trim1 = 238;
    return p;
}

// Members whose values differ; doubles compare bitwise-equal or both NaN.
QStringList differingMembers(const ParameterSet &a, const ParameterSet &b)
{
    QStringList out;
    for (const Setting *param : intSettings()) {
        if (param->member.of(a) != param->member.of(b))
            out << param->key;
    }
    for (const Setting *v : voltSettings()) {
        const double x = a.*v->volts;
        const double y = b.*v->volts;
        if (!(x == y || (std::isnan(x) && std::isnan(y))))
            out << v->key;
    }
    for (int ch = 0; ch < 8; ++ch) {
        if (channelOutput(ch).of(a) != channelOutput(ch).of(b))
            out << QStringLiteral("ChOut%1").arg(ch + 1);
    }
    if (a.TrimHold != b.TrimHold)
        out << QStringLiteral("flags");
    return out;
}

ParameterSet markedSet()
{
    ParameterSet p;
    for (const Setting *param : intSettings())
        param->member.of(p) = 7777;
    return p;
}

QStringList g_debugLines;

void captureDebug(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (type == QtDebugMsg)
        g_debugLines << msg;
}

FileDecodeResult decodeCapturing(const QString &text, ParameterSet &p, QStringList *lines)
{
    g_debugLines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureDebug);
    const FileDecodeResult result = decodeParameterFile(text, p);
    qInstallMessageHandler(previous);
    *lines = g_debugLines;
    return result;
}

#ifdef Q_OS_LINUX
// A small tmpfs for the duration of a test; unmounted however the test ends.
class TmpfsMount
{
public:
    TmpfsMount(const QString &dir, const QString &options) : m_dir(dir)
    {
        if (geteuid() != 0)
            return;
        m_mounted = QProcess::execute(QStringLiteral("mount"),
                                      {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                       options, QStringLiteral("tmpfs"), dir})
                == 0;
    }
    ~TmpfsMount()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_dir});
    }
    bool isMounted() const { return m_mounted; }
    bool remountReadOnly()
    {
        return QProcess::execute(QStringLiteral("mount"),
                                 {QStringLiteral("-o"), QStringLiteral("remount,ro"), m_dir})
                == 0;
    }

private:
    QString m_dir;
    bool m_mounted = false;
};
#endif

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

class TestParameterFile : public QObject
{
    Q_OBJECT

private slots:
    void savedBytes();
    void saveThenDecode();
    void thresholdsAndMarkers_data();
    void thresholdsAndMarkers();
    void nonHexField();
    void loadSaveLoad_data();
    void loadSaveLoad();
    void randomBytesChangeNothing();
    void hugeFileReadBounded();
    void oddBytesDecodeAsBefore_data();
    void oddBytesDecodeAsBefore();
    void writeReplacesFile();
    void writeIntoMissingDirectoryFails();
    void writeIntoReadOnlyDirectoryKeepsOldFile();
    void writeOnFullDiskKeepsOldFile();
    void whatIsNotARegularFileIsRefused_data();
    void whatIsNotARegularFileIsRefused();
    void writeOverAWritableFileInAReadOnlyDirectory();
    void setupSheetHoldsEverySetting_data();
    void setupSheetHoldsEverySetting();
};

void TestParameterFile::savedBytes()
{
    const QByteArray bytes = parameterFileBytes(ParameterSet());
    QCOMPARE(bytes.size(), kParameterFileLength);
    const QVector<QPair<int, char>> markers = {{0, 'S'},   {80, 'Y'},  {81, 'G'},  {161, 'Z'},
                                               {162, 'H'}, {242, 'X'}, {243, 'I'}, {323, 'V'}};
    for (const auto &m : markers)
        QCOMPARE(bytes.at(m.first), m.second);
    QVERIFY(!bytes.contains('\n'));
    QVERIFY(!bytes.contains('\r'));
    QCOMPARE(bytes.mid(77, 3), QByteArray("7E1")); // start-up voltage and stick mode
}

void TestParameterFile::saveThenDecode()
{
    const ParameterSet original = editedSet();
    ParameterSet saved = original;
    ParameterFrames f;
    for (FrameKind kind : kKinds)
        rebuildFrame(kind, saved, f);
    const QByteArray bytes = parameterFileBytes(f);

    ParameterSet loaded;
    const FileDecodeResult result = decodeParameterFile(QString::fromLatin1(bytes), loaded);
    QVERIFY(result.s && result.g && result.h && result.i);
    QCOMPARE(result.length, kParameterFileLength);

    // Every transmitted member comes back; DrRateShown and DrExpShown are not
    // in any frame and Vertion is never saved.
    QStringList differ = differingMembers(saved, loaded);
    differ.removeAll(QStringLiteral("DrRateShown"));
    differ.removeAll(QStringLiteral("DrExpShown"));
    QCOMPARE(differ, QStringList());

    ParameterFrames again;
    for (FrameKind kind : kKinds)
        QCOMPARE(rebuildFrame(kind, loaded, again), frameString(f, kind).toLatin1());
    QCOMPARE(loaded.ExtVolt, 4.5);
    QCOMPARE(loaded.RxVolt, 6.1);
    QCOMPARE(loaded.TxVolt, 7.4);
}

void TestParameterFile::thresholdsAndMarkers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("recognised"); // letters of the frames decoded

    const QString file = QString::fromLatin1(parameterFileBytes(editedSet()));
    const QString sFrame = file.left(81);
    QTest::newRow("whole file") << file << "SGHI";
    QTest::newRow("trailing text ignored") << file + QStringLiteral("garbage\n") << "SGHI";
    QTest::newRow("S frame alone") << sFrame << "";
    QTest::newRow("S frame padded to 161") << sFrame + QString(80, QLatin1Char('0')) << "";
    QTest::newRow("161 characters") << file.left(161) << "";
    QTest::newRow("162 characters") << file.left(162) << "SG";
    QTest::newRow("242 characters") << file.left(242) << "SG";
    QTest::newRow("243 characters") << file.left(243) << "SGH";
    QTest::newRow("323 characters") << file.left(323) << "SGH";

    QString damagedS = file;
    damagedS[80] = QLatin1Char('X');
    QTest::newRow("S damaged at 80") << damagedS << "GHI";
    QString damagedG = file;
    damagedG[81] = QLatin1Char('S');
    QTest::newRow("G letter damaged") << damagedG << "SHI";
    QString damagedI = file;
    damagedI[323] = QLatin1Char('0');
    QTest::newRow("I terminator damaged") << damagedI << "SGH";

    QString lineEnds;
    for (int k = 0; k < 4; ++k)
        lineEnds += file.mid(81 * k, 81) + QLatin1Char('\n');
    QTest::newRow("line end after each frame") << lineEnds << "S";
    QString crlf;
    for (int k = 0; k < 4; ++k)
        crlf += file.mid(81 * k, 81) + QStringLiteral("\r\n");
    QTest::newRow("CR LF after each frame") << crlf << "S";
    QTest::newRow("empty") << QString() << "";

    // Every field must be written in its encoding, else the frame is no frame.
    const struct
    {
        const char *name;
        int offset;
        const char *field;
        const char *recognised;
    } fields[] = {
        {"sub-trim ZZ", 9, "ZZ", "GHI"},
        {"sub-trim in lower case", 9, "8c", "SGHI"},
        {"hex letter in a digit field", 81 + 1, "A", "SHI"},
        {"hex letter in the voltage digits", 162 + 68, "1A0", "SGI"},
        {"signed trim", 243 + 1, "-7", "SGH"},
        {"blank in a field", 243 + 7, " 8", "SGH"},
        {"plus sign in a digit field", 81 + 14, "+", "SHI"},
    };
    for (const auto &f : fields) {
        QString damaged = file;
        damaged.replace(f.offset, int(qstrlen(f.field)), QLatin1String(f.field));
        QTest::newRow(f.name) << damaged << f.recognised;
    }
    QTest::newRow("Q in every field") << QString::fromLatin1(fieldsReplaced(file.toLatin1(), 'Q')) << "";
}

void TestParameterFile::thresholdsAndMarkers()
{
    QFETCH(QString, text);
    QFETCH(QString, recognised);

    const ParameterSet edited = editedSet();
    const ParameterSet before = markedSet();
    ParameterSet p = before;
    QStringList lines;
    const FileDecodeResult result = decodeCapturing(text, p, &lines);

    QCOMPARE(result.length, text.size());
    QCOMPARE(result.s, recognised.contains(QLatin1Char('S')));
    QCOMPARE(result.g, recognised.contains(QLatin1Char('G')));
    QCOMPARE(result.h, recognised.contains(QLatin1Char('H')));
    QCOMPARE(result.i, recognised.contains(QLatin1Char('I')));
    QCOMPARE(result.any(), !recognised.isEmpty());

    QStringList expectedLines{QStringLiteral("Blength00:%1").arg(text.size())};
    if (result.s)
        expectedLines << QStringLiteral("Blength01:%1").arg(text.size());
    if (result.g)
        expectedLines << QStringLiteral("Blength02:%1").arg(text.size());
    if (result.h)
        expectedLines << QStringLiteral("Blength03:%1").arg(text.size());
    QCOMPARE(lines, expectedLines);

    // One representative member per frame: decoded or left alone.
    QCOMPARE(p.Sub1, result.s ? edited.Sub1 : 7777);
    QCOMPARE(p.Elev2, result.g ? edited.Elev2 : 7777);
    QCOMPARE(p.DrExpDown[2], result.h ? edited.DrExpDown[2] : 7777);
    QCOMPARE(p.Trim1, result.i ? edited.Trim1 : 7777);
    if (!result.any())
        QCOMPARE(differingMembers(p, before), QStringList());
}

// The codec reads a field that is not in its encoding as 0 (hex letters
// in digit fields as their value), but a file with such a frame does not
// bring it: only the intact I frame counts.
void TestParameterFile::nonHexField()
{
    QString text = QString::fromLatin1(parameterFileBytes(editedSet()));
    text.replace(9, 2, QStringLiteral("ZZ"));   // Sub1
    text.replace(81 + 1, 1, QStringLiteral("Q")); // AttiM, a digit field
    text.replace(162 + 68, 3, QStringLiteral("1A0")); // ExtVoltTenths digits read base 16
    ParameterSet p;
    for (FrameKind kind : {FrameKind::S, FrameKind::G, FrameKind::H})
        decodeFrameFields(kind, text, kFrameLength * int(kind), p);
    QCOMPARE(p.Sub1, -120);
    QCOMPARE(p.AttiM, 0);
    QCOMPARE(p.ExtVoltTenths, 200);
    QCOMPARE(p.ExtVolt, 20.0);

    const ParameterSet before = markedSet();
    ParameterSet fromFile = before;
    const FileDecodeResult result = decodeParameterFile(text, fromFile);
    QVERIFY(!result.s && !result.g && !result.h && result.i);
    QCOMPARE(fromFile.Sub1, 7777);
    QCOMPARE(fromFile.AttiM, 7777);
    QCOMPARE(fromFile.ExtVoltTenths, 7777);
    QCOMPARE(fromFile.Trim1, 238);
}

// Found by fuzzing: values the sanitizer accepts but the frames cannot
// carry. A file could bring them while a frame with a field out of its
// encoding was taken; now such a frame is refused and its members keep their
// values (kKept), so saving and loading again gives back what the tool holds.
constexpr int kKept = -1000;

void TestParameterFile::loadSaveLoad_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<int>("held");
    QTest::addColumn<QStringList>("differing");

    QTest::newRow("mix channel A") << 81 + 73 << "A" << QByteArray("Prm1Slave") << kKept << kKept << QStringList();
    QTest::newRow("mix channel 9") << 81 + 73 << "9" << QByteArray("Prm1Slave") << 9 << 9 << QStringList();
    QTest::newRow("mix channel B") << 162 + 19 << "B" << QByteArray("Prm3Slave") << kKept << kKept << QStringList();
    QTest::newRow("ExtVolt A00") << 162 + 68 << "A00" << QByteArray("ExtVoltTenths") << kKept << kKept << QStringList();
    QTest::newRow("ExtVolt 99F") << 162 + 68 << "99F" << QByteArray("ExtVoltTenths") << kKept << kKept << QStringList();
    QTest::newRow("ExtVolt 999") << 162 + 68 << "999" << QByteArray("ExtVoltTenths") << 999 << 999 << QStringList();
    QTest::newRow("signed trim") << 243 + 1 << "-7" << QByteArray("Trim4") << kKept << kKept << QStringList();
}

void TestParameterFile::loadSaveLoad()
{
    QFETCH(int, offset);
    QFETCH(QString, text);
    QFETCH(QByteArray, name);
    QFETCH(int, loaded);
    QFETCH(int, held);
    QFETCH(QStringList, differing);

    QString file = QString::fromLatin1(parameterFileBytes(editedSet()));
    file.replace(offset, text.size(), text);
    ParameterSet p;
    const int start = findSettingRow(QString::fromLatin1(name))->member.of(p);
    loaded = loaded == kKept ? start : loaded;
    held = held == kKept ? start : held;
    QVERIFY(decodeParameterFile(file, p).any());
    QCOMPARE(findSettingRow(QString::fromLatin1(name))->member.of(p), loaded);
    sanitizeParameters(p);

    ParameterFrames saved;
    for (FrameKind kind : kKinds)
        QCOMPARE(rebuildFrame(kind, p, saved).size(), kFrameLength);
    QCOMPARE(findSettingRow(QString::fromLatin1(name))->member.of(p), held);

    ParameterSet again;
    const FileDecodeResult result = decodeParameterFile(QString::fromLatin1(parameterFileBytes(saved)), again);
    QVERIFY(result.s && result.g && result.h && result.i);
    sanitizeParameters(again);
    QCOMPARE(differingMembers(p, again), differing);
}

void TestParameterFile::randomBytesChangeNothing()
{
    QRandomGenerator rng(324);
    for (int size : {324, 2000}) {
        QByteArray junk(size, Qt::Uninitialized);
        for (char &c : junk)
            c = char(rng.bounded(256));
        QBuffer buffer(&junk);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const QString text = readParameterFileText(buffer);

        const ParameterSet before = editedSet();
        ParameterSet p = before;
        const FileDecodeResult result = decodeParameterFile(text, p);
        QVERIFY(!result.any());
        QCOMPARE(differingMembers(p, before), QStringList());
    }
}

void TestParameterFile::hugeFileReadBounded()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("huge.txt"));
    const QByteArray head = parameterFileBytes(editedSet());
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(head), qint64(head.size()));
        const QByteArray block(1 << 20, 'A');
        for (int i = 0; i < 50; ++i)
            QCOMPARE(file.write(block), qint64(block.size()));
    }

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString fromDevice = readParameterFileText(file);
    QCOMPARE(file.pos(), kParameterFileReadLimit);
    QCOMPARE(fromDevice.size(), int(kParameterFileReadLimit));

    QString text;
    QVERIFY(readParameterFileText(path, &text));
    QCOMPARE(text, fromDevice);
    QVERIFY(text.startsWith(QString::fromLatin1(head)));

    ParameterSet p;
    const FileDecodeResult result = decodeParameterFile(text, p);
    QVERIFY(result.s && result.g && result.h && result.i);
    QCOMPARE(result.length, int(kParameterFileReadLimit));
    QCOMPARE(p.Trim1, 238);

    QString untouched = QStringLiteral("keep");
    QVERIFY(!readParameterFileText(dir.filePath(QStringLiteral("missing.txt")), &untouched));
    QCOMPARE(untouched, QStringLiteral("keep"));
}

// Bytes outside ASCII change the length of the text and so where the frames
// are looked for; they decode the same under Qt 5 and Qt 6.
void TestParameterFile::oddBytesDecodeAsBefore_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QVector<ushort>>("units");
    QTest::newRow("utf-8 mark skipped") << QByteArray("\xEF\xBB\xBFS1") << QVector<ushort>{'S', '1'};
    QTest::newRow("two-byte letter") << QByteArray("S\xC3\xA9Y") << QVector<ushort>{'S', 0xE9, 'Y'};
    QTest::newRow("three-byte letter") << QByteArray("S\xE4\xB8\xADY") << QVector<ushort>{'S', 0x4E2D, 'Y'};
    QTest::newRow("four-byte letter") << QByteArray("S\xF0\x9F\x98\x80Y")
                                      << QVector<ushort>{'S', 0xD83D, 0xDE00, 'Y'};
    QTest::newRow("stray byte") << QByteArray("S\xFFY") << QVector<ushort>{'S', 0xFFFD, 'Y'};
    QTest::newRow("overlong") << QByteArray("S\xC0\x80Y") << QVector<ushort>{'S', 0xFFFD, 0xFFFD, 'Y'};
    QTest::newRow("encoded surrogate") << QByteArray("S\xED\xA0\x80Y")
                                       << QVector<ushort>{'S', 0xFFFD, 0xFFFD, 0xFFFD, 'Y'};
    QTest::newRow("cut at the end") << QByteArray("S\xE4\xB8") << QVector<ushort>{'S'};
    QTest::newRow("nul") << QByteArray("S\0Y", 3) << QVector<ushort>{'S', 0, 'Y'};
    QTest::newRow("utf-16 mark") << QByteArray("\xFF\xFES\0Y\0", 6) << QVector<ushort>{'S', 'Y'};
}

void TestParameterFile::oddBytesDecodeAsBefore()
{
    if (QString::fromLocal8Bit("\xC3\xA9") != QString(QChar(0xE9)))
        QSKIP("the system encoding is not UTF-8");
    QFETCH(QByteArray, bytes);
    QFETCH(QVector<ushort>, units);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const QString text = readParameterFileText(buffer);
    QCOMPARE(QVector<ushort>(text.utf16(), text.utf16() + text.size()), units);
}

void TestParameterFile::writeReplacesFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("set.dat"));
    QVERIFY(writeRaw(path, QByteArray(1000, 'x')));
    const QByteArray bytes = parameterFileBytes(editedSet());
    QString error;
    QVERIFY2(writeParameterFile(path, bytes, &error), qPrintable(error));
    QCOMPARE(readAll(path), bytes);
}

void TestParameterFile::writeIntoMissingDirectoryFails()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString notADirectory = dir.filePath(QStringLiteral("plain"));
    QVERIFY(writeRaw(notADirectory, "content"));
    QString error;
    QVERIFY(!writeParameterFile(notADirectory + QStringLiteral("/set.dat"), "S", &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(notADirectory), QByteArray("content"));
}

void TestParameterFile::writeIntoReadOnlyDirectoryKeepsOldFile()
{
#ifdef Q_OS_LINUX
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("set.dat"));
    const QByteArray old("old parameter file");
    const QByteArray bytes = parameterFileBytes(editedSet());
    QString error;

    if (geteuid() == 0) {
        // Permissions do not stop root; a read-only mount does.
        TmpfsMount mount(dir.path(), QStringLiteral("size=64k"));
        if (!mount.isMounted())
            QSKIP("cannot mount a tmpfs here");
        QVERIFY(writeRaw(path, old));
        QVERIFY(mount.remountReadOnly());
        QVERIFY(!writeParameterFile(path, bytes, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(path), old);
    } else {
        QVERIFY(writeRaw(path, old));
        // A file that may be written is written in place even here (see
        // writeOverAWritableFileInAReadOnlyDirectory); this one may not.
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner;
        QVERIFY(QFile::setPermissions(dir.path(), readOnly));
        const bool written = writeParameterFile(path, bytes, &error);
        QFile::setPermissions(dir.path(), readOnly | QFile::WriteOwner);
        QVERIFY(!written);
        QCOMPARE(readAll(path), old);
    }
#else
    QSKIP("needs Linux mounts or permissions");
#endif
}

void TestParameterFile::writeOnFullDiskKeepsOldFile()
{
#ifdef Q_OS_LINUX
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TmpfsMount mount(dir.path(), QStringLiteral("size=64k"));
    if (!mount.isMounted())
        QSKIP("cannot mount a small tmpfs (needs root)");

    const QString path = dir.filePath(QStringLiteral("set.dat"));
    const QByteArray old = parameterFileBytes(ParameterSet());
    QVERIFY(writeRaw(path, old));
    {
        // Fill the rest of the file system.
        QFile filler(dir.filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        int blocks = 0;
        while (filler.write(block) == block.size() && blocks < 1000)
            ++blocks;
        QVERIFY(blocks < 1000);
    }

    QString error;
    QVERIFY(!writeParameterFile(path, parameterFileBytes(editedSet()), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{QStringLiteral("filler"), QStringLiteral("set.dat")}));
#else
    QSKIP("needs a Linux tmpfs");
#endif
}

// Loading a FIFO without a writer would block in open() for ever, a device
// would never end; saving onto one would replace it by a regular file when
// run as root. All are refused without being opened.
void TestParameterFile::whatIsNotARegularFileIsRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("fifo");
#ifdef Q_OS_LINUX
    QTest::newRow("FIFO") << QString() << true;
    QTest::newRow("directory") << QDir::tempPath() << false;
    if (QFileInfo::exists(QStringLiteral("/dev/zero")))
        QTest::newRow("/dev/zero") << QStringLiteral("/dev/zero") << false;
    if (QFileInfo::exists(QStringLiteral("/dev/full")))
        QTest::newRow("/dev/full") << QStringLiteral("/dev/full") << false;
#else
    QTest::newRow("directory") << QDir::tempPath() << false;
#endif
}

void TestParameterFile::whatIsNotARegularFileIsRefused()
{
    QFETCH(QString, path);
    QFETCH(bool, fifo);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
#ifdef Q_OS_LINUX
    if (fifo) {
        path = dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
#endif
    const QFileInfo before(path);

    QString text = QStringLiteral("keep");
    QString error;
    QVERIFY(!readParameterFileText(path, &text, &error));
    QCOMPARE(text, QStringLiteral("keep"));
    QVERIFY(error.contains(QLatin1String("not a regular file")));

    error.clear();
    QVERIFY(!canWriteParameterFile(path, &error));
    QVERIFY(!error.isEmpty());
    error.clear();
    QVERIFY(!writeParameterFile(path, parameterFileBytes(editedSet()), &error));
    QVERIFY(!error.isEmpty());
    const QFileInfo after(path);
    QVERIFY(after.exists());
    QCOMPARE(after.isFile(), false);
    QCOMPARE(after.isDir(), before.isDir());
    // Nothing was put next to it.
    if (fifo)
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("fifo")});
}

// A directory where no temporary file can be made, holding a file that may
// be written: saving over that file works, in place. Permissions do not stop
// root, so as root the check runs in a copy of this test as user nobody.
void TestParameterFile::writeOverAWritableFileInAReadOnlyDirectory()
{
#ifdef Q_OS_LINUX
    if (geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            QSKIP("running as root and setpriv is not there to drop the rights");
        QProcess child;
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                              QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                              QStringLiteral("writeOverAWritableFileInAReadOnlyDirectory")});
        QVERIFY(child.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        if (output.contains(QLatin1String("Permission denied")) && child.exitCode() != 0
                && !output.contains(QLatin1String("Totals")))
            QSKIP("this test program cannot run as nobody here");
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, qPrintable(output));
        QVERIFY2(output.contains(QLatin1String("PASS   : TestParameterFile::writeOverAWritableFileInAReadOnlyDirectory()")),
                 qPrintable(output));
        return;
    }

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("set.dat"));
    QVERIFY(writeRaw(path, QByteArray(1000, 'x')));
    const QFile::Permissions locked = QFile::ReadOwner | QFile::ExeOwner;
    QVERIFY(QFile::setPermissions(dir.path(), locked));
    const QByteArray bytes = parameterFileBytes(editedSet());

    QString error;
    const bool existingOk = canWriteParameterFile(path, &error) && writeParameterFile(path, bytes, &error);
    const bool newOk = canWriteParameterFile(dir.filePath(QStringLiteral("new.dat")));
    const QByteArray written = readAll(path);
    const QStringList entries = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    QFile::setPermissions(dir.path(), locked | QFile::WriteOwner);

    QVERIFY2(existingOk, qPrintable(error));
    QCOMPARE(written, bytes); // the longer old content is gone entirely
    QVERIFY(!newOk);
    QCOMPARE(entries, QStringList{QStringLiteral("set.dat")});
#else
    QSKIP("needs Linux permissions");
#endif
}

void TestParameterFile::setupSheetHoldsEverySetting_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<unsigned>("seed");
    QTest::newRow("zh") << "zh" << 34u;
    QTest::newRow("en") << "en" << 35u;
}

// Every row of the table, in its place and with its value: a setting added
// to the table cannot be left off the sheet.
void TestParameterFile::setupSheetHoldsEverySetting()
{
    QFETCH(QString, language);
    QFETCH(unsigned, seed);
    QVERIFY(installLanguage(language));
    const ParameterSet p = randomSetup(seed);
    const QString html = SetupSheet::html(p, SetupSheet::fileSource(QStringLiteral("plane & glider.dat")),
                                          QDateTime(QDate(2026, 12, 8), QTime(10, 42)));
    const SheetContent sheet = readSheetHtml(html);
    const QVector<SheetRow> expected = expectedSheetRows(p);
    installLanguage(QStringLiteral("zh"));

    QCOMPARE(sheet.rows.size(), settings().size());
    QCOMPARE(sheet.rows, expected);
    for (const SheetRow &row : sheet.rows)
        QVERIFY2(!row.name.isEmpty() && !row.value.isEmpty() && !row.group.isEmpty(), qPrintable(row.page));
    QCOMPARE(sheet.header.size(), 3);
    QVERIFY(sheet.header.at(0).endsWith(QStringLiteral(" plane & glider.dat")));
    QVERIFY(sheet.header.at(1).endsWith(QStringLiteral(": 2026-12-08 10:42")));
    QVERIFY(sheet.header.at(2).endsWith(QStringLiteral(": ") + SetupSheet::checksum(p)));
    if (language == QLatin1String("en"))
        QVERIFY(!html.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))));
    // Black on white only: nothing printed grey.
    const QRegularExpression colour(QStringLiteral("#[0-9a-fA-F]{3,8}\\b|\\bgr[ae]y\\b|rgb"));
    for (auto it = colour.globalMatch(html); it.hasNext();)
        QVERIFY2(QStringList({"#000000", "#ffffff"}).contains(it.next().captured()), qPrintable(html));

    // One setting changed changes the checksum.
    ParameterSet other = p;
    other.Sub1 = p.Sub1 == 0 ? 1 : 0;
    QVERIFY(SetupSheet::checksum(other) != SetupSheet::checksum(p));
}

QTEST_GUILESS_MAIN(TestParameterFile)
#include "tst_parameterfile.moc"

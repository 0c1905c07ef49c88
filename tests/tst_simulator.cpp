// The virtual transmitter: its protocol behaviour fed with bytes directly,
// and once over a real pseudo-terminal with the tool's kind of serial port.
#include "sim/simulatedtransmitter.h"

#include <QCommandLineParser>
#include <QFile>
#include <QSet>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "link/framecodec.h"
#include "link/inboundparser.h"
#include "link/livevalues.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "sim/adapterline.h"
#include "sim/configurationfile.h"
#include "sim/framecheck.h"
#include "sim/messagesplitter.h"
#include "sim/ptyport.h"
#include "support/appstate.h"

namespace {

constexpr int kBlockCount = 19;

// A line that records every write, for the adapter in front of it.
class RecordingLine : public SimLink
{
public:
    bool open() override { return true; }
    void close() override {}
    QString devicePath() const override { return QStringLiteral("/dev/null"); }
    QString errorString() const override { return QString(); }
    bool write(const QByteArray &bytes) override
    {
        writes.append(bytes);
        return true;
    }
    void discardUnread() override {}

    QVector<QByteArray> writes;
};

// A configuration far from the factory one, every value in range, touching
// every parameter block.
ParameterSet customConfiguration()
{
    static const QVector<QPair<const char *, int>> values{
        {"Rev2", 1}, {"Rev7", 1}, {"Sub1", 20}, {"Sub8", -45}, {"Lepa3", 80}, {"Repa5", 110},
        {"FS2", 10}, {"Delay4", 30}, {"Aux5", 4}, {"Aux8", 0}, {"Mode", 3}, {"AttiM", 2},
        {"Atti3", 40}, {"EleMix", 1}, {"Elev2", -100}, {"Elev6", -20}, {"RuMix", 1}, {"Ru1", -50},
        {"Ru4", 75}, {"DrMix", 1}, {"DrRateUp2", 70}, {"DrRateDown3", 55}, {"Prm1Data2", 25},
        {"Prm2Master", 4}, {"Prm1Slave", 6}, {"Prm2Mix", 2}, {"Prm3Mix", 1}, {"Prm3Data2", 40},
        {"Prm4Master", 7}, {"Prm4Data3", -60}, {"ThCureMix", 2}, {"ThCureExtra", 3}, {"ThCure3", 20},
        {"ThCure7", 90}, {"DrSw", 2}, {"DrPosi", 3}, {"RssiAlarm", -50}, {"DrExpUp1", -30},
        {"DrExpDown0", 45}, {"Trim1", 100}, {"Trim2", 110}, {"Trim3", 130}, {"Trim4", 140},
    };
    ParameterSet p = factoryConfiguration();
    for (const auto &v : values) {
        const Setting *param = findSettingRow(QString::fromLatin1(v.first));
        Q_ASSERT_X(param && !param->member.isNull(), "customConfiguration", v.first);
        param->member.of(p) = v.second;
    }
    p.TxVolt = 4.2;
    p.RxVolt = 4.5;
    p.ExtVolt = 12.3;
    p.TxVoltTenths = voltsToTenths(p.TxVolt);
    p.RxVoltTenths = voltsToTenths(p.RxVolt);
    p.ExtVoltTenths = voltsToTenths(p.ExtVolt);
    return p;
}

struct Frames
{
    QByteArray s, g, h, i;
    QByteArray all() const { return s + g + h + i; }
};

// The frames the tool would send for p (and stores the tenths in p, as the
// tool does).
Frames framesFor(ParameterSet &p)
{
    ParameterFrames strings;
    Frames out;
    out.s = rebuildFrame(FrameKind::S, p, strings);
    out.g = rebuildFrame(FrameKind::G, p, strings);
    out.h = rebuildFrame(FrameKind::H, p, strings);
    out.i = rebuildFrame(FrameKind::I, p, strings);
    return out;
}

// A transmitter with its output and log collected.
class Harness
{
public:
    explicit Harness(const SimulatorOptions &options = SimulatorOptions()) : sim(options)
    {
        QObject::connect(&sim, &SimulatedTransmitter::transmit, [this](const QByteArray &b) {
            sent.append(b);
            if (sim.replyInProgress())
                sentInReply.append(b);
        });
        QObject::connect(&sim, &SimulatedTransmitter::logLine, [this](const QString &l) { log.append(l); });
    }

    bool logContains(const QString &text) const
    {
        for (const QString &line : log)
            if (line.contains(text))
                return true;
        return false;
    }

    // The tool's side of a Read: "RR", then "WWW" for every chunk that comes.
    // Returns what was sent while the reply ran: the live packets that resume
    // after it (while the wait for its end still turns) are not part of it.
    QVector<QByteArray> read()
    {
        const int first = sent.size();
        sentInReply.clear();
        sim.receive("RR");
        int answered = first;
        for (int n = 0; n < kBlockCount; ++n) {
            if (!QTest::qWaitFor([&] { return sent.size() > answered; }, 5000))
                break;
            answered = sent.size();
            sim.receive("WWW");
        }
        if (!QTest::qWaitFor([&] { return !sim.replyInProgress(); }, 5000))
            log.append(QStringLiteral("test: the reply did not end"));
        return sentInReply;
    }

    SimulatedTransmitter sim;
    QVector<QByteArray> sent;
    QVector<QByteArray> sentInReply;
    QStringList log;
};

struct DecodedReply
{
    ParameterSet config;
    QVector<int> numbers;
};

DecodedReply decodeReply(const QVector<QByteArray> &chunks)
{
    DecodedReply out;
    LiveValues live;
    for (const QByteArray &chunk : chunks)
        out.numbers.append(decodeChunk(chunk, out.config, live).blockNumber);
    return out;
}

// The members the blocks carry, except the firmware version that no frame
// can change.
QStringList blockMembersDiffering(const ParameterSet &a, const ParameterSet &b)
{
    QStringList out;
    for (const ParameterBlock &block : parameterBlocks()) {
        for (const BlockSlot &slot : block.fields) {
            if (slot.member.isNull() || slot.member == IntRef(&ParameterSet::Vertion))
                continue;
            if (slot.member.of(a) != slot.member.of(b))
                out.append(QStringLiteral("block %1 byte %2").arg(block.number).arg(&slot - block.fields.data()));
        }
    }
    for (double ParameterSet::*volts : {&ParameterSet::TxVolt, &ParameterSet::RxVolt, &ParameterSet::ExtVolt}) {
        if (!qFuzzyCompare(a.*volts, b.*volts))
            out.append(QStringLiteral("volts"));
    }
    return out;
}

QString describe(const ToolMessage &m)
{
    switch (m.kind) {
    case ToolMessage::Frame:
        return QStringLiteral("F%1").arg(m.bytes.size());
    case ToolMessage::Garbage:
        return QStringLiteral("?%1").arg(m.bytes.size());
    default:
        return QString::fromLatin1(m.bytes);
    }
}

QByteArray withChar(QByteArray frame, int index, char c)
{
    frame[index] = c;
    return frame;
}

} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT

private slots:
    void splitterCutsTheStreamIntoMessages_data()
    {
        ParameterSet p = customConfiguration();
        const Frames f = framesFor(p);
        const int d = f.g.indexOf('D', 2);
        QVERIFY(d > 0 && d < 79);

        QTest::addColumn<QVector<QByteArray>>("chunks");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("commands glued") << QVector<QByteArray>{"OKRRWWWDIS"} << QStringList{"OK", "RR", "WWW", "DIS"};
        QTest::newRow("command in pieces") << QVector<QByteArray>{"W", "W", "W", "R", "R"} << QStringList{"WWW", "RR"};
        QTest::newRow("frame and acknowledgement") << QVector<QByteArray>{f.s + "WWW"} << QStringList{"F81", "WWW"};
        QTest::newRow("frame in pieces") << QVector<QByteArray>{f.h.left(30), f.h.mid(30, 40), f.h.mid(70)}
                                         << QStringList{"F81"};
        QTest::newRow("cut after a D") << QVector<QByteArray>{f.g.left(d + 1), f.g.mid(d + 1)} << QStringList{"F81"};
        QTest::newRow("frame then DIS") << QVector<QByteArray>{f.g + "DIS"} << QStringList{"F81", "DIS"};
        QTest::newRow("frames back to back") << QVector<QByteArray>{f.all()} << QStringList{"F81", "F81", "F81", "F81"};
        QTest::newRow("short frame") << QVector<QByteArray>{f.s.left(79) + "YWWW"} << QStringList{"F80", "WWW"};
        QTest::newRow("long frame") << QVector<QByteArray>{f.s.left(80) + "0YOK"} << QStringList{"F82", "OK"};
        QTest::newRow("short frame, line quiet") << QVector<QByteArray>{f.i.left(50)} << QStringList{"F50"};
        QTest::newRow("noise") << QVector<QByteArray>{QByteArray("\x01\x02", 2) + "RR" + "\xff"}
                               << QStringList{"?2", "RR", "?1"};
    }
    void splitterCutsTheStreamIntoMessages()
    {
        QFETCH(QVector<QByteArray>, chunks);
        QFETCH(QStringList, expected);
        MessageSplitter splitter;
        QStringList seen;
        for (const QByteArray &chunk : chunks)
            for (const ToolMessage &m : splitter.feed(chunk))
                seen.append(describe(m));
        for (const ToolMessage &m : splitter.flush())
            seen.append(describe(m));
        QCOMPARE(seen, expected);
        QVERIFY(!splitter.hasPending());
    }

    // What an adapter does to the transmitter's messages: pieces, pairs or
    // batches, never a byte lost or moved.
    void adapterKeepsEveryByteInOrder_data()
    {
        QTest::addColumn<bool>("split");
        QTest::addColumn<bool>("inTwo");
        QTest::addColumn<bool>("merge");
        QTest::addColumn<int>("latencyMs");
        QTest::addColumn<int>("minWrites");
        QTest::addColumn<int>("maxWrites");
        // Six messages, written one right after the other.
        QTest::newRow("split") << true << false << false << 0 << 12 << 18;
        QTest::newRow("split in two") << true << true << false << 0 << 12 << 12;
        QTest::newRow("merge") << false << false << true << 0 << 3 << 3;
        QTest::newRow("latency timer") << false << false << false << 16 << 1 << 1;
        QTest::newRow("all three") << true << false << true << 16 << 2 << 3;
    }
    void adapterKeepsEveryByteInOrder()
    {
        QFETCH(bool, split);
        QFETCH(bool, inTwo);
        QFETCH(bool, merge);
        QFETCH(int, latencyMs);
        auto *line = new RecordingLine;
        AdapterBehaviour behaviour;
        behaviour.split = split;
        behaviour.inTwo = inTwo;
        behaviour.merge = merge;
        behaviour.latencyMs = latencyMs;
        AdapterLine adapter{std::unique_ptr<SimLink>(line), behaviour};
        QByteArray sent;
        const QVector<QByteArray> blocks = encodeParameterBlocks(customConfiguration());
        for (int i = 0; i < 6; ++i) {
            QVERIFY(adapter.write(blocks.at(i)));
            sent += blocks.at(i);
        }
        const auto joined = [line] {
            QByteArray all;
            for (const QByteArray &w : qAsConst(line->writes))
                all += w;
            return all;
        };
        QTRY_COMPARE_WITH_TIMEOUT(joined(), sent, 5000);
        QFETCH(int, minWrites);
        QFETCH(int, maxWrites);
        QVERIFY2(line->writes.size() >= minWrites && line->writes.size() <= maxWrites,
                 qPrintable(QString::number(line->writes.size())));
    }

    void readIsAnsweredBlockByBlockAsAcknowledgementsArrive()
    {
        Harness h;
        const ParameterSet config = customConfiguration();
        h.sim.setConfiguration(config);
        h.sim.receive("OK");
        QTRY_VERIFY_WITH_TIMEOUT(h.sent.size() >= 4, 5000);

        h.sim.receive("RR");
        const int first = h.sent.size();
        LiveValues live;
        ParameterSet decoded;
        for (int n = 1; n <= kBlockCount; ++n) {
            QTRY_COMPARE_WITH_TIMEOUT(h.sent.size(), first + n, 5000);
            const InboundResult result = decodeChunk(h.sent.last(), decoded, live);
            QCOMPARE(result.blockNumber, n);
            // Nothing more, neither block nor live packet, until the tool
            // has acknowledged this one.
            QTest::qWait(80);
            QCOMPARE(h.sent.size(), first + n);
            h.sim.receive("WWW");
        }
        QTRY_VERIFY_WITH_TIMEOUT(!h.sim.replyInProgress(), 5000);
        QCOMPARE(blockMembersDiffering(decoded, config), QStringList());
        QVERIFY(!h.logContains(QStringLiteral("not acknowledged")));

        // The live stream resumes after the reply.
        QTRY_VERIFY_WITH_TIMEOUT(h.sent.size() > first + kBlockCount + 2, 5000);
        QCOMPARE(h.sent.last().size(), 20);
    }

    void anUnacknowledgedReplyStillCompletes()
    {
        Harness h;
        h.sim.receive("RR");
        QTRY_VERIFY_WITH_TIMEOUT(!h.sim.replyInProgress(), 30000);
        const DecodedReply reply = decodeReply(h.sent);
        QVector<int> expected;
        for (int n = 1; n <= kBlockCount; ++n)
            expected.append(n);
        QCOMPARE(reply.numbers, expected);
        QVERIFY(h.logContains(QStringLiteral("not acknowledged")));
    }

    // The faults switched on from the command line, and what is refused.
    void faultOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("described"); // empty: refused
        QTest::addColumn<QString>("problem");
        QTest::newRow("none") << QStringList{} << "" << "";
        QTest::newRow("ignore h") << QStringList{"--ignore-frame", "h"} << "ignores the H frame" << "";
        QTest::newRow("two at once") << QStringList{"--silent-after", "1", "--block-gap", "150"}
                                     << "goes silent after 1 frame(s), sends reply blocks 150 ms apart" << "";
        QTest::newRow("repeat 19") << QStringList{"--repeat-block", "19"} << "repeats block 19 of a reply" << "";
        QTest::newRow("no such frame") << QStringList{"--ignore-frame", "X"} << "" << "S, G, H or I";
        QTest::newRow("no block 20") << QStringList{"--repeat-block", "20"} << "" << "from 1 to 19";
        QTest::newRow("silent after 0") << QStringList{"--silent-after", "0"} << "" << "1 or more";
        QTest::newRow("gap not a number") << QStringList{"--block-gap", "soon"} << "" << "milliseconds";
    }
    void faultOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, described);
        QFETCH(QString, problem);
        QCommandLineParser parser;
        addFaultOptions(parser);
        QVERIFY(parser.parse(QStringList{"kelvo-miraq-sim"} + arguments));
        SimulatorFaults faults;
        const QString refused = readFaultOptions(parser, &faults);
        QVERIFY2(problem.isEmpty() ? refused.isEmpty() : refused.contains(problem), qPrintable(refused));
        QCOMPARE(faults.describe(), described);
        QCOMPARE(faults.any(), !described.isEmpty());
    }

    // A write of S, G, H and I as the tool sends it, then a Read answered
    // chunk by chunk: which frames took effect, which blocks came, and
    // whether the transmitter still says anything.
    void faultsChangeWhatIsStoredAndSent_data()
    {
        QTest::addColumn<char>("ignoreFrame");
        QTest::addColumn<int>("silentAfter");
        QTest::addColumn<int>("repeatBlock");
        QTest::addColumn<int>("blockGapMs");
        QTest::addColumn<QString>("stored");        // the frames that took effect
        QTest::addColumn<QVector<int>>("blocks");   // the chunks of the reply; none: silent
        QTest::addColumn<int>("quietAfterAckMs");   // nothing for this long after the first acknowledgement

        QVector<int> all;
        for (int n = 1; n <= kBlockCount; ++n)
            all.append(n);
        QTest::newRow("no fault") << char(0) << 0 << 0 << 0 << "SGHI" << all << 0;
        QTest::newRow("H frame ignored") << 'H' << 0 << 0 << 0 << "SGI" << all << 0;
        QTest::newRow("silent after S") << char(0) << 1 << 0 << 0 << "S" << QVector<int>{} << 0;
        QTest::newRow("silent after H") << char(0) << 3 << 0 << 0 << "SGH" << QVector<int>{} << 0;
        QTest::newRow("block 1 again and again") << char(0) << 0 << 1 << 0 << "SGHI" << QVector<int>(8, 1) << 0;
        QTest::newRow("block 19 again") << char(0) << 0 << 19 << 0 << "SGHI" << all + QVector<int>{19, 19, 19} << 0;
        QTest::newRow("blocks 250 ms apart") << char(0) << 0 << 0 << 250 << "SGHI" << QVector<int>{1, 2, 3} << 120;
    }
    void faultsChangeWhatIsStoredAndSent()
    {
        QFETCH(char, ignoreFrame);
        QFETCH(int, silentAfter);
        QFETCH(int, repeatBlock);
        QFETCH(int, blockGapMs);
        QFETCH(QString, stored);
        QFETCH(QVector<int>, blocks);
        QFETCH(int, quietAfterAckMs);

        SimulatorOptions options;
        options.faults.ignoreFrame = ignoreFrame;
        options.faults.silentAfterFrames = silentAfter;
        options.faults.repeatBlock = repeatBlock;
        options.faults.blockGapMs = blockGapMs;
        Harness h(options);
        h.sim.receive("OK");
        QTRY_VERIFY_WITH_TIMEOUT(h.sent.size() >= 2, 5000);
        ParameterSet written = customConfiguration();
        const Frames f = framesFor(written);
        ParameterSet expected = factoryConfiguration();
        for (const QByteArray &frame : {f.s, f.g, f.h, f.i}) {
            h.sim.receive("WWW");
            h.sim.receive(frame);
            h.sim.receive("WWW");
            FrameKind kind = FrameKind::S;
            QVERIFY(frameKindOf(frame, &kind));
            if (stored.contains(QLatin1Char(frame.at(0))))
                decodeFrameFields(kind, QString::fromLatin1(frame), 0, expected);
        }
        QCOMPARE(differingMembers(h.sim.configuration(), expected), QStringList());

        const int first = h.sent.size();
        h.sim.receive("RR");
        QVector<int> numbers;
        ParameterSet decoded;
        LiveValues live;
        for (int n = 0; n < blocks.size(); ++n) {
            if (!QTest::qWaitFor([&] { return h.sent.size() > first + n; }, 5000))
                break;
            numbers.append(decodeChunk(h.sent.at(first + n), decoded, live).blockNumber);
            if (n == 0 && quietAfterAckMs > 0) {
                h.sim.receive("WWW");
                QTest::qWait(quietAfterAckMs);
                QCOMPARE(h.sent.size(), first + 1);
                continue;
            }
            h.sim.receive("WWW");
        }
        QCOMPARE(numbers, blocks);
        if (blocks.isEmpty()) {
            // Neither the reply nor the live stream, not even after a new "OK".
            h.sim.receive("OK");
            QTest::qWait(200);
            QCOMPARE(h.sent.size(), first);
            QVERIFY(h.logContains(QStringLiteral("silent from now on")));
        }
    }

    void malformedFramesAreRejected_data()
    {
        ParameterSet p = customConfiguration();
        const Frames f = framesFor(p);
        QCOMPARE(f.s.mid(9, 2), QByteArray("8C"));

        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("reason");
        QTest::newRow("too short") << f.s.left(79) + "Y" << "80 bytes instead of 81";
        QTest::newRow("too long") << f.s.left(80) + "0Y" << "82 bytes instead of 81";
        QTest::newRow("S terminator") << withChar(f.s, 80, 'X') << "\"X\" at 80 instead of \"Y\"";
        QTest::newRow("G constant") << withChar(f.g, 36, '7') << "at 36 instead of \"6\"";
        QTest::newRow("G tail") << withChar(f.g, 79, '3') << "at 77 instead of \"6D2Z\"";
        QTest::newRow("H tail") << withChar(f.h, 77, '1') << "at 76 instead of \"0000X\"";
        QTest::newRow("I zeros") << withChar(f.i, 40, '1') << "at 9 instead of";
        QTest::newRow("I terminator") << withChar(f.i, 80, 'Y') << "at 9 instead of";
        QTest::newRow("not hex") << withChar(f.s, 20, 'g') << "'g' at 20 is not a hexadecimal digit";
        QTest::newRow("lower case") << withChar(f.s, 10, 'c') << "'c' at 10 is not a hexadecimal digit";
    }
    void malformedFramesAreRejected()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        SimulatorOptions options;
        options.configPath = dir.filePath(QStringLiteral("tx.dat"));
        Harness h(options);
        h.sim.start();
        const ParameterSet before = h.sim.configuration();

        h.sim.receive(frame);
        QTRY_VERIFY_WITH_TIMEOUT(h.logContains(QStringLiteral("rejected")), 5000);
        QVERIFY2(h.logContains(reason), qPrintable(h.log.join(QLatin1Char('\n'))));
        h.sim.receive("WWW");
        QCOMPARE(h.sim.framesRejected(), 1);
        QCOMPARE(h.sim.framesAccepted(), 0);
        QCOMPARE(differingMembers(h.sim.configuration(), before), QStringList());
        QVERIFY(!QFile::exists(options.configPath));
    }

    void aReadAfterAWriteReturnsWhatWasWritten()
    {
        Harness h;
        h.sim.receive("OK");
        ParameterSet written = customConfiguration();
        const Frames f = framesFor(written);
        // As on the line: acknowledgements of live packets between frames.
        for (const QByteArray &frame : {f.s, f.g, f.h, f.i}) {
            h.sim.receive("WWW");
            h.sim.receive(frame);
            h.sim.receive("WWW");
        }
        QCOMPARE(h.sim.framesAccepted(), 4);
        QVERIFY(h.logContains(QStringLiteral("trims 100 110 130 140")));

        const ParameterSet factory = factoryConfiguration();
        const DecodedReply reply = decodeReply(h.read());
        QCOMPARE(reply.numbers.size(), kBlockCount);
        QCOMPARE(blockMembersDiffering(reply.config, written), QStringList());
        QCOMPARE(reply.config.Vertion, factory.Vertion);
    }

    void goingQuietLastsUntilOk_data()
    {
        QTest::addColumn<bool>("stalled");
        QTest::newRow("DIS") << false;
        QTest::newRow("nobody reads the line") << true;
    }
    void goingQuietLastsUntilOk()
    {
        QFETCH(bool, stalled);
        SimulatorOptions options;
        options.packetsPerSecond = 100;
        Harness h(options);
        QSignalSpy resets(&h.sim, &SimulatedTransmitter::lineReset);
        QTest::qWait(150);
        QCOMPARE(h.sent.size(), 0);

        h.sim.receive("OK");
        QTRY_VERIFY_WITH_TIMEOUT(h.sent.size() >= 5, 5000);
        if (stalled)
            h.sim.lineStalled();
        else
            h.sim.receive("DIS");
        QCOMPARE(resets.count(), 1);
        QVERIFY(!h.sim.isConnected());
        const int quiet = h.sent.size();
        QTest::qWait(300);
        QCOMPARE(h.sent.size(), quiet);

        h.sim.receive("OK");
        QTRY_VERIFY_WITH_TIMEOUT(h.sent.size() >= quiet + 5, 5000);
        QCOMPARE(h.sent.at(quiet).at(1), '\x18'); // a fresh start with a channel packet
    }

    void livePacketsCarryPlausibleValues()
    {
        Harness h;
        const ParameterSet config = customConfiguration();
        h.sim.setConfiguration(config);
        h.sim.receive("OK");
        QTRY_VERIFY_WITH_TIMEOUT(h.sent.size() >= 80, 20000);

        QSet<int> stick1;
        QSet<int> switch6;
        for (int n = 0; n < h.sent.size(); ++n) {
            const QByteArray &packet = h.sent.at(n);
            ParameterSet p;
            p.Trim1 = p.Trim2 = p.Trim3 = p.Trim4 = -1;
            LiveValues live;
            const InboundResult result = decodeChunk(packet, p, live);
            QCOMPARE(packet.size(), 20);
            if (n % 2 == 0) {
                QCOMPARE(result.kind, InboundResult::ChannelPacket);
                for (int ch = 0; ch < 8; ++ch)
                    QVERIFY(channelOutput(ch).of(p) >= 0 && channelOutput(ch).of(p) <= 2000);
                QVERIFY2(live.LiveTxVolt >= 1100 && live.LiveTxVolt <= 1270, qPrintable(QString::number(live.LiveTxVolt)));
                stick1.insert(p.ChOut1);
                switch6.insert(p.ChOut6);
            } else {
                QCOMPARE(result.kind, InboundResult::StatusPacket);
                QVERIFY(live.LiveRssi >= 1 && live.LiveRssi <= 100);
                QVERIFY(live.LiveRxVolt >= 45 && live.LiveRxVolt <= 55);
                QVERIFY(live.LiveExtVolt >= 105 && live.LiveExtVolt <= 125);
                QCOMPARE(QVector<int>({p.Trim1, p.Trim2, p.Trim3, p.Trim4}), QVector<int>({100, 110, 130, 140}));
            }
        }
        QVERIFY2(stick1.size() > 10, "the sticks move");
        QVERIFY2(switch6.size() <= 3, "channels 5 to 8 sit in switch positions");
    }

    void theConfigurationFileKeepsAWriteAcrossRuns()
    {
        QTemporaryDir dir;
        SimulatorOptions options;
        options.configPath = dir.filePath(QStringLiteral("tx.dat"));
        ParameterSet written = customConfiguration();
        const Frames f = framesFor(written);
        {
            Harness first(options);
            first.sim.start();
            QVERIFY(first.logContains(QStringLiteral("does not exist yet")));
            for (const QByteArray &frame : {f.s, f.g, f.h, f.i})
                first.sim.receive(frame);
            QVERIFY(!QFile::exists(options.configPath)); // saved when the write ends
            first.sim.receive("WWW");
            QVERIFY(first.logContains(QStringLiteral("configuration saved")));
        }
        QFile file(options.configPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), f.all()); // the tool's own file format

        Harness second(options);
        second.sim.start();
        QVERIFY(second.logContains(QStringLiteral("loaded from")));
        const DecodedReply reply = decodeReply(second.read());
        QCOMPARE(blockMembersDiffering(reply.config, written), QStringList());
    }

    void aDamagedConfigurationFileGivesFactoryValues()
    {
        QTemporaryDir dir;
        SimulatorOptions options;
        options.configPath = dir.filePath(QStringLiteral("tx.dat"));
        QFile file(options.configPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is no parameter file");
        file.close();

        Harness h(options);
        h.sim.setConfiguration(customConfiguration());
        h.sim.start();
        QVERIFY(h.logContains(QStringLiteral("cannot use")));
        QCOMPARE(differingMembers(h.sim.configuration(), factoryConfiguration()), QStringList());
    }

    void worksOverAPseudoTerminalWithASerialPort()
    {
#ifndef Q_OS_UNIX
        QSKIP("pseudo-terminals are not available here");
#endif
        PtyPort pty;
        QVERIFY2(pty.open(), qPrintable(pty.errorString()));
        SimulatedTransmitter sim;
        connect(&pty, &SimLink::received, &sim, &SimulatedTransmitter::receive);
        connect(&sim, &SimulatedTransmitter::transmit, &pty, &SimLink::write);
        connect(&sim, &SimulatedTransmitter::lineReset, &pty, &SimLink::discardUnread);

        QSerialPort port(pty.devicePath());
        port.setBaudRate(115200);
        QVector<QByteArray> chunks;
        // Like the tool: one chunk per readyRead, each answered with "WWW".
        connect(&port, &QSerialPort::readyRead, [&] {
            chunks.append(port.readAll());
            port.write("WWW");
        });
        QVERIFY(port.open(QIODevice::ReadWrite));
        port.write("OK");
        QTRY_VERIFY_WITH_TIMEOUT(chunks.size() >= 6, 5000);
        QCOMPARE(chunks.at(0).size(), 20);
        QCOMPARE(chunks.at(0).at(1), '\x18');

        port.write("DIS");
        QTRY_VERIFY_WITH_TIMEOUT(!sim.isConnected(), 5000);
        port.close();
        // The simulator keeps the line usable while the tool has it closed.
        QTest::qWait(100);
        chunks.clear();
        QVERIFY(port.open(QIODevice::ReadWrite));
        port.write("RR");
        QTRY_VERIFY_WITH_TIMEOUT(chunks.size() >= kBlockCount && !sim.replyInProgress(), 15000);
        const DecodedReply reply = decodeReply(chunks);
        QCOMPARE(reply.numbers.size(), kBlockCount);
        QCOMPARE(reply.numbers.last(), kBlockCount);
        QVERIFY(!reply.numbers.contains(0));
        QCOMPARE(blockMembersDiffering(reply.config, factoryConfiguration()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <optional>

#include "link/framecodec.h"
#include "link/inboundparser.h"
#include "link/livevalues.h"
#include "link/parameterblocks.h"
#include "model/defaults.h"
#include "model/parameterset.h"
#include "model/settings.h"

namespace {

constexpr int kUntouched = 7777;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

QByteArray paramBlock(int type, std::initializer_list<int> data)
{
    QByteArray out = bytes({0xFE, 0x00, type});
    out.append(bytes(data));
    out.append(static_cast<char>(0xFE));
    return out;
}

int &member(ParameterSet &p, const QString &name)
{
    const Setting *param = findSettingRow(name);
    if (!param || param->member.isNull())
        qFatal("unknown member %s", qPrintable(name));
    return param->member.of(p);
}

// "Name=value" pairs separated by commas.
QMap<QString, int> expectations(const QString &text)
{
    QMap<QString, int> out;
    for (const QString &pair : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList kv = pair.split(QLatin1Char('='));
        out.insert(kv.at(0).trimmed(), kv.at(1).toInt());
    }
    return out;
}

// Every value the parser may write, so a test can tell what changed.
QStringList differences(const ParameterSet &a, const ParameterSet &b)
{
    QStringList out;
    for (const Setting *param : intSettings()) {
        if (param->member.of(a) != param->member.of(b))
            out << param->key;
    }
    for (const Setting *volt : voltSettings()) {
        if (a.*volt->volts != b.*volt->volts)
            out << volt->key;
    }
    for (int ch = 0; ch < 8; ++ch) {
        if (channelOutput(ch).of(a) != channelOutput(ch).of(b))
            out << QStringLiteral("ChOut%1").arg(ch + 1);
    }
    return out;
}

bool sameLive(const LiveValues &a, const LiveValues &b)
{
    return a.LiveTxVolt == b.LiveTxVolt && a.LiveRssi == b.LiveRssi && a.LiveRxVolt == b.LiveRxVolt
            && a.LiveExtVolt == b.LiveExtVolt && a.ReadFlag == b.ReadFlag;
}

// Members the transmitter never reports in its blocks: the shown dual-rate
// values are derived afterwards, the trims come with the live stream.
const QStringList &notInBlocks()
{
    static const QStringList names = {
        QStringLiteral("DrCh"), QStringLiteral("DrUpShown"), QStringLiteral("DrDownShown"),
        QStringLiteral("DrRateShown"), QStringLiteral("DrExpShown"), QStringLiteral("Trim1"),
        QStringLiteral("Trim2"), QStringLiteral("Trim3"), QStringLiteral("Trim4"),
    };
    return names;
}

// A value in the member's valid range that differs from its start value, so
// a field that is never stored shows up.
int otherValue(const Setting &param, QRandomGenerator &rng)
{
    const int lo = param.checked ? int(param.validMin) : 0;
    const int hi = param.checked ? int(param.validMax) : 1000;
    const int start = int(param.start);
    int v = start;
    while (v == start)
        v = rng.bounded(lo, hi + 1);
    return v;
}

} // namespace

class tst_InboundParser : public QObject
{
    Q_OBJECT

private slots:
    void bytesToWord_data();
    void bytesToWord();

    void blockTable();
    void literalBlocks_data();
    void literalBlocks();
    void encoderClampsToTheField_data();
    void encoderClampsToTheField();
    void roundTripRestoresEveryTransferredMember();

    void channelPacket();
    void statusPacketTrims_data();
    void statusPacketTrims();

    void chunksNotDecoded_data();
    void chunksNotDecoded();
    void unknownBlockTypeOnlyRefreshes_data();
    void unknownBlockTypeOnlyRefreshes();
    void eightByteFragmentIsTakenAsSourceBlock();

    void randomChunksStaySane();
};

void tst_InboundParser::bytesToWord_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expected");

    QTest::newRow("big-endian") << bytes({0x03, 0xE8}) << 0 << 1000;
    QTest::newRow("high bytes unsigned") << bytes({0xFF, 0xFE}) << 0 << 0xFFFE;
    QTest::newRow("second word") << bytes({0, 0, 0x04, 0xB0}) << 2 << 1200;
    QTest::newRow("last byte alone") << bytes({0x12, 0x34}) << 1 << 0x3400;
    QTest::newRow("beyond end") << bytes({0x12, 0x34}) << 2 << 0;
    QTest::newRow("far beyond end") << bytes({0x12}) << 1000 << 0;
    QTest::newRow("empty") << QByteArray() << 0 << 0;
    QTest::newRow("negative index") << bytes({0x12, 0x34}) << -1 << 0x12;
    QTest::newRow("very negative index") << bytes({0x12, 0x34}) << -50 << 0;
}

void tst_InboundParser::bytesToWord()
{
    QFETCH(QByteArray, data);
    QFETCH(int, index);
    QFETCH(int, expected);
    QCOMPARE(::bytesToWord(data, index), expected);
}

void tst_InboundParser::blockTable()
{
    const QVector<ParameterBlock> &blocks = parameterBlocks();
    QCOMPARE(blocks.size(), 19);

    QSet<QString> transferred;
    for (int i = 0; i < blocks.size(); ++i) {
        const ParameterBlock &block = blocks.at(i);
        QCOMPARE(block.number, i + 1);
        QCOMPARE(block.fields.size(), block.length - 4);
        for (const BlockSlot &slot : block.fields) {
            if (slot.member.isNull())
                continue;
            for (const Setting *param : intSettings()) {
                if (param->member == slot.member) {
                    QVERIFY2(!transferred.contains(param->key), qPrintable(param->key));
                    transferred.insert(param->key);
                }
            }
        }
    }
    // Every configuration member travels in exactly one block, except the
    // ones the transmitter leaves to the tool.
    for (const Setting *param : intSettings()) {
        QVERIFY2(transferred.contains(param->key) != notInBlocks().contains(param->key),
                 qPrintable(param->key));
    }

    QCOMPARE(auxBlock().number, 7);
    QCOMPARE(auxBlock().length, 8);
    QVERIFY(findParamBlock(0xAA));
    QCOMPARE(findParamBlock(0xAA)->number, 17);
    QVERIFY(!findParamBlock(0x45));
}

void tst_InboundParser::literalBlocks_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<int>("block");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0x44 servo direction")
            << paramBlock(0x44, {1, 0, 0, 1, 1, 0, 1, 1}) << 1
            << "Rev1=1,Rev2=0,Rev3=0,Rev4=1,Rev5=1,Rev6=0,Rev7=1,Rev8=1";
    QTest::newRow("0x55 sub-trim centre")
            << paramBlock(0x55, {120, 120, 120, 120, 120, 120, 120, 120}) << 2
            << "Sub1=0,Sub2=0,Sub3=0,Sub4=0,Sub5=0,Sub6=0,Sub7=0,Sub8=0";
    QTest::newRow("0x55 sub-trim lowest byte")
            << paramBlock(0x55, {0, 0, 0, 0, 0, 0, 0, 0}) << 2
            << "Sub1=-120,Sub2=-120,Sub3=-120,Sub4=-120,Sub5=-120,Sub6=-120,Sub7=-120,Sub8=-120";
    QTest::newRow("0x55 sub-trim extremes")
            << paramBlock(0x55, {220, 20, 121, 119, 255, 120, 120, 140}) << 2
            << "Sub1=100,Sub2=-100,Sub3=1,Sub4=-1,Sub5=135,Sub6=0,Sub7=0,Sub8=20";
    QTest::newRow("0x88 fail-safe")
            << paramBlock(0x88, {0, 1, 2, 3, 4, 5, 6, 255}) << 5
            << "FS1=0,FS2=1,FS3=2,FS4=3,FS5=4,FS6=5,FS7=6,FS8=255";
    QTest::newRow("0x99 words")
            << paramBlock(0x99, {0x01, 0x2C, 0x00, 0x03, 0x03, 0xE8, 9, 9}) << 6
            << "TxVoltTenths=300,Mode=3,Vertion=1000";
    QTest::newRow("0xA2 elevon order")
            << paramBlock(0xA2, {1, 220, 20, 120, 121, 119, 0, 77}) << 9
            << "EleMix=1,Elev1=100,Elev5=-100,Elev2=0,Elev6=1,Elev3=-1,Elev4=-120";
    QTest::newRow("0xA3 v-tail minus 100")
            << paramBlock(0xA3, {1, 0, 200, 100, 150, 1, 5, 5}) << 10
            << "RuMix=1,Ru1=-100,Ru2=100,Ru3=0,Ru4=50,DrMix=1";
    QTest::newRow("0xA5 rates")
            << paramBlock(0xA5, {10, 20, 30, 40, 50, 60, 70, 80}) << 12
            << "DrRateUp0=10,DrRateUp1=20,DrRateUp2=30,DrRateUp3=40,"
               "DrRateDown0=50,DrRateDown1=60,DrRateDown2=70,DrRateDown3=80";
    QTest::newRow("0xA6 mix data order")
            << paramBlock(0xA6, {110, 120, 90, 80, 101, 99, 2, 7}) << 13
            << "Prm1Data2=10,Prm2Data2=20,Prm1Data3=-10,Prm2Data3=-20,"
               "Prm1Data1=1,Prm2Data1=-1,Prm1Master=2,Prm2Master=7";
    QTest::newRow("0xA9 mix 4 and curve start")
            << paramBlock(0xA9, {4, 0, 200, 150, 1, 3, 5, 15}) << 16
            << "Prm4Slave=4,Prm4Data1=-100,Prm4Data2=100,Prm4Data3=50,"
               "ThCureMix=1,ThCureExtra=3,ThCure1=5,ThCure2=15";
    QTest::newRow("0xAA curve end")
            << paramBlock(0xAA, {30, 40, 60, 70, 90, 1, 1, 1}) << 17
            << "ThCure3=30,ThCure4=40,ThCure5=60,ThCure6=70,ThCure7=90";
    QTest::newRow("0xAB system")
            << paramBlock(0xAB, {1, 2, 0x00, 0x76, 30, 45, 9, 9}) << 18
            << "DrSw=1,DrPosi=2,ExtVoltTenths=118,RssiAlarm=-70,RxVoltTenths=45";
    QTest::newRow("0xAC expo minus 100")
            << paramBlock(0xAC, {0, 200, 100, 150, 50, 101, 99, 255}) << 19
            << "DrExpUp0=-100,DrExpUp1=100,DrExpUp2=0,DrExpUp3=50,DrExpDown0=-50,"
               "DrExpDown1=1,DrExpDown2=-1,DrExpDown3=155";
    QTest::newRow("aux sources")
            << bytes({0x00, 0x00, 0xAA, 5, 4, 3, 2, 0x00}) << 7
            << "Aux5=5,Aux6=4,Aux7=3,Aux8=2";
}

void tst_InboundParser::literalBlocks()
{
    QFETCH(QByteArray, chunk);
    QFETCH(int, block);
    QFETCH(QString, expected);

    // Every member starts at a value no field of these blocks decodes to, so
    // a field that is skipped or stored twice shows.
    ParameterSet before;
    for (const Setting *param : intSettings())
        param->member.of(before) = kUntouched;
    for (const Setting *volt : voltSettings())
        before.*volt->volts = kUntouched;
    ParameterSet p = before;
    LiveValues live;
    const InboundResult result = decodeChunk(chunk, p, live);

    QCOMPARE(int(result.kind), int(block == 7 ? InboundResult::AuxBlock : InboundResult::ParamBlock));
    QCOMPARE(result.blockNumber, block);
    QCOMPARE(result.refreshPages, block != 7);
    QCOMPARE(live.ReadFlag, block);

    const QMap<QString, int> values = expectations(expected);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        QCOMPARE(member(p, it.key()), it.value());

    // Only the listed members and the voltages that follow their tenths move.
    QStringList expectedChanges = values.keys();
    if (values.contains(QStringLiteral("TxVoltTenths")))
        expectedChanges << QStringLiteral("TxVolt");
    if (values.contains(QStringLiteral("ExtVoltTenths")))
        expectedChanges << QStringLiteral("ExtVolt") << QStringLiteral("RxVolt");
    QStringList changes = differences(before, p);
    changes.sort();
    expectedChanges.sort();
    QCOMPARE(changes, expectedChanges);

    if (block == 6)
        QCOMPARE(p.TxVolt, 30.0);
    if (block == 18) {
        QCOMPARE(p.ExtVolt, 11.8);
        QCOMPARE(p.RxVolt, 4.5);
    }
}

void tst_InboundParser::encoderClampsToTheField_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expectedByte");
    QTest::addColumn<int>("expectedNext");

    QTest::newRow("sub-trim offset") << "Sub1" << 20 << 0x55 << 3 << 140 << 120;
    QTest::newRow("sub-trim below byte") << "Sub1" << -200 << 0x55 << 3 << 0 << 120;
    QTest::newRow("sub-trim above byte") << "Sub1" << 200 << 0x55 << 3 << 255 << 120;
    QTest::newRow("rssi alarm offset") << "RssiAlarm" << -70 << 0xAB << 7 << 30 << 40;
    QTest::newRow("version word") << "Vertion" << 1000 << 0x99 << 7 << 0x03 << 0xE8;
    QTest::newRow("version above word") << "Vertion" << 70000 << 0x99 << 7 << 0xFF << 0xFF;
    QTest::newRow("version negative") << "Vertion" << -5 << 0x99 << 7 << 0 << 0;
}

void tst_InboundParser::encoderClampsToTheField()
{
    QFETCH(QString, name);
    QFETCH(int, value);
    QFETCH(int, type);
    QFETCH(int, index);
    QFETCH(int, expectedByte);
    QFETCH(int, expectedNext);

    ParameterSet p;
    member(p, name) = value;
    const ParameterBlock *block = findParamBlock(type);
    QVERIFY(block);
    const QByteArray encoded = encodeBlock(*block, p);
    QCOMPARE(encoded.size(), 12);
    QCOMPARE(quint8(encoded.at(0)), quint8(0xFE));
    QCOMPARE(quint8(encoded.at(2)), quint8(type));
    QCOMPARE(quint8(encoded.at(11)), quint8(0xFE));
    QCOMPARE(int(quint8(encoded.at(index))), expectedByte);
    QCOMPARE(int(quint8(encoded.at(index + 1))), expectedNext);
}

void tst_InboundParser::roundTripRestoresEveryTransferredMember()
{
    QRandomGenerator rng(20240611);
    ParameterSet source;
    for (const Setting *param : intSettings())
        param->member.of(source) = otherValue(*param, rng);
    // The tenths are what travels; the voltages follow them.
    source.TxVoltTenths = 123;
    source.RxVoltTenths = 57;
    source.ExtVoltTenths = 999;

    const QVector<QByteArray> blocks = encodeParameterBlocks(source);
    QCOMPARE(blocks.size(), 19);

    ParameterSet target;
    LiveValues live;
    for (int i = 0; i < blocks.size(); ++i) {
        const InboundResult result = decodeChunk(blocks.at(i), target, live);
        QCOMPARE(result.blockNumber, i + 1);
        QCOMPARE(live.ReadFlag, i + 1);
    }

    for (const Setting *param : intSettings()) {
        const int expected = notInBlocks().contains(param->key) ? int(param->start) : param->member.of(source);
        QVERIFY2(param->member.of(target) == expected, qPrintable(param->key));
    }
    QCOMPARE(target.TxVolt, 12.3);
    QCOMPARE(target.RxVolt, 5.7);
    QCOMPARE(target.ExtVolt, 99.9);
}

void tst_InboundParser::channelPacket()
{
    ParameterSet p;
    LiveValues live;
    QByteArray literal = bytes({0xFE, 0x18});
    for (int ch = 0; ch < 8; ++ch)
        literal.append(bytes({0x03, 0xE8}));
    literal.append(bytes({0x04, 0xB0}));
    p.ChOut3 = 5;

    InboundResult result = decodeChunk(literal, p, live);
    QCOMPARE(int(result.kind), int(InboundResult::ChannelPacket));
    QVERIFY(!result.refreshPages);
    QCOMPARE(result.blockNumber, 0);
    for (int ch = 0; ch < 8; ++ch)
        QCOMPARE(channelOutput(ch).of(p), 1000);
    QCOMPARE(live.LiveTxVolt, 1200);

    const QVector<int> channels{0, 2000, 1500, 999, 1001, 65535, 1, 1000};
    const QByteArray encoded = encodeChannelPacket(channels, 385);
    QCOMPARE(encoded.size(), 20);
    result = decodeChunk(encoded, p, live);
    QCOMPARE(int(result.kind), int(InboundResult::ChannelPacket));
    for (int ch = 0; ch < 8; ++ch)
        QCOMPARE(channelOutput(ch).of(p), channels.at(ch));
    QCOMPARE(live.LiveTxVolt, 385);
    QCOMPARE(live.ReadFlag, 0);
}

void tst_InboundParser::statusPacketTrims_data()
{
    QTest::addColumn<int>("trimHold");
    QTest::addColumn<QByteArray>("trimBytes"); // indexes 10..13
    QTest::addColumn<QVector<int>>("expectedTrims"); // Trim1..Trim4

    QTest::newRow("order is reversed") << 0 << bytes({4, 3, 2, 1}) << QVector<int>{1, 2, 3, 4};
    QTest::newRow("238 stays") << 0 << bytes({238, 238, 0, 120}) << QVector<int>{120, 0, 238, 238};
    QTest::newRow("239 becomes 240") << 0 << bytes({239, 240, 241, 255}) << QVector<int>{240, 240, 240, 240};
    QTest::newRow("held") << 1 << bytes({4, 3, 2, 239}) << QVector<int>{120, 120, 120, 120};
}

void tst_InboundParser::statusPacketTrims()
{
    QFETCH(int, trimHold);
    QFETCH(QByteArray, trimBytes);
    QFETCH(QVector<int>, expectedTrims);

    QByteArray chunk = bytes({0xFE, 0x19, 30, 45, 0x01, 0x02, 0xAA, 0xBB, 0xCC, 0xDD});
    chunk.append(trimBytes);
    chunk.append(QByteArray(6, char(0x55)));
    QCOMPARE(chunk.size(), 20);

    ParameterSet p;
    std::optional<TrimHoldScope> hold;
    if (trimHold)
        hold.emplace(p);
    const ParameterSet before = p;
    LiveValues live;
    const InboundResult result = decodeChunk(chunk, p, live);

    QCOMPARE(int(result.kind), int(InboundResult::StatusPacket));
    QVERIFY(!result.refreshPages);
    QCOMPARE(live.LiveRssi, 30);
    QCOMPARE(live.LiveRxVolt, 45);
    QCOMPARE(live.LiveExtVolt, 0x0102);
    QCOMPARE((QVector<int>{p.Trim1, p.Trim2, p.Trim3, p.Trim4}), expectedTrims);
    for (const QString &name : differences(before, p))
        QVERIFY2(name.startsWith(QLatin1String("Trim")), qPrintable(name));

    // The encoder puts the trims where the decoder takes them from.
    const QByteArray encoded = encodeStatusPacket(30, 45, 0x0102, 11, 22, 33, 44);
    ParameterSet q;
    std::optional<TrimHoldScope> holdQ;
    if (trimHold)
        holdQ.emplace(q);
    decodeChunk(encoded, q, live);
    if (trimHold == 0)
        QCOMPARE((QVector<int>{q.Trim1, q.Trim2, q.Trim3, q.Trim4}), (QVector<int>{11, 22, 33, 44}));
    QCOMPARE(live.LiveExtVolt, 0x0102);
}

void tst_InboundParser::chunksNotDecoded_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<int>("kind");

    const QByteArray channel = encodeChannelPacket(QVector<int>(8, 1500), 1200);
    const QByteArray block = paramBlock(0x55, {0, 0, 0, 0, 0, 0, 0, 0});
    QByteArray wrongFirst = channel;
    wrongFirst[0] = char(0xFD);
    QByteArray wrongType = channel;
    wrongType[1] = char(0x1A);
    QByteArray blockWrongLast = block;
    blockWrongLast[11] = char(0xFF);
    QByteArray blockWrongFirst = block;
    blockWrongFirst[0] = char(0x00);
    QByteArray auxWrongMarker = encodeBlock(auxBlock(), ParameterSet());
    auxWrongMarker[2] = char(0xAB);

    const int unrecognised = InboundResult::Unrecognised;
    QTest::newRow("empty") << QByteArray() << int(InboundResult::Empty);
    QTest::newRow("single byte") << bytes({0xFE}) << unrecognised;
    QTest::newRow("live packet, first byte wrong") << wrongFirst << unrecognised;
    QTest::newRow("live packet, unknown kind") << wrongType << unrecognised;
    QTest::newRow("live packet one short") << channel.left(19) << unrecognised;
    QTest::newRow("live packet one long") << channel + bytes({0}) << unrecognised;
    QTest::newRow("two live packets") << channel + encodeStatusPacket(1, 2, 3, 4, 5, 6, 7) << unrecognised;
    QTest::newRow("block, last byte wrong") << blockWrongLast << unrecognised;
    QTest::newRow("block, first byte wrong") << blockWrongFirst << unrecognised;
    QTest::newRow("block one short") << block.left(11) << unrecognised;
    QTest::newRow("block one long") << block + bytes({0xFE}) << unrecognised;
    QTest::newRow("two blocks") << block + block << unrecognised;
    QTest::newRow("source block, wrong marker") << auxWrongMarker << unrecognised;
    QTest::newRow("source block one long") << encodeBlock(auxBlock(), ParameterSet()) + bytes({0}) << unrecognised;
}

void tst_InboundParser::chunksNotDecoded()
{
    QFETCH(QByteArray, chunk);
    QFETCH(int, kind);

    const ParameterSet before;
    ParameterSet p;
    LiveValues live;
    live.ReadFlag = 3;
    const LiveValues liveBefore = live;
    const InboundResult result = decodeChunk(chunk, p, live);

    QCOMPARE(int(result.kind), kind);
    QVERIFY(!result.refreshPages);
    QCOMPARE(result.blockNumber, 0);
    QCOMPARE(differences(before, p), QStringList());
    QVERIFY(sameLive(live, liveBefore));
}

void tst_InboundParser::unknownBlockTypeOnlyRefreshes_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("0x00") << 0x00;
    QTest::newRow("0x45") << 0x45;
    QTest::newRow("0xAD") << 0xAD;
    QTest::newRow("0xFE") << 0xFE;
    QTest::newRow("0x18, a live kind") << 0x18;
}

void tst_InboundParser::unknownBlockTypeOnlyRefreshes()
{
    QFETCH(int, type);
    const ParameterSet before;
    ParameterSet p;
    LiveValues live;
    live.ReadFlag = 4;
    const InboundResult result = decodeChunk(paramBlock(type, {0, 1, 2, 3, 4, 5, 6, 7}), p, live);

    QCOMPARE(int(result.kind), int(InboundResult::Unrecognised));
    QVERIFY(result.refreshPages);
    QCOMPARE(result.blockNumber, 0);
    QCOMPARE(live.ReadFlag, 4);
    QCOMPARE(differences(before, p), QStringList());
}

void tst_InboundParser::eightByteFragmentIsTakenAsSourceBlock()
{
    // The first eight bytes of throttle-curve block 17 share its type byte.
    const QByteArray fragment = paramBlock(0xAA, {3, 2, 1, 0, 90, 0, 0, 0}).left(8);
    ParameterSet p;
    LiveValues live;
    const InboundResult result = decodeChunk(fragment, p, live);

    QCOMPARE(int(result.kind), int(InboundResult::AuxBlock));
    QCOMPARE(result.blockNumber, 7);
    QVERIFY(!result.refreshPages);
    QCOMPARE(live.ReadFlag, 7);
    QCOMPARE((QVector<int>{p.Aux5, p.Aux6, p.Aux7, p.Aux8}), (QVector<int>{3, 2, 1, 0}));
    QCOMPARE(p.ThCure3, ParameterSet().ThCure3);
}

void tst_InboundParser::randomChunksStaySane()
{
    QRandomGenerator rng(77);
    const QVector<ParameterBlock> &blocks = parameterBlocks();
    ParameterSet p;
    LiveValues live;
    ParameterFrames f;

    for (int round = 0; round < 4000; ++round) {
        QByteArray chunk;
        const int shape = rng.bounded(5);
        const int length = shape == 0 ? rng.bounded(65) : QVector<int>{8, 12, 20, 20}.at(shape - 1);
        for (int i = 0; i < length; ++i)
            chunk.append(static_cast<char>(rng.bounded(256)));
        if (length == 12) {
            chunk[0] = char(0xFE);
            chunk[11] = char(0xFE);
            chunk[2] = char(blocks.at(rng.bounded(blocks.size())).type);
        } else if (length == 20) {
            chunk[0] = char(0xFE);
            chunk[1] = char(rng.bounded(2) ? 0x18 : 0x19);
        } else if (length == 8 && rng.bounded(2)) {
            chunk[2] = char(0xAA);
        }
        std::optional<TrimHoldScope> hold;
        if (rng.bounded(2))
            hold.emplace(p);
        const InboundResult result = decodeChunk(chunk, p, live);
        QVERIFY((result.kind == InboundResult::Empty) == chunk.isEmpty());
        sanitizeParameters(p);

        for (const Setting *param : intSettings()) {
            if (!param->checked)
                continue;
            const int v = param->member.of(p);
            QVERIFY2(v >= int(param->validMin) && v <= int(param->validMax),
                     qPrintable(QStringLiteral("%1 = %2 after %3").arg(param->key).arg(v).arg(QString::fromLatin1(chunk.toHex()))));
        }
        for (const Setting *volt : voltSettings()) {
            const double v = p.*volt->volts;
            QVERIFY2(v >= volt->validMin && v <= volt->validMax, qPrintable(volt->key));
        }
        for (int kind = 0; kind < 4; ++kind)
            QCOMPARE(rebuildFrame(FrameKind(kind), p, f).size(), kFrameLength);
    }
}

QTEST_APPLESS_MAIN(tst_InboundParser)
#include "tst_inboundparser.moc"

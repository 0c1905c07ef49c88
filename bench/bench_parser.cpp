#include <QTest>

#include "link/inboundparser.h"
#include "link/livevalues.h"
#include "link/parameterblocks.h"
#include "model/parameterset.h"

// Decoding cost of the inbound stream: the live packets that arrive all the
// time, and a full Read reply.
class BenchParser : public QObject
{
    Q_OBJECT

private slots:
    void decodeMixedStream();
    void decodeLivePackets();
};

namespace {

QVector<QByteArray> readReply()
{
    ParameterSet source;
    source.Sub1 = 20;
    source.DrExpUp[2] = -30;
    source.ExtVoltTenths = 118;
    return encodeParameterBlocks(source);
}

QVector<QByteArray> livePackets()
{
    return {encodeChannelPacket({900, 1000, 1100, 1500, 2000, 0, 1000, 1234}, 1185),
            encodeStatusPacket(30, 42, 118, 120, 121, 119, 239)};
}

} // namespace

void BenchParser::decodeMixedStream()
{
    // One Read reply interleaved with live packets, plus a chunk that is
    // dropped: 19 blocks + 38 live packets + 1 stray = 58 chunks per round.
    QVector<QByteArray> chunks;
    const QVector<QByteArray> live = livePackets();
    for (const QByteArray &block : readReply())
        chunks << block << live;
    chunks << QByteArray("\xFE\x18\x00", 3);

    ParameterSet p;
    LiveValues values;
    int decoded = 0;
    QBENCHMARK {
        for (const QByteArray &chunk : chunks)
            decoded += decodeChunk(chunk, p, values).kind != InboundResult::Unrecognised;
    }
    QVERIFY(decoded > 0);
    QCOMPARE(p.Sub1, 20);
}

void BenchParser::decodeLivePackets()
{
    const QVector<QByteArray> live = livePackets();
    ParameterSet p;
    LiveValues values;
    QBENCHMARK {
        decodeChunk(live.at(0), p, values);
        decodeChunk(live.at(1), p, values);
    }
    QCOMPARE(values.LiveTxVolt, 1185);
}

QTEST_APPLESS_MAIN(BenchParser)
#include "bench_parser.moc"

// The inbound chunks put back into messages: every message kind cut at every
// byte, messages merged into one chunk, and what happens when the rest of a
// message never comes.
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include "link/inboundframer.h"
#include "link/parameterblocks.h"
#include "model/defaults.h"
#include "model/parameterset.h"
#include "model/settings.h"

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

using Messages = QVector<QByteArray>;

struct Kind
{
    const char *name;
    QByteArray message;
};

// One message of each kind. The status packet's signal byte is 0xAA, so its
// first eight bytes look like the aux block; block 17 has the aux block's
// type at index 2.
QVector<Kind> kinds()
{
    ParameterSet p;
    p.Aux5 = 3;
    p.Sub1 = -7;
    const QVector<QByteArray> blocks = encodeParameterBlocks(p);
    return {{"channel", encodeChannelPacket({1000, 1500, 2000, 0, 1000, 1000, 1000, 1000}, 1200)},
            {"status", encodeStatusPacket(0xAA, 50, 74, 120, 120, 120, 120)},
            {"aux block", blocks.at(kAuxBlockNumber - 1)},
            {"param block", blocks.at(1)},
            {"param block 0xAA", blocks.at(16)}};
}

} // namespace

class tst_InboundFramer : public QObject
{
    Q_OBJECT

private slots:
    void piecesGiveTheMessages_data();
    void piecesGiveTheMessages();
    void restThatNeverComes_data();
    void restThatNeverComes();
    void heldStartTimesOut();
    void randomCutsOfAReply();
};

void tst_InboundFramer::piecesGiveTheMessages_data()
{
    QTest::addColumn<Messages>("pieces");
    QTest::addColumn<Messages>("atOnce"); // given while the pieces arrive
    QTest::addColumn<Messages>("late");   // given when time is up

    const QVector<Kind> all = kinds();
    for (const Kind &kind : all) {
        const QByteArray &m = kind.message;
        QTest::addRow("%s whole", kind.name) << Messages{m} << Messages{m} << Messages();
        for (int cut = 1; cut < m.size(); ++cut) {
            QTest::addRow("%s cut at %d", kind.name, cut)
                    << Messages{m.left(cut), m.mid(cut)} << Messages{m} << Messages();
        }
    }
    // An aux block that does not end with the marker may be the head of
    // block 17: it waits, and is the aux block when nothing follows.
    QByteArray openAux = all.at(2).message;
    openAux[7] = char(0x00);
    QTest::newRow("aux block not closed by the marker") << Messages{openAux} << Messages() << Messages{openAux};

    // All kinds in a row, then a channel packet: one chunk, and two chunks
    // cut at every byte.
    Messages row;
    QByteArray stream;
    for (const Kind &kind : all) {
        row << kind.message;
        stream += kind.message;
    }
    row << all.first().message;
    stream += all.first().message;
    QTest::newRow("all in one chunk") << Messages{stream} << row << Messages();
    for (int cut = 1; cut < stream.size(); ++cut)
        QTest::addRow("all, cut at %d", cut) << Messages{stream.left(cut), stream.mid(cut)} << row << Messages();

    // A channel packet whose third byte is 0xAA, in an 8-byte head and the
    // rest: not the aux block.
    const QByteArray aaChannel = encodeChannelPacket({0xAA00, 1000}, 1200);
    QTest::newRow("live head like the aux block") << Messages{aaChannel.left(8), aaChannel.mid(8)}
                                                  << Messages{aaChannel} << Messages();
    // The start of a block whose rest was lost, then a whole block; a piece
    // from inside a block that looks like the aux block does not end it.
    const QByteArray block = all.at(3).message;
    QTest::newRow("lost rest, then a whole block") << Messages{block.left(5), block} << Messages{block.left(5), block}
                                                   << Messages();
    QByteArray inner = block;
    inner[4] = char(0xAA); // so that bytes 2..9 look like the aux block
    QTest::newRow("inner piece like the aux block")
            << Messages{inner.left(2), inner.mid(2, 8), inner.mid(10)} << Messages{inner} << Messages();
    // A whole message and the start of the next, then its rest.
    const QByteArray status = all.at(1).message;
    QTest::newRow("message and a start") << Messages{all.first().message + status.left(5), status.mid(5)}
                                         << Messages{all.first().message, status} << Messages();
}

void tst_InboundFramer::piecesGiveTheMessages()
{
    QFETCH(Messages, pieces);
    QFETCH(Messages, atOnce);
    QFETCH(Messages, late);

    InboundFramer framer;
    Messages given;
    for (const QByteArray &piece : pieces)
        given += framer.feed(piece);
    QCOMPARE(given, atOnce);
    QCOMPARE(framer.holding(), !late.isEmpty());
    QCOMPARE(framer.takeHeld(), late);
    QVERIFY(!framer.holding());
}

// Bytes that cannot complete what is held: the held start is given as it
// stands (the decoder drops it, or takes 8 bytes with 0xAA at index 2 as the
// aux block), then the chunk is judged by itself.
void tst_InboundFramer::restThatNeverComes_data()
{
    QTest::addColumn<Messages>("pieces");
    QTest::addColumn<Messages>("given");

    const QVector<Kind> all = kinds();
    const QByteArray channel = all.at(0).message;
    const QByteArray status = all.at(1).message;
    const QByteArray block = all.at(3).message;
    // Longer than any message, so no start can take it in.
    const QByteArray noise(30, '\x01');
    QTest::newRow("start, then a whole block") << Messages{channel.left(7), block} << Messages{channel.left(7), block};
    QTest::newRow("start, then a whole packet") << Messages{block.left(5), status} << Messages{block.left(5), status};
    QTest::newRow("start, then too much") << Messages{channel.left(4), noise} << Messages{channel.left(4), noise};
    QTest::newRow("live head like the aux block, then noise")
            << Messages{status.left(8), noise} << Messages{status.left(8), noise};
    QTest::newRow("noise alone") << Messages{noise} << Messages{noise};
    QTest::newRow("rest of a lost block, then a block")
            << Messages{channel.left(4), block.mid(3) + block} << Messages{channel.left(4), block.mid(3), block};
    QTest::newRow("a packet one byte long") << Messages{channel + bytes({0})} << Messages{channel + bytes({0})};
}

void tst_InboundFramer::restThatNeverComes()
{
    QFETCH(Messages, pieces);
    QFETCH(Messages, given);

    InboundFramer framer;
    Messages out;
    for (const QByteArray &piece : pieces)
        out += framer.feed(piece);
    QCOMPARE(out, given);
    QVERIFY(!framer.holding());
}

void tst_InboundFramer::heldStartTimesOut()
{
    InboundFramer framer;
    QSignalSpy timedOut(&framer, &InboundFramer::heldTimedOut);
    const QByteArray head = kinds().at(1).message.left(8);
    QCOMPARE(framer.feed(head), Messages());
    QVERIFY(timedOut.wait(2000));
    QCOMPARE(framer.takeHeld(), Messages{head});
    framer.feed(head);
    framer.reset();
    QVERIFY(!framer.holding());
    QVERIFY(!timedOut.wait(3 * InboundFramer::kHoldMs));
}

// A Read reply and live packets of varied content, cut at random points as
// an adapter might: every message comes out whole, in order.
void tst_InboundFramer::randomCutsOfAReply()
{
    QRandomGenerator random(24);
    for (int round = 0; round < 300; ++round) {
        ParameterSet p;
        for (const Setting *param : intSettings()) {
            const int lo = int(param->validMin);
            if (param->checked)
                param->member.of(p) = lo + int(random.bounded(int(param->validMax) - lo + 1));
        }
        Messages sent = encodeParameterBlocks(p);
        for (int i = 0; i < 4; ++i) {
            QVector<int> channels;
            for (int ch = 0; ch < 8; ++ch)
                channels << int(random.bounded(2001));
            sent << encodeChannelPacket(channels, int(random.bounded(1300)))
                 << encodeStatusPacket(int(random.bounded(256)), int(random.bounded(100)), int(random.bounded(200)),
                                       int(random.bounded(241)), int(random.bounded(241)), int(random.bounded(241)),
                                       int(random.bounded(241)));
        }
        QByteArray stream;
        for (const QByteArray &m : sent)
            stream += m;
        InboundFramer framer;
        Messages given;
        for (int at = 0; at < stream.size();) {
            const int length = 1 + int(random.bounded(30));
            given += framer.feed(stream.mid(at, length));
            at += length;
        }
        given += framer.takeHeld();
        QCOMPARE(given, sent);
    }
}

QTEST_GUILESS_MAIN(tst_InboundFramer)
#include "tst_inboundframer.moc"

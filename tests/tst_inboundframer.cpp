// The inbound chunks put back into messages: every message kind cut at every
// byte, messages merged into one chunk, heads whose rest never comes or comes
// late, and random streams checked against every reading of their bytes.
#include <QHash>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include "link/inboundframer.h"
#include "link/parameterblocks.h"
#include "model/parameterset.h"
#include "model/settings.h"

namespace {

using Messages = QVector<QByteArray>;

// An empty chunk among the pieces: the hold runs out there.
const QByteArray kTimeUp;

struct Kind
{
    const char *name;
    QByteArray message;
};

ParameterSet configuration()
{
    ParameterSet p;
    p.Aux5 = 3;
    p.Sub1 = -7;
    return p;
}

QByteArray block(int number)
{
    return encodeParameterBlocks(configuration()).at(number - 1);
}

// The aux block as a transmitter may send it: the bytes at 0, 1 and 7 are
// not looked at, so they need not be the marker.
QByteArray auxWithPlainEnds()
{
    QByteArray aux = block(kAuxBlockNumber);
    aux[0] = '\x00';
    aux[7] = '\x00';
    return aux;
}

QByteArray channelPacket()
{
    return encodeChannelPacket({1000, 1500, 2000, 0, 1000, 1000, 1000, 1000}, 1200);
}

// The signal byte 0xAA makes the first eight bytes an aux block.
QByteArray statusPacket()
{
    return encodeStatusPacket(0xAA, 50, 74, 120, 120, 120, 120);
}

// One message of each kind, and the ones that look like another: block 17
// has the aux block's type at index 2, a channel output of 1022 puts the
// marker at index 11.
QVector<Kind> kinds()
{
    return {{"channel", channelPacket()},
            {"channel, CH5 1022", encodeChannelPacket({1000, 1000, 1000, 1000, 1022}, 1200)},
            {"status", statusPacket()},
            {"aux block", block(kAuxBlockNumber)},
            {"aux block, plain ends", auxWithPlainEnds()},
            {"block 2", block(2)},
            {"block 17", block(17)}};
}

struct Given
{
    Messages atOnce; // whole messages given as the pieces arrive
    Messages late;   // ... when the hold runs out
    QByteArray all;  // every byte given, whole or lost, in order
};

Given run(const Messages &pieces)
{
    InboundFraming framing;
    Given given;
    const auto take = [&given](const QVector<InboundPiece> &out, Messages &into) {
        for (const InboundPiece &piece : out) {
            if (piece.whole)
                into << piece.bytes;
            given.all += piece.bytes;
        }
    };
    for (const QByteArray &piece : pieces)
        take(piece.isEmpty() ? framing.timeUp() : framing.feed(piece), piece.isEmpty() ? given.late : given.atOnce);
    take(framing.timeUp(), given.late);
    if (framing.holding())
        given.all += "(still held)";
    return given;
}

// --- Every reading of a stream, worked out on the whole of it at once ----

// The fixed bytes of each kind: index and the values allowed there.
struct KindRule
{
    int length;
    bool (*fits)(int index, unsigned char value);
};

const KindRule kRules[] = {
    {20, [](int i, unsigned char v) { return i == 0 ? v == 0xFE : i == 1 ? v == 0x18 || v == 0x19 : true; }},
    {12, [](int i, unsigned char v) {
         return i == 0 || i == 11 ? v == 0xFE : i == 2 ? findParamBlock(v) != nullptr : true;
     }},
    {8, [](int i, unsigned char v) { return i == 2 ? v == 0xAA : true; }},
};

bool fitsKind(const QByteArray &s, int at, int count, const KindRule &rule)
{
    if (count > rule.length || at + count > s.size())
        return false;
    for (int i = 0; i < count; ++i) {
        if (!rule.fits(i, static_cast<unsigned char>(s.at(at + i))))
            return false;
    }
    return true;
}

bool isWhole(const QByteArray &s, int at, int length)
{
    for (const KindRule &rule : kRules) {
        if (rule.length == length && fitsKind(s, at, length, rule))
            return true;
    }
    return false;
}

bool isHead(const QByteArray &s, int at, int count)
{
    for (const KindRule &rule : kRules) {
        if (count < rule.length && fitsKind(s, at, count, rule))
            return true;
    }
    return false;
}

// A stream as it reached the tool: its bytes, where chunks met, and where the
// hold ran out (at the end, always).
struct Stream
{
    QByteArray bytes;
    QVector<int> cuts;
};

// The readings of a stream when the hold runs out only at its end: whole
// messages in a row, where a head may stop at a cut if a whole message
// begins there (the head was given up), and the last bytes may be a whole
// message that is also the head of a longer one (cut by the silence).
// Returns the messages every reading has, as offset -> length; false when
// there are too many readings to list.
class Oracle
{
public:
    explicit Oracle(const Stream &stream)
        : m_s(stream.bytes)
        , m_cuts(stream.cuts)
        , m_viable(stream.bytes.size() + 1, -1)
    {
    }

    bool common(QMap<int, int> *out)
    {
        m_readings = 0;
        m_counts.clear();
        QVector<QPair<int, int>> path;
        walk(0, path);
        if (m_readings > kMostReadings)
            return false;
        out->clear();
        for (auto it = m_counts.cbegin(); it != m_counts.cend(); ++it) {
            if (it.value() == m_readings)
                out->insert(int(it.key() >> 8), int(it.key() & 0xFF));
        }
        return true;
    }

private:
    static constexpr int kMostReadings = 2000;

    bool wholeFollowsAt(int at)
    {
        for (int length : {8, 12, 20}) {
            if (isWhole(m_s, at, length) && viable(at + length))
                return true;
        }
        return false;
    }

    bool tears(int from, int cut)
    {
        return cut > from && cut - from < 20 && fitsKind(m_s, from, cut - from, kRules[0])
                && !isWhole(m_s, from, cut - from) && wholeFollowsAt(cut);
    }

    bool truncated(int from) { return isHead(m_s, from, m_s.size() - from); }

    bool viable(int at)
    {
        if (at == m_s.size())
            return true;
        if (m_viable[at] < 0) {
            bool any = truncated(at);
            for (int length : {8, 12, 20})
                any = any || (isWhole(m_s, at, length) && viable(at + length));
            for (int cut : qAsConst(m_cuts))
                any = any || tears(at, cut);
            m_viable[at] = any;
        }
        return m_viable[at] == 1;
    }

    void walk(int at, QVector<QPair<int, int>> &path)
    {
        if (m_readings > kMostReadings || !viable(at))
            return;
        if (at == m_s.size()) {
            ++m_readings;
            for (const auto &message : qAsConst(path))
                ++m_counts[(qint64(message.first) << 8) | message.second];
            return;
        }
        if (truncated(at))
            walk(m_s.size(), path);
        for (int length : {8, 12, 20}) {
            if (isWhole(m_s, at, length)) {
                path.append({at, length});
                walk(at + length, path);
                path.removeLast();
            }
        }
        for (int cut : qAsConst(m_cuts)) {
            if (tears(at, cut))
                walk(cut, path);
        }
    }

    const QByteArray &m_s;
    const QVector<int> &m_cuts;
    QVector<int> m_viable;
    int m_readings = 0;
    QHash<qint64, int> m_counts;
};

// --- Random streams ------------------------------------------------------

// A byte that is often one the framing looks at.
char anyByte(QRandomGenerator &random)
{
    static const unsigned char special[] = {0xFE, 0xAA, 0x18, 0x19, 0x44, 0xA1, 0xAC};
    if (random.bounded(6) == 0)
        return static_cast<char>(special[random.bounded(int(sizeof special))]);
    return static_cast<char>(random.bounded(256));
}

// Any message: every byte the kind does not fix is any byte.
QByteArray anyMessage(QRandomGenerator &random)
{
    QByteArray m;
    switch (random.bounded(3)) {
    case 0:
        m.append('\xFE').append(random.bounded(2) ? '\x18' : '\x19');
        while (m.size() < 20)
            m.append(anyByte(random));
        break;
    case 1: {
        const QVector<ParameterBlock> &blocks = parameterBlocks();
        const ParameterBlock *b = &blocks.at(kAuxBlockNumber - 1);
        while (b->length != kParamBlockLength)
            b = &blocks.at(random.bounded(blocks.size()));
        m.append('\xFE').append(anyByte(random)).append(char(b->type));
        while (m.size() < 11)
            m.append(anyByte(random));
        m.append('\xFE');
        break;
    }
    default:
        m.append(random.bounded(2) ? '\xFE' : anyByte(random)).append(anyByte(random)).append('\xAA');
        while (m.size() < 7)
            m.append(anyByte(random));
        m.append(random.bounded(2) ? '\xFE' : anyByte(random));
        break;
    }
    return m;
}

// What the transmitter sends: a Read reply of a random configuration inside
// the valid ranges, with live packets before and after.
Messages replyWithLivePackets(QRandomGenerator &random)
{
    ParameterSet p;
    for (const Setting *param : intSettings()) {
        const int lo = int(param->validMin);
        if (param->checked)
            param->member.of(p) = lo + int(random.bounded(int(param->validMax) - lo + 1));
    }
    const auto live = [&random] {
        QVector<int> channels;
        for (int ch = 0; ch < 8; ++ch)
            channels << int(random.bounded(2001));
        return random.bounded(2) ? encodeChannelPacket(channels, int(random.bounded(1300)))
                                 : encodeStatusPacket(int(random.bounded(256)), int(random.bounded(100)),
                                                      int(random.bounded(200)), int(random.bounded(241)),
                                                      int(random.bounded(241)), int(random.bounded(241)),
                                                      int(random.bounded(241)));
    };
    Messages sent{live(), live()};
    sent += encodeParameterBlocks(p);
    sent << live() << live();
    return sent;
}

// Where an adapter cuts: anywhere, at a rate that differs from stream to
// stream, or every message once.
QVector<int> cutsOf(const Messages &sent, QRandomGenerator &random)
{
    QVector<int> cuts;
    int at = 0;
    const int style = random.bounded(4);
    for (const QByteArray &m : sent) {
        if (style == 3) {
            cuts << at + 1 + random.bounded(m.size() - 1);
        } else {
            static const int oneIn[] = {2, 6, 25};
            for (int i = 1; i < m.size(); ++i) {
                if (random.bounded(oneIn[style]) == 0)
                    cuts << at + i;
            }
        }
        at += m.size();
        if (random.bounded(3) == 0)
            cuts << at;
    }
    if (!cuts.isEmpty() && cuts.last() == at)
        cuts.removeLast();
    return cuts;
}

struct Tally
{
    int streams = 0;
    int cuts = 0;
    int messages = 0;
    int lost = 0;
    int tooManyReadings = 0;
};

// Feeds stream to a framing, the hold running out after the cuts in timeUps
// and at the end; whole messages by offset, false when bytes were lost,
// doubled or moved or are still held.
bool frame(const Stream &stream, const QVector<int> &timeUps, QMap<int, QByteArray> *whole)
{
    InboundFraming framing;
    QByteArray all;
    const auto take = [&](const QVector<InboundPiece> &pieces) {
        for (const InboundPiece &piece : pieces) {
            if (piece.whole)
                whole->insert(all.size(), piece.bytes);
            all += piece.bytes;
        }
    };
    int from = 0;
    for (int cut : stream.cuts + QVector<int>{int(stream.bytes.size())}) {
        take(framing.feed(stream.bytes.mid(from, cut - from)));
        if (timeUps.contains(cut))
            take(framing.timeUp());
        from = cut;
    }
    take(framing.timeUp());
    return all == stream.bytes && !framing.holding();
}

} // namespace

class tst_InboundFramer : public QObject
{
    Q_OBJECT

private slots:
    void piecesGiveTheMessages_data();
    void piecesGiveTheMessages();
    void heldStartTimesOut();
    void anyStreamGivesWhatEveryReadingHas();
    void lateRestsNeverGiveAWrongMessage();
};

void tst_InboundFramer::piecesGiveTheMessages_data()
{
    QTest::addColumn<Messages>("pieces");
    QTest::addColumn<Messages>("atOnce");
    QTest::addColumn<Messages>("late");

    // Each kind whole and cut at every byte, its rest right after, then the
    // next block as in a Read.
    const QByteArray next = block(8);
    const QVector<Kind> all = kinds();
    for (const Kind &kind : all) {
        const QByteArray &m = kind.message;
        QTest::addRow("%s whole", kind.name) << Messages{m, next} << Messages{m, next} << Messages();
        for (int cut = 1; cut < m.size(); ++cut) {
            QTest::addRow("%s cut at %d", kind.name, cut)
                    << Messages{m.left(cut), m.mid(cut), next} << Messages{m, next} << Messages();
        }
    }

    // All kinds in a row and the next block: one chunk, and two chunks cut
    // at every byte.
    Messages row;
    QByteArray stream;
    for (const Kind &kind : all) {
        row << kind.message;
        stream += kind.message;
    }
    row << next;
    stream += next;
    QTest::newRow("all in one chunk") << Messages{stream} << row << Messages();
    for (int cut = 1; cut < stream.size(); ++cut)
        QTest::addRow("all, cut at %d", cut) << Messages{stream.left(cut), stream.mid(cut)} << row << Messages();

    const QByteArray channel = channelPacket();
    const QByteArray status = statusPacket();
    const QByteArray aux = block(kAuxBlockNumber);
    const QByteArray block2 = block(2);
    const QByteArray block17 = block(17);

    // What follows decides what an aux block was; with nothing after it in
    // time, one that begins like block 17 is lost, not guessed.
    QTest::newRow("aux block, then nothing") << Messages{aux} << Messages() << Messages();
    QTest::newRow("aux block with plain ends, then nothing")
            << Messages{auxWithPlainEnds()} << Messages{auxWithPlainEnds()} << Messages();
    QTest::newRow("aux block, the next blocks each after the hold")
            << Messages{aux, kTimeUp, next, kTimeUp, block(9)} << Messages{next, block(9)} << Messages();
    QTest::newRow("block 17 cut at 8, its rest after the hold")
            << Messages{block17.left(8), kTimeUp, block17.mid(8), next} << Messages{next} << Messages();

    // A head whose rest never came, then whole messages that could also be
    // that rest: the two readings cannot be told apart, so neither is given;
    // what comes after them is.
    QTest::newRow("channel head of 8, then block 2") << Messages{channel.left(8), block2} << Messages() << Messages();
    QTest::newRow("status head of 8, then block 2, block 3")
            << Messages{status.left(8), block2, block(3)} << Messages{block(3)} << Messages();
    QTest::newRow("channel head of 12, then the aux block") << Messages{channel.left(12), aux} << Messages() << Messages();
    QTest::newRow("channel head of 12, then the aux block with plain ends, block 8")
            << Messages{channel.left(12), auxWithPlainEnds(), next} << Messages{next} << Messages();

    // A head whose rest never came, then bytes that cannot be its rest.
    const QByteArray noise(30, '\x01');
    QTest::newRow("head, then a block") << Messages{block2.left(5), block2} << Messages{block2} << Messages();
    QTest::newRow("head, then a packet") << Messages{block2.left(5), status} << Messages{status} << Messages();
    // A head of 7 and block 2 may also be a head of 19 given up before
    // block 8, or, with nothing after them, a packet whose last byte is late.
    QTest::newRow("channel head of 7, then block 2, block 8")
            << Messages{channel.left(7), block2, next} << Messages{next} << Messages();
    QTest::newRow("channel head of 7, then block 2") << Messages{channel.left(7), block2} << Messages() << Messages();
    QTest::newRow("head, then noise") << Messages{channel.left(4), noise} << Messages() << Messages();
    QTest::newRow("noise alone") << Messages{noise} << Messages() << Messages();
    QTest::newRow("a packet and one byte more") << Messages{channel + QByteArray(1, '\0')} << Messages{channel}
                                                << Messages();
    QTest::newRow("the rest of a head never seen, then a block")
            << Messages{block2.mid(3) + block2} << Messages{block2} << Messages();

    // After the hold ran out on a head, its rest is skipped, even where it
    // looks like a message.
    QByteArray auxInside = block2;
    auxInside[6] = '\xAA';
    QTest::newRow("rest after the hold, like an aux block")
            << Messages{auxInside.left(4), kTimeUp, auxInside.mid(4), channel} << Messages{channel} << Messages();
    QTest::newRow("rest after the hold, then a packet")
            << Messages{block2.left(5), kTimeUp, block2.mid(5), channel} << Messages{channel} << Messages();

    // Pieces that look like other messages inside one that comes whole.
    const QByteArray aaChannel = encodeChannelPacket({0xAA00, 1000}, 1200);
    QTest::newRow("live head like the aux block")
            << Messages{aaChannel.left(8), aaChannel.mid(8)} << Messages{aaChannel} << Messages();
    QByteArray inner = block2;
    inner[4] = '\xAA';
    QTest::newRow("inner piece like the aux block")
            << Messages{inner.left(2), inner.mid(2, 8), inner.mid(10), next} << Messages{inner, next} << Messages();
    QTest::newRow("message and a head") << Messages{channel + status.left(5), status.mid(5)}
                                        << Messages{channel, status} << Messages();
}

void tst_InboundFramer::piecesGiveTheMessages()
{
    QFETCH(Messages, pieces);
    QFETCH(Messages, atOnce);
    QFETCH(Messages, late);

    const Given given = run(pieces);
    QCOMPARE(given.atOnce, atOnce);
    QCOMPARE(given.late, late);
    // Every byte comes out once, whole or lost, in order.
    QByteArray joined;
    for (const QByteArray &piece : pieces)
        joined += piece;
    QCOMPARE(given.all, joined);
}

void tst_InboundFramer::heldStartTimesOut()
{
    InboundFramer framer;
    QSignalSpy timedOut(&framer, &InboundFramer::heldTimedOut);
    const QByteArray head = channelPacket().left(8);
    QCOMPARE(framer.feed(head), QVector<InboundPiece>());
    QVERIFY(framer.holding());
    QVERIFY(timedOut.wait(2000));
    QCOMPARE(framer.takeHeld(), (QVector<InboundPiece>{{head, false}}));
    framer.feed(head);
    framer.reset();
    QVERIFY(!framer.holding());
    QVERIFY(!timedOut.wait(3 * InboundFramer::kHoldMs));
}

// Any valid messages in a row, and Read replies among live packets, cut
// anywhere, with the hold running out only at the end: the framing gives
// exactly the messages that every reading of the bytes has. So a message is
// lost only where two readings truly differ, and a wrong one never comes.
void tst_InboundFramer::anyStreamGivesWhatEveryReadingHas()
{
    QRandomGenerator random(33);
    Tally any, replies;
    for (int round = 0; round < 3000; ++round) {
        const bool reply = round % 4 == 0;
        Tally &tally = reply ? replies : any;
        Messages sent;
        if (reply) {
            sent = replyWithLivePackets(random);
        } else {
            for (int i = 1 + random.bounded(12); i > 0; --i)
                sent << anyMessage(random);
        }
        Stream stream;
        for (const QByteArray &m : qAsConst(sent))
            stream.bytes += m;
        stream.cuts = cutsOf(sent, random);

        QMap<int, int> expected;
        if (!Oracle(stream).common(&expected)) {
            ++tally.tooManyReadings;
            continue;
        }
        QMap<int, QByteArray> whole;
        QVERIFY2(frame(stream, {}, &whole), stream.bytes.toHex().constData());
        QMap<int, int> given;
        for (auto it = whole.cbegin(); it != whole.cend(); ++it)
            given.insert(it.key(), it.value().size());
        if (given != expected) {
            QStringList cuts;
            for (int cut : qAsConst(stream.cuts))
                cuts << QString::number(cut);
            QFAIL(qPrintable(QStringLiteral("round %1: %2 cut at %3").arg(round)
                                     .arg(QString::fromLatin1(stream.bytes.toHex()), cuts.join(','))));
        }
        ++tally.streams;
        tally.cuts += stream.cuts.size();
        tally.messages += sent.size();
        tally.lost += sent.size() - given.size();
    }
    const auto report = [](const char *name, const Tally &tally) {
        qInfo("%s: %d streams, %d cut positions, %d messages, %d lost where readings differ, %d streams with too many "
              "readings to list",
              name, tally.streams, tally.cuts, tally.messages, tally.lost, tally.tooManyReadings);
    };
    report("any messages", any);
    report("replies and live packets", replies);
    QVERIFY(any.streams > 2000 && replies.streams > 700);
    // The readings of a reply and its live packets all but always agree.
    QVERIFY(replies.lost * 1000 <= replies.messages);
}

// With the hold running out here and there, heads are lost and their late
// rests are skipped, but every message given is one that was sent, there.
void tst_InboundFramer::lateRestsNeverGiveAWrongMessage()
{
    QRandomGenerator random(3304);
    int streams = 0;
    int messages = 0;
    int given = 0;
    for (int round = 0; round < 2000; ++round) {
        Messages sent = round % 2 ? replyWithLivePackets(random) : Messages();
        for (int i = sent.isEmpty() ? 1 + random.bounded(12) : 0; i > 0; --i)
            sent << anyMessage(random);
        Stream stream;
        QMap<int, QByteArray> at;
        for (const QByteArray &m : qAsConst(sent)) {
            at.insert(stream.bytes.size(), m);
            stream.bytes += m;
        }
        stream.cuts = cutsOf(sent, random);
        QVector<int> timeUps;
        for (int cut : qAsConst(stream.cuts)) {
            if (random.bounded(4) == 0)
                timeUps << cut;
        }
        QMap<int, QByteArray> whole;
        QVERIFY(frame(stream, timeUps, &whole));
        for (auto it = whole.cbegin(); it != whole.cend(); ++it)
            QVERIFY2(at.value(it.key()) == it.value(), qPrintable(QStringLiteral("round %1 at %2").arg(round).arg(it.key())));
        ++streams;
        messages += sent.size();
        given += whole.size();
    }
    qInfo("with the hold running out: %d streams, %d messages, %d given", streams, messages, given);
}

QTEST_GUILESS_MAIN(tst_InboundFramer)
#include "tst_inboundframer.moc"

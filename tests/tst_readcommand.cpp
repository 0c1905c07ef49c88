// Read against a transmitter on a pseudo-terminal: the nineteen blocks, the
// acknowledgements that pace them, and what a following Write carries.
#include "link/parameterblocks.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTest>
#include <memory>

#include "app/mainwindow.h"
#include "link/framecodec.h"
#include "link/inboundframer.h"
#include "link/livevalues.h"
#include "model/defaults.h"
#include "model/dualrate.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "support/appstate.h"
#include "support/fakeportrig.h"
#include "support/modalwatcher.h"
#include "ui/mainform.h"

namespace {

// A configuration in which nearly every member differs from its start value
// and stays inside its valid range.
ParameterSet unusualConfiguration()
{
    ParameterSet p;
    for (const Setting *param : intSettings()) {
        if (!param->checked)
            continue;
        const int lo = int(param->validMin);
        const int span = int(param->validMax) - lo;
        int v = lo + (int(param->start) - lo + 1 + span / 3) % (span + 1);
        param->member.of(p) = v;
    }
    // Values every editor can show, so the page refresh leaves them alone.
    p.AttiM = 2;
    p.DrCh = 2;
    p.DrSw = 0;
    p.DrPosi = 1;
    p.ThCureMix = 1;
    p.Mode = 3;
    p.Prm1Master = 6;
    p.Prm2Master = 7;
    p.Prm1Slave = 2;
    p.Prm2Slave = 4;
    p.Prm3Master = 5;
    p.Prm4Master = 3;
    p.Prm3Slave = 1;
    p.Prm4Slave = 0;
    p.Prm3Data2 = 40;
    p.Prm3Data3 = 20;
    p.Prm4Data2 = 70;
    p.Prm4Data3 = 10;
    p.TxVoltTenths = 74;
    p.RxVoltTenths = 48;
    p.ExtVoltTenths = 123;
    p.TxVolt = 7.4;
    p.RxVolt = 4.8;
    p.ExtVolt = 12.3;
    p.Vertion = 321;
    selectDualRate(p);
    return p;
}

struct CapturedDebug
{
    static QStringList &lines()
    {
        static QStringList l;
        return l;
    }
    static void handler(QtMsgType, const QMessageLogContext &, const QString &msg) { lines().append(msg); }
};

} // namespace

class TestReadCommand : public QObject
{
    Q_OBJECT

private:
    FakePortRig rig;
    std::unique_ptr<FakeTransmitter> &tx = rig.tx;
    std::unique_ptr<MainWindow> &w = rig.w;

    bool openPort() { return rig.openPort(); }

private slots:
    void initTestCase()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
    }

    void init() { QVERIFY2(rig.start(), qPrintable(rig.error)); }
    void cleanup() { rig.stop(); }

    void readTakesTheWholeConfigurationAndWriteSendsItBack()
    {
        QVERIFY(openPort());
        const ParameterSet remote = unusualConfiguration();
        tx->setConfiguration(remote);
        tx->answerReads(true);

        CapturedDebug::lines().clear();
        const QtMessageHandler previous = qInstallMessageHandler(CapturedDebug::handler);
        const int first = tx->messages().size();
        clickLater(*w, QStringLiteral("toolButton_Read"));
        QTRY_COMPARE_WITH_TIMEOUT(tx->replyBlocksSent(), 19, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(!tx->replyInProgress(), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);
        qInstallMessageHandler(previous);

        // "RR", then one acknowledgement per block.
        QCOMPARE(tx->kinds().mid(first).first(), QStringLiteral("RR"));
        QCOMPARE(tx->kinds().mid(first).count(QStringLiteral("WWW")), 19);
        QStringList flags;
        for (const QString &line : CapturedDebug::lines()) {
            if (line.startsWith(QLatin1String("ReadFlag:")))
                flags << line;
        }
        QCOMPARE(flags.size(), 19);
        QCOMPARE(flags.first(), QStringLiteral("ReadFlag:1"));
        QCOMPARE(flags.at(6), QStringLiteral("ReadFlag:7"));
        QCOMPARE(flags.last(), QStringLiteral("ReadFlag:19"));

        // The selected channel and the shown dual-rate values are not
        // transferred; DrCh stays as it was and the view is rebuilt from it.
        ParameterSet expected = remote;
        expected.DrCh = 0;
        selectDualRate(expected);
        QCOMPARE(differingMembers(w->params(), expected), QStringList());
        QCOMPARE(w->form()->find<QSpinBox>(QStringLiteral("spinBox_Vertion"))->value(), 321);

        // Let the pages settle, then Write: the frames carry exactly that.
        QTest::qWait(250);
        QCOMPARE(differingMembers(w->params(), expected), QStringList());
        const int before = tx->messages().size();
        clickLater(*w, QStringLiteral("toolButton_Send"));
        QVERIFY(tx->waitForMessage(QStringLiteral("I"), 10000));
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);

        ParameterSet reference = expected;
        ParameterFrames referenceFrames;
        QVector<QByteArray> sent;
        for (const auto &m : tx->messages().mid(before)) {
            if (m.kind.size() == 1)
                sent << m.bytes;
        }
        QVector<QByteArray> wanted;
        for (FrameKind k : {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I})
            wanted << rebuildFrame(k, reference, referenceFrames);
        QCOMPARE(sent, wanted);
    }

    void readWithAPartialReplyKeepsWhatArrived()
    {
        QVERIFY(openPort());
        ParameterSet remote;
        remote.Sub4 = -77;
        remote.Lepa2 = 12;
        auto blocks = encodeParameterBlocks(remote);
        blocks.resize(3); // the transmitter stops after block 3
        tx->setReadReply(blocks);
        tx->answerReads(true);
        clickLater(*w, QStringLiteral("toolButton_Read"));
        QTRY_COMPARE_WITH_TIMEOUT(w->params().Lepa2, 12, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 5000);
        QCOMPARE(w->params().Sub4, -77);
        QCOMPARE(w->params().Delay1, 100);
    }

    // An adapter's latency timer cuts every block in two: the Read still
    // gets all nineteen, and each piece is acknowledged once.
    void readWhoseBlocksArriveInTwoPieces()
    {
        QVERIFY(openPort());
        const ParameterSet remote = unusualConfiguration();
        tx->setConfiguration(remote);
        tx->answerReads(true);
        tx->splitReplyBlocks(5);
        const int first = tx->count(QStringLiteral("WWW"));
        clickLater(*w, QStringLiteral("toolButton_Read"));
        QVERIFY(tx->waitForMessage(QStringLiteral("RR"), 5000));
        QTRY_VERIFY_WITH_TIMEOUT(tx->replyBlocksSent() == 19 && !tx->replyInProgress() && !w->transferRunning(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(w->findChild<QLabel *>(QStringLiteral("statusLabel"))->toolTip().contains(
                                         QStringLiteral("已读取 19/19")),
                                 5000);
        ParameterSet expected = remote;
        expected.DrCh = 0;
        selectDualRate(expected);
        QCOMPARE(differingMembers(w->params(), expected), QStringList());
        // Every piece is acknowledged once.
        QCOMPARE(tx->count(QStringLiteral("WWW")) - first, 2 * 19);
    }

    // Live packets cut apart or sent together reach the monitor whole; an
    // 8-byte head with 0xAA at index 2 is not taken as the aux block, nor a
    // head given up for a packet.
    void livePacketsInPiecesOrTogether_data()
    {
        QTest::addColumn<QVector<QByteArray>>("chunks");
        QTest::addColumn<int>("ch1");
        const QByteArray status = encodeStatusPacket(0xAA, 48, 123, 120, 120, 120, 120);
        const QByteArray channel = encodeChannelPacket({1500, 1000, 1000, 1000, 1000, 1000, 1000, 1000}, 1200);
        QTest::newRow("status head like the aux block, then its rest")
                << QVector<QByteArray>{status.left(8), status.mid(8)} << 1000;
        QTest::newRow("status and channel in one chunk") << QVector<QByteArray>{status + channel} << 1500;
        QTest::newRow("channel and a status head, then its rest")
                << QVector<QByteArray>{channel + status.left(8), status.mid(8)} << 1500;
        QTest::newRow("channel head given up, then a status") << QVector<QByteArray>{channel.left(8), status} << 1000;
    }
    void livePacketsInPiecesOrTogether()
    {
        QFETCH(QVector<QByteArray>, chunks);
        QFETCH(int, ch1);
        QVERIFY(openPort());
        const QVector<int> aux = {w->params().Aux5, w->params().Aux6, w->params().Aux7, w->params().Aux8};
        const int first = tx->count(QStringLiteral("WWW"));
        for (const QByteArray &chunk : chunks) {
            tx->send(chunk);
            QTest::qWait(5);
        }
        QTRY_COMPARE_WITH_TIMEOUT(w->liveValues().LiveRssi, 0xAA, 5000);
        QCOMPARE(w->liveValues().LiveExtVolt, 123);
        QCOMPARE(w->params().ChOut1, ch1);
        QTest::qWait(3 * InboundFramer::kHoldMs);
        QCOMPARE((QVector<int>{w->params().Aux5, w->params().Aux6, w->params().Aux7, w->params().Aux8}), aux);
        QTRY_COMPARE_WITH_TIMEOUT(tx->count(QStringLiteral("WWW")) - first, chunks.size(), 5000);
        QTest::qWait(50);
        QCOMPARE(tx->count(QStringLiteral("WWW")) - first, chunks.size());
    }

    // Whatever arrives, the window survives, every member ends inside its
    // range and the frames keep their length.
    void randomChunksNeverCorruptTheConfiguration()
    {
        QVERIFY(openPort());
        QRandomGenerator rng(20261207);
        const QVector<QByteArray> blocks = encodeParameterBlocks(unusualConfiguration());
        const int first = tx->messages().size();
        int sent = 0;
        for (int i = 0; i < 600; ++i) {
            QByteArray chunk;
            const int pick = rng.bounded(4);
            if (pick == 0) {
                chunk = blocks.at(rng.bounded(blocks.size()));
                // Corrupt a data byte now and then: out-of-range values.
                chunk[3 + rng.bounded(chunk.size() - 4)] = char(rng.bounded(256));
            } else {
                static const int lengths[] = {1, 7, 8, 12, 19, 20, 21, 40, 64};
                chunk.resize(lengths[rng.bounded(9)]);
                for (char &c : chunk)
                    c = char(rng.bounded(256));
                if (pick == 1 && chunk.size() >= 12) {
                    chunk[0] = char(0xFE);
                    chunk[chunk.size() - 1] = char(0xFE);
                }
            }
            tx->send(chunk);
            ++sent;
            QTest::qWait(3);
        }
        QTRY_VERIFY_WITH_TIMEOUT(tx->kinds().mid(first).count(QStringLiteral("WWW")) > 0, 5000);
        QTest::qWait(300);
        for (const Setting *p : intSettings()) {
            if (!p->checked)
                continue;
            const int v = p->member.of(w->params());
            QVERIFY2(v >= int(p->validMin) && v <= int(p->validMax),
                     qPrintable(p->key + QLatin1Char('=') + QString::number(v)));
        }
        for (FrameKind k : {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I})
            QCOMPARE(rebuildFrame(k, w->params(), w->frames()).size(), kFrameLength);
        // Chunks can merge on the way, so at most one acknowledgement each.
        QVERIFY(tx->kinds().mid(first).count(QStringLiteral("WWW")) <= sent);
        QVERIFY(w->port().isOpen());
    }
};

QTEST_MAIN(TestReadCommand)
#include "tst_readcommand.moc"

#include "link/parameterblocks.h" // first: see faketransmitter.cpp

#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>

#include <numeric>

#include "link/inboundparser.h"
#include "link/livevalues.h"
#include "model/parameterset.h"
#include "support/faketransmitter.h"

namespace {

// A printable 81-byte frame as the tool sends it: letter, fields, tail.
QByteArray frame(char letter, char terminator)
{
    QByteArray f(81, '0');
    f[0] = letter;
    f.replace(1, 8, "8C8C7878");
    f[80] = terminator;
    return f;
}

// What the port received, one entry per readyRead.
struct PortReader
{
    QVector<QByteArray> chunks;
    bool answerWithWww = false;

    void attach(QSerialPort &port)
    {
        QObject::connect(&port, &QSerialPort::readyRead, &port, [this, &port] {
            const QByteArray chunk = port.readAll();
            if (chunk.isEmpty())
                return;
            chunks.append(chunk);
            if (answerWithWww)
                port.write("WWW");
        });
    }
};

} // namespace

class TestFakeTransmitter : public QObject
{
    Q_OBJECT

private:
    // Opens a real serial port on the transmitter's device as the tool does.
    bool openPort(QSerialPort &port, const FakeTransmitter &tx)
    {
        port.setPortName(tx.devicePath());
        port.setBaudRate(QSerialPort::Baud115200);
        port.setDataBits(QSerialPort::Data8);
        port.setParity(QSerialPort::NoParity);
        port.setStopBits(QSerialPort::OneStop);
        port.setFlowControl(QSerialPort::NoFlowControl);
        return port.open(QIODevice::ReadWrite);
    }

private slots:
    void init()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are Unix only");
    }

    void opensAsSerialPort()
    {
        FakeTransmitter tx;
        QVERIFY2(tx.isOpen(), qPrintable(tx.errorString()));
        QVERIFY(tx.devicePath().startsWith(QLatin1String("/dev/")));
        QSerialPort port;
        QVERIFY2(openPort(port, tx), qPrintable(port.errorString()));
        QCOMPARE(port.error(), QSerialPort::NoError);
    }

    void splitsWrites_data()
    {
        QTest::addColumn<QVector<QByteArray>>("writes"); // each one write, 60 ms apart
        QTest::addColumn<QStringList>("kinds");

        const QByteArray s = frame('S', 'Y');
        const QByteArray g = frame('G', 'Z');
        const QByteArray h = frame('H', 'X');
        const QByteArray i = frame('I', 'V');
        const QByteArray stray("\x01\xFE\x80", 3);

        QTest::newRow("handshake") << QVector<QByteArray>{"OK", "DIS"} << QStringList{"OK", "DIS"};
        QTest::newRow("OK and WWW glued") << QVector<QByteArray>{"OKWWW"} << QStringList{"OK", "WWW"};
        QTest::newRow("frame then WWW glued")
            << QVector<QByteArray>{s + "WWW"} << QStringList{"S", "WWW"};
        QTest::newRow("whole write glued")
            << QVector<QByteArray>{s + g + h + i + "WWW"} << QStringList{"S", "G", "H", "I", "WWW"};
        QTest::newRow("WWW after WWW") << QVector<QByteArray>{"WWWWWWRR"} << QStringList{"WWW", "WWW", "RR"};
        QTest::newRow("frame over two writes")
            << QVector<QByteArray>{s.left(30), s.mid(30) + "WWW"} << QStringList{"S", "WWW"};
        QTest::newRow("command over two writes")
            << QVector<QByteArray>{"RRW", "WW"} << QStringList{"RR", "WWW"};
        QTest::newRow("garbage between commands")
            << QVector<QByteArray>{"OK" + stray + "RR"} << QStringList{"OK", "garbage", "RR"};
        QTest::newRow("unfinished command") << QVector<QByteArray>{"DI"} << QStringList{"garbage"};
        QTest::newRow("short frame") << QVector<QByteArray>{s.left(40)} << QStringList{"garbage"};
        QTest::newRow("letter without frame")
            << QVector<QByteArray>{"S" + stray + "OK"} << QStringList{"garbage", "OK"};
    }

    void splitsWrites()
    {
        QFETCH(QVector<QByteArray>, writes);
        QFETCH(QStringList, kinds);

        FakeTransmitter tx;
        QSerialPort port;
        QVERIFY(openPort(port, tx));
        QByteArray written;
        for (const QByteArray &w : writes) {
            port.write(w);
            QVERIFY(port.waitForBytesWritten(1000));
            written += w;
            QTest::qWait(60);
        }
        QTRY_COMPARE_WITH_TIMEOUT(tx.kinds(), kinds, 5000);
        QCOMPARE(tx.allBytes(), written);

        QByteArray joined;
        for (const TransmitterMessage &m : tx.messages())
            joined += m.bytes;
        QCOMPARE(joined, written);
        for (const TransmitterMessage &m : tx.messagesOfKind("S"))
            QCOMPARE(m.bytes.size(), 81);
    }

    void timestampsFollowArrival()
    {
        FakeTransmitter tx;
        QSerialPort port;
        QVERIFY(openPort(port, tx));
        QSignalSpy received(&tx, &FakeTransmitter::messageReceived);
        for (const char *command : {"OK", "RR", "WWW", "DIS"}) {
            port.write(command);
            QTRY_COMPARE(tx.kinds().value(tx.kinds().size() - 1), QString::fromLatin1(command));
            QTest::qWait(30);
        }
        const QVector<TransmitterMessage> messages = tx.messages();
        QCOMPARE(messages.size(), 4);
        QCOMPARE(received.count(), 4);
        for (int i = 1; i < messages.size(); ++i)
            QVERIFY2(messages[i].atMs > messages[i - 1].atMs,
                     qPrintable(QStringLiteral("%1 then %2").arg(messages[i - 1].atMs).arg(messages[i].atMs)));
        QCOMPARE(received.first().first().value<TransmitterMessage>().kind, QStringLiteral("OK"));

        tx.clear();
        QVERIFY(tx.messages().isEmpty());
        QVERIFY(tx.allBytes().isEmpty());
        port.write("RR");
        QVERIFY(tx.waitForMessage("RR"));
        QCOMPARE(tx.count("RR"), 1);
    }

    void sendArrivesAsOneChunk_data()
    {
        QTest::addColumn<QVector<QByteArray>>("chunks");
        const ParameterSet set;
        const QVector<QByteArray> blocks = encodeParameterBlocks(set);
        QTest::newRow("channel packet") << QVector<QByteArray>{encodeChannelPacket({}, 1200)};
        QTest::newRow("parameter block") << QVector<QByteArray>{blocks.at(1)};
        QTest::newRow("aux block") << QVector<QByteArray>{blocks.at(kAuxBlockNumber - 1)};
        QTest::newRow("three spaced") << QVector<QByteArray>{
            blocks.at(0), encodeStatusPacket(90, 50, 74, 120, 120, 120, 239), blocks.at(18)};
    }

    void sendArrivesAsOneChunk()
    {
        QFETCH(QVector<QByteArray>, chunks);
        FakeTransmitter tx;
        QSerialPort port;
        QVERIFY(openPort(port, tx));
        PortReader reader;
        reader.attach(port);

        tx.sendChunksSpaced(chunks, 50);
        QTRY_COMPARE(reader.chunks, chunks);
        QTest::qWait(50);
        QCOMPARE(reader.chunks, chunks);
    }

    // The reply to "RR" goes out one block per "WWW", so each block reaches
    // the tool as a chunk of its own, and decoding the chunks in the tool's
    // way gives back the configuration.
    void readReplyIsPacedByWww()
    {
        ParameterSet device;
        device.Rev3 = 1;
        device.Sub1 = 20;
        device.Sub8 = -35;
        device.Aux6 = 2;
        device.ThCure7 = 88;
        device.Prm2Data1 = -40;
        device.ExtVoltTenths = 321;
        device.DrExpDown[2] = 15;

        FakeTransmitter tx;
        tx.setConfiguration(device);
        tx.answerReads(true);
        QSerialPort port;
        QVERIFY(openPort(port, tx));
        PortReader reader;
        reader.answerWithWww = true;
        reader.attach(port);

        port.write("RR");
        QTRY_COMPARE_WITH_TIMEOUT(reader.chunks.size(), 19, 10000);
        QTRY_VERIFY(!tx.replyInProgress());
        QCOMPARE(reader.chunks, encodeParameterBlocks(device));
        QCOMPARE(tx.count("WWW"), 19);
        QCOMPARE(tx.replyBlocksSent(), 19);

        ParameterSet tool;
        LiveValues live;
        QVector<int> numbers;
        for (const QByteArray &chunk : reader.chunks)
            numbers.append(decodeChunk(chunk, tool, live).blockNumber);
        QVector<int> expected(19);
        std::iota(expected.begin(), expected.end(), 1);
        QCOMPARE(numbers, expected);
        QCOMPARE(tool.Rev3, 1);
        QCOMPARE(tool.Sub1, 20);
        QCOMPARE(tool.Sub8, -35);
        QCOMPARE(tool.Aux6, 2);
        QCOMPARE(tool.ThCure7, 88);
        QCOMPARE(tool.Prm2Data1, -40);
        QCOMPARE(tool.ExtVoltTenths, 321);
        QCOMPARE(tool.DrExpDown[2], 15);
    }

    void readReplyWaitsForEachWww()
    {
        FakeTransmitter tx;
        tx.setConfiguration(ParameterSet());
        tx.answerReads(true);
        QSerialPort port;
        QVERIFY(openPort(port, tx));
        PortReader reader;
        reader.attach(port);

        port.write("RR");
        QTRY_COMPARE(reader.chunks.size(), 1);
        QTest::qWait(300);
        QCOMPARE(reader.chunks.size(), 1);
        QCOMPARE(tx.replyBlocksSent(), 1);
        QVERIFY(tx.replyInProgress());

        port.write("WWW");
        QTRY_COMPARE(reader.chunks.size(), 2);
        QTest::qWait(100);
        QCOMPARE(reader.chunks.size(), 2);
        QCOMPARE(reader.chunks.at(1), encodeParameterBlocks(ParameterSet()).at(1));
    }

    // A chunk the tool has not answered yet holds the reply back, so the
    // first block never lands in the same read as an earlier packet.
    void readReplyWaitsForEarlierChunks()
    {
        FakeTransmitter tx;
        tx.setConfiguration(ParameterSet());
        tx.answerReads(true);
        QSerialPort port;
        QVERIFY(openPort(port, tx));
        PortReader reader;
        reader.attach(port);

        tx.send(encodeChannelPacket({}, 1200));
        QTRY_COMPARE(reader.chunks.size(), 1);
        port.write("RR");
        QVERIFY(tx.waitForMessage("RR"));
        QTest::qWait(100);
        QCOMPARE(reader.chunks.size(), 1);
        port.write("WWW");
        QTRY_COMPARE(reader.chunks.size(), 2);
        QCOMPARE(reader.chunks.at(1).size(), kParamBlockLength);
    }

    void noReplyUnlessAsked()
    {
        FakeTransmitter tx;
        tx.setConfiguration(ParameterSet());
        QSerialPort port;
        QVERIFY(openPort(port, tx));
        PortReader reader;
        reader.attach(port);
        port.write("RR");
        QVERIFY(tx.waitForMessage("RR"));
        QTest::qWait(150);
        QVERIFY(reader.chunks.isEmpty());
        QCOMPARE(tx.bytesSent(), 0);
    }

    void liveStreamAlternatesAfterHandshake()
    {
        LiveFeed feed;
        feed.channels = {1100, 1200, 900, 1000, 2000, 0, 1500, 1000};
        feed.txVoltHundredths = 1187;
        feed.rssi = 70;
        feed.rxVoltTenths = 52;
        feed.extVoltTenths = 111;
        feed.trim1 = 100;
        feed.trim2 = 130;
        feed.trim3 = 121;
        feed.trim4 = 239;

        FakeTransmitter tx;
        QSerialPort port;
        QVERIFY(openPort(port, tx));
        PortReader reader;
        reader.answerWithWww = true;
        reader.attach(port);

        tx.startLiveStream(20, feed);
        QTest::qWait(150);
        QVERIFY2(reader.chunks.isEmpty(), "the device streams only after OK");

        port.write("OK");
        QTRY_VERIFY_WITH_TIMEOUT(reader.chunks.size() >= 6, 5000);
        tx.stopLiveStream();

        ParameterSet tool;
        LiveValues live;
        const QVector<QByteArray> chunks = reader.chunks;
        for (int i = 0; i < chunks.size(); ++i) {
            const InboundResult r = decodeChunk(chunks.at(i), tool, live);
            QCOMPARE(r.kind, i % 2 ? InboundResult::StatusPacket : InboundResult::ChannelPacket);
        }
        QCOMPARE(tool.ChOut1, 1100);
        QCOMPARE(tool.ChOut5, 2000);
        QCOMPARE(tool.ChOut6, 0);
        QCOMPARE(live.LiveTxVolt, 1187);
        QCOMPARE(live.LiveRssi, 70);
        QCOMPARE(live.LiveRxVolt, 52);
        QCOMPARE(live.LiveExtVolt, 111);
        QCOMPARE(tool.Trim1, 100);
        QCOMPARE(tool.Trim2, 130);
        QCOMPARE(tool.Trim3, 121);
        QCOMPARE(tool.Trim4, 240);
        QVERIFY(tx.livePacketsSent() >= chunks.size());
    }

    // After "DIS" nothing the tool left unread survives into its next open,
    // and the transmitter keeps working across the tool's close and reopen.
    void reopenStartsClean()
    {
        FakeTransmitter tx;
        QSerialPort port;
        QVERIFY(openPort(port, tx));
        port.write("OK");
        QVERIFY(tx.waitForMessage("OK"));
        QVERIFY(tx.isConnected());
        tx.startLiveStream(10);
        QTRY_VERIFY(tx.livePacketsSent() >= 4);

        port.write("DIS");
        QVERIFY(port.waitForBytesWritten(1000));
        port.close();
        QVERIFY(tx.waitForMessage("DIS"));
        QVERIFY(!tx.isConnected());
        const int sentBeforeClose = tx.livePacketsSent();
        QTest::qWait(100);
        QCOMPARE(tx.livePacketsSent(), sentBeforeClose);

        QSerialPort again;
        QVERIFY(openPort(again, tx));
        PortReader reader;
        reader.attach(again);
        QTest::qWait(100);
        QVERIFY(reader.chunks.isEmpty());

        again.write("OK");
        QVERIFY(tx.waitForMessage("OK"));
        QTRY_VERIFY(!reader.chunks.isEmpty());
        QCOMPARE(reader.chunks.first().size(), 20);
    }

    // Without its own slave descriptor the master hangs up each time the
    // tool closes; the transmitter still hears the tool's next session.
    void survivesHangUpWithoutOwnSlave()
    {
        FakeTransmitter tx;
        tx.closeSlave();
        for (const char *command : {"OK", "RR"}) {
            QSerialPort port;
            QVERIFY(openPort(port, tx));
            port.write(command);
            QVERIFY(port.waitForBytesWritten(1000));
            QVERIFY(tx.waitForMessage(QString::fromLatin1(command)));
            port.close();
            QTest::qWait(120);
        }
        QCOMPARE(tx.kinds(), (QStringList{"OK", "RR"}));
    }

    // Unplugging: once the master is gone the port reports errors. A pty
    // keeps signalling readable, so they come in a burst.
    void closeMasterMakesThePortFail()
    {
        FakeTransmitter tx;
        QSerialPort port;
        QVERIFY(openPort(port, tx));
        QVector<QSerialPort::SerialPortError> errors;
        connect(&port, &QSerialPort::errorOccurred, &port,
                [&errors](QSerialPort::SerialPortError e) {
                    if (e != QSerialPort::NoError)
                        errors.append(e);
                });

        tx.closeMaster();
        QVERIFY(!tx.isOpen());
        QVERIFY(!tx.send("x"));
        QTRY_VERIFY(!errors.isEmpty());
        QVERIFY2(errors.first() == QSerialPort::ReadError || errors.first() == QSerialPort::ResourceError,
                 qPrintable(QString::number(errors.first())));
        QTest::qWait(50);
        qInfo("%d errors within 50 ms of the first, first %d, last %d, port %s", int(errors.size()),
              int(errors.first()), int(errors.last()), port.isOpen() ? "still open" : "closed");
    }
};

QTEST_GUILESS_MAIN(TestFakeTransmitter)
#include "tst_faketransmitter.moc"

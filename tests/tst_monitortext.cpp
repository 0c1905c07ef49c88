#include <QTest>

#include "model/monitortext.h"

class tst_MonitorText : public QObject
{
    Q_OBJECT

private slots:
    void bars_data();
    void bars();
    void txVolt_data();
    void txVolt();
    void tenthsVolt_data();
    void tenthsVolt();
    void rssi_data();
    void rssi();
};

void tst_MonitorText::bars_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");

    QTest::newRow("0, upper full") << 0 << 1010 << 1000;
    QTest::newRow("500") << 500 << 510 << 1000;
    QTest::newRow("999") << 999 << 11 << 1000;
    QTest::newRow("1000, centre") << 1000 << 10 << 1000;
    QTest::newRow("1001") << 1001 << 10 << 999;
    QTest::newRow("1500") << 1500 << 10 << 500;
    QTest::newRow("2000, lower empty") << 2000 << 10 << 0;
    QTest::newRow("above 2000") << 2500 << 10 << -500;
}

void tst_MonitorText::bars()
{
    QFETCH(int, value);
    QFETCH(int, upper);
    QFETCH(int, lower);
    const BarLevels levels = barLevels(value);
    QCOMPARE(levels.upper, upper);
    QCOMPARE(levels.lower, lower);
}

void tst_MonitorText::txVolt_data()
{
    QTest::addColumn<int>("hundredths");
    QTest::addColumn<QString>("text");

    QTest::newRow("0") << 0 << " 0.0V";
    QTest::newRow("385 drops hundredths") << 385 << " 3.8V";
    QTest::newRow("999") << 999 << " 9.9V";
    QTest::newRow("1000") << 1000 << "10.0 V";
    QTest::newRow("1185") << 1185 << "11.8 V";
    QTest::newRow("9999") << 9999 << "99.9 V";
    QTest::newRow("100 V loses hundreds") << 12345 << "23.4 V";
}

void tst_MonitorText::txVolt()
{
    QFETCH(int, hundredths);
    QFETCH(QString, text);
    QCOMPARE(txVoltText(hundredths), text);
}

void tst_MonitorText::tenthsVolt_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QString>("text");

    QTest::newRow("0") << 0 << " 0.0V";
    QTest::newRow("42") << 42 << " 4.2V";
    QTest::newRow("99") << 99 << " 9.9V";
    QTest::newRow("100") << 100 << "10.0 V";
    QTest::newRow("118") << 118 << "11.8 V";
    QTest::newRow("999") << 999 << "99.9 V";
    QTest::newRow("1234 loses hundreds") << 1234 << "23.4 V";
}

void tst_MonitorText::tenthsVolt()
{
    QFETCH(int, tenths);
    QFETCH(QString, text);
    QCOMPARE(tenthsVoltText(tenths), text);
}

void tst_MonitorText::rssi_data()
{
    QTest::addColumn<int>("raw");
    QTest::addColumn<QString>("text");

    QTest::newRow("0, no signal") << 0 << "null";
    QTest::newRow("negative") << -5 << "null";
    QTest::newRow("1") << 1 << "-99dBm";
    QTest::newRow("30") << 30 << "-70dBm";
    QTest::newRow("95") << 95 << "-05dBm";
    QTest::newRow("100") << 100 << "-00dBm";
    // Above 100 the digits go negative and keep their minus signs.
    QTest::newRow("101") << 101 << "-0-1dBm";
    QTest::newRow("125") << 125 << "--2-5dBm";
    QTest::newRow("255") << 255 << "--5-5dBm";
}

void tst_MonitorText::rssi()
{
    QFETCH(int, raw);
    QFETCH(QString, text);
    QCOMPARE(rssiText(raw), text);
}

QTEST_APPLESS_MAIN(tst_MonitorText)
#include "tst_monitortext.moc"

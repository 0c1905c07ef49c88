#include <QTest>

#include <climits>
#include <cstddef>
#include <cmath>

#include "link/framecodec.h"
#include "model/defaults.h"
#include "model/parameterset.h"
#include "model/settings.h"

namespace {

// Every configuration member set to a value no table uses.
ParameterSet scrambled()
{
    ParameterSet p;
    for (const Setting *param : intSettings())
        param->member.of(p) = 4321;
    for (const Setting *v : voltSettings())
        p.*v->volts = 43.21;
    return p;
}

} // namespace

class TestDefaults : public QObject
{
    Q_OBJECT

private slots:
    void factoryValues();
    void routinesSplitTheMembers();
    void runTimeValuesUntouched();
    void frameAfterReset();
    void startAndFactoryValuesPassSanitizer();
    void sanitizeInt_data();
    void sanitizeInt();
    void sanitizeVolt_data();
    void sanitizeVolt();
    void sanitizeChecksEveryMemberIndependently();
    void everyMemberListedOnce();
};

void TestDefaults::factoryValues()
{
    ParameterSet p = scrambled();
    restoreFactoryFirst(p);
    restoreFactorySecond(p);

    QCOMPARE(p.Mode, 2);
    QCOMPARE(p.TxVolt, 3.7);
    QCOMPARE(p.TxVoltTenths, 37);
    QCOMPARE(p.RxVolt, 4.0);
    QCOMPARE(p.RxVoltTenths, 40);
    QCOMPARE(p.ExtVolt, 11.0);
    QCOMPARE(p.ExtVoltTenths, 110);
    QCOMPARE((QVector<int>{p.Trim1, p.Trim2, p.Trim3, p.Trim4}), QVector<int>(4, 120));
    QCOMPARE((QVector<int>{p.Rev1, p.Rev2, p.Rev3, p.Rev8}), (QVector<int>{0, 0, 1, 0}));
    QCOMPARE((QVector<int>{p.Sub1, p.Sub8, p.Lepa1, p.Repa8, p.Delay5}), (QVector<int>{0, 0, 96, 96, 100}));
    QCOMPARE((QVector<int>{p.FS1, p.FS2, p.FS3, p.FS4, p.FS8}), (QVector<int>{50, 50, 0, 50, 50}));
    QCOMPARE((QVector<int>{p.DrMix, p.DrCh, p.DrSw, p.DrPosi}), QVector<int>(4, 0));
    QCOMPARE((QVector<int>{p.DrUpShown, p.DrDownShown, p.DrRateUp[0], p.DrRateUp[3], p.DrRateDown[0],
                           p.DrRateDown[3]}),
             QVector<int>(6, 100));
    QCOMPARE((QVector<int>{p.DrExpShown, p.DrExpUp[0], p.DrExpUp[3], p.DrExpDown[0], p.DrExpDown[3]}),
             QVector<int>(5, 0));
    QCOMPARE(p.AttiM, 4);
    QCOMPARE((QVector<int>{p.Atti1, p.Atti2, p.Atti3, p.Atti4, p.Atti5, p.Atti6}),
             (QVector<int>{14, 29, 44, 56, 69, 88}));
    QCOMPARE((QVector<int>{p.Elev1, p.Elev2, p.Elev3, p.Elev4, p.Elev5, p.Elev6}),
             (QVector<int>{100, 100, 100, -100, 100, 100}));
    QCOMPARE((QVector<int>{p.Ru1, p.Ru2, p.Ru3, p.Ru4}), (QVector<int>{50, -50, 50, 50}));
    QCOMPARE((QVector<int>{p.Aux5, p.Aux6, p.Aux7, p.Aux8}), (QVector<int>{1, 3, 0, 2}));
    QCOMPARE((QVector<int>{p.Prm1Master, p.Prm1Slave, p.Prm2Master, p.Prm2Slave, p.Prm3Master,
                           p.Prm3Slave, p.Prm4Master, p.Prm4Slave}),
             (QVector<int>{0, 3, 1, 5, 0, 3, 1, 5}));
    QCOMPARE((QVector<int>{p.Prm1Mix, p.Prm2Data1, p.Prm3Data2, p.Prm4Data3}), QVector<int>(4, 0));
    QCOMPARE(p.RssiAlarm, -100);
    QCOMPARE((QVector<int>{p.ThCureMix, p.ThCureExtra}), (QVector<int>{0, 0}));
    QCOMPARE((QVector<int>{p.ThCure1, p.ThCure2, p.ThCure3, p.ThCure4, p.ThCure5, p.ThCure6, p.ThCure7}),
             (QVector<int>{0, 16, 33, 50, 67, 84, 100}));
}

void TestDefaults::routinesSplitTheMembers()
{
    // The first routine covers the S and G frames, DrSw and the rate tables;
    // the second the rest of the H frame and the trims.
    ParameterSet p = scrambled();
    restoreFactoryFirst(p);
    QCOMPARE(p.TxVolt, 3.7);
    QCOMPARE(p.DrSw, 0);
    QCOMPARE(p.DrRateDown[2], 100);
    QCOMPARE(p.Prm2Slave, 5);
    QCOMPARE(p.RxVolt, 43.21);
    QCOMPARE(p.ExtVolt, 43.21);
    QCOMPARE(p.Prm3Slave, 4321);
    QCOMPARE(p.DrPosi, 4321);
    QCOMPARE(p.DrExpUp[1], 4321);
    QCOMPARE(p.DrExpShown, 4321);
    QCOMPARE(p.Trim2, 4321);
    QCOMPARE(p.RssiAlarm, 4321);

    ParameterSet q = scrambled();
    restoreFactorySecond(q);
    QCOMPARE(q.RxVolt, 4.0);
    QCOMPARE(q.ExtVolt, 11.0);
    QCOMPARE(q.Trim2, 120);
    QCOMPARE(q.DrExpShown, 0);
    QCOMPARE(q.TxVolt, 43.21);
    QCOMPARE(q.Mode, 4321);
    QCOMPARE(q.DrSw, 4321);
    QCOMPARE(q.DrRateUp[0], 4321);
    QCOMPARE(q.DrUpShown, 4321);
}

void TestDefaults::runTimeValuesUntouched()
{
    ParameterSet p = scrambled();
    p.ChOut3 = 1234;
    const TrimHoldScope hold(p);
    restoreFactoryFirst(p);
    restoreFactorySecond(p);
    QCOMPARE(p.DrRateShown, 4321);
    QCOMPARE(p.Vertion, 4321);
    QCOMPARE(p.ChOut3, 1234);
    QCOMPARE(p.ChOut1, 1000);
    QCOMPARE(p.TrimHold, 1);

    sanitizeParameters(p);
    QCOMPARE(p.DrRateShown, 4321);
    QCOMPARE(p.Vertion, 4321);
    QCOMPARE(p.ChOut3, 1234);
    QCOMPARE(p.TrimHold, 1);
    // A loaded or read set put in place keeps the hold; a copy taken to read
    // into is free; a nested hold gives back the outer one.
    p = ParameterSet();
    QCOMPARE(p.TrimHold, 1);
    const ParameterSet copy = p;
    QCOMPARE(copy.TrimHold, 0);
    {
        const TrimHoldScope inner(p);
    }
    QCOMPARE(p.TrimHold, 1);
}

void TestDefaults::frameAfterReset()
{
    ParameterSet p = scrambled();
    restoreFactoryFirst(p);
    restoreFactorySecond(p);
    ParameterFrames f;
    const QByteArray s = rebuildFrame(FrameKind::S, p, f);
    QCOMPARE(s.mid(77, 2), QByteArray("35")); // 37 tenths
    QCOMPARE(s.at(79), '2');
    QCOMPARE(p.TxVoltTenths, 37);
}

void TestDefaults::startAndFactoryValuesPassSanitizer()
{
    const ParameterSet start;
    ParameterSet p = start;
    sanitizeParameters(p);
    for (const Setting *param : intSettings())
        QVERIFY2(param->member.of(p) == param->member.of(start), qPrintable(param->key));

    restoreFactoryFirst(p);
    restoreFactorySecond(p);
    const ParameterSet factory = p;
    sanitizeParameters(p);
    for (const Setting *param : intSettings())
        QVERIFY2(param->member.of(p) == param->member.of(factory), qPrintable(param->key));
    for (const Setting *v : voltSettings())
        QCOMPARE(p.*v->volts, factory.*v->volts);
}

void TestDefaults::sanitizeInt_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");

    const auto row = [](const char *name, int value, int expected) {
        QTest::addRow("%s %d", name, value) << QByteArray(name) << value << expected;
    };
    row("Mode", 7, 1);
    row("Mode", 0, 0);
    row("Mode", 4, 4);
    row("Elev4", 150, -100);
    row("Elev4", -100, -100);
    row("Ru2", -120, -50);
    row("RssiAlarm", 5, -100);
    row("RssiAlarm", 0, 0);
    row("RssiAlarm", -101, -100);
    row("RssiAlarm", INT_MIN, -100);
    row("Delay3", -1, 100);
    row("Delay3", 0, 0);
    row("DrCh", 4, 4);
    row("DrCh", 5, 0);
    row("AttiM", 5, 5);
    row("AttiM", 6, 4);
    row("DrSw", 2, 2);
    row("DrPosi", 4, 4);
    row("ThCureMix", 5, 5);
    row("ThCureExtra", 5, 0);
    row("Prm1Master", 10, 10);
    row("Prm2Master", 11, 1);
    row("Prm4Slave", -1, 5);
    row("Sub1", -101, 0);
    row("Sub1", -100, -100);
    row("Sub1", 101, 0);
    row("Sub1", INT_MIN, 0);
    row("Sub1", INT_MAX, 0);
    row("Lepa1", 120, 120);
    row("Lepa1", 121, 96);
    row("Lepa1", INT_MAX, 96);
    row("Rev3", 2, 1);
    row("Rev4", -1, 0);
    row("FS3", 101, 0);
    row("FS4", 101, 50);
    row("Atti6", INT_MIN, 88);
    row("ThCure2", 101, 16);
    row("DrRateUp0", 150, 100);
    row("DrExpDown2", -101, 0);
    row("DrExpShown", 101, 0);
    row("TxVoltTenths", 500, 500);
    row("TxVoltTenths", 501, 37);
    row("RxVoltTenths", 1000, 1000);
    row("RxVoltTenths", -1, 40);
    row("ExtVoltTenths", 1001, 110);
    // Never checked.
    row("Trim1", INT_MIN, INT_MIN);
    row("Trim4", 240, 240);
    row("DrRateShown", 150, 150);
    row("Vertion", -5, -5);
}

void TestDefaults::sanitizeInt()
{
    QFETCH(QByteArray, name);
    QFETCH(int, value);
    QFETCH(int, expected);
    const Setting *param = findSettingRow(QString::fromLatin1(name));
    QVERIFY(param && !param->member.isNull());
    ParameterSet p;
    param->member.of(p) = value;
    sanitizeParameters(p);
    QCOMPARE(param->member.of(p), expected);
}

void TestDefaults::sanitizeVolt_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    const auto row = [](const char *tag, const char *name, double value, double expected) {
        QTest::newRow(tag) << QByteArray(name) << value << expected;
    };
    row("TxVolt 60.0", "TxVolt", 60.0, 0.0);
    row("TxVolt 50.05", "TxVolt", 50.05, 0.0);
    row("TxVolt 50.0", "TxVolt", 50.0, 50.0);
    row("TxVolt 0.0", "TxVolt", 0.0, 0.0);
    row("TxVolt -0.1", "TxVolt", -0.1, 0.0);
    row("TxVolt NaN", "TxVolt", std::nan(""), 0.0);
    row("RxVolt 100.0", "RxVolt", 100.0, 100.0);
    row("RxVolt 100.1", "RxVolt", 100.1, 4.0);
    row("RxVolt -0.1", "RxVolt", -0.1, 4.0);
    row("RxVolt NaN", "RxVolt", std::nan(""), 4.0);
    row("ExtVolt 100.1", "ExtVolt", 100.1, 11.0);
    row("ExtVolt inf", "ExtVolt", HUGE_VAL, 11.0);
    row("ExtVolt 99.9", "ExtVolt", 99.9, 99.9);
}

void TestDefaults::sanitizeVolt()
{
    QFETCH(QByteArray, name);
    QFETCH(double, value);
    QFETCH(double, expected);
    const Setting *param = findSettingRow(QString::fromLatin1(name));
    QVERIFY(param && param->volts);
    ParameterSet p;
    p.*param->volts = value;
    sanitizeParameters(p);
    QCOMPARE(p.*param->volts, expected);
}

void TestDefaults::sanitizeChecksEveryMemberIndependently()
{
    // One out-of-range member must not disturb an in-range neighbour.
    ParameterSet p;
    p.Sub1 = 500;
    p.Sub2 = 40;
    p.Mode = 9;
    p.DrCh = 3;
    p.TxVolt = 70.0;
    p.RxVolt = 12.3;
    sanitizeParameters(p);
    QCOMPARE(p.Sub1, 0);
    QCOMPARE(p.Sub2, 40);
    QCOMPARE(p.Mode, 1);
    QCOMPARE(p.DrCh, 3);
    QCOMPARE(p.TxVolt, 0.0);
    QCOMPARE(p.RxVolt, 12.3);
}

void TestDefaults::everyMemberListedOnce()
{
    // The start values, the resets and the sanitizer walk these lists: a
    // member of the set that no row lists keeps whatever it held. Every
    // byte of the set up to the run-time values belongs to a listed member.
    // The curve page's repeated selectors stand for members listed already.
    ParameterSet p;
    const auto offset = [&p](const void *member) {
        return int(static_cast<const char *>(member) - reinterpret_cast<const char *>(&p));
    };
    QVector<bool> covered(int(offsetof(ParameterSet, ChOut1)), false);
    const auto cover = [&](const void *member, int size) {
        for (int i = offset(member); i < offset(member) + size && i < covered.size(); ++i)
            covered[i] = true;
    };
    for (const Setting *s : intSettings())
        cover(&s->member.of(p), int(sizeof(int)));
    for (const Setting *s : voltSettings())
        cover(&(p.*s->volts), int(sizeof(double)));
    QVERIFY2(!covered.contains(false),
             qPrintable(QStringLiteral("no row lists the member at byte %1").arg(covered.indexOf(false))));
    QVERIFY(intSettings().contains(findSettingRow(QStringLiteral("DrCh"))));
    QVERIFY(!intSettings().contains(findSettingRow(QStringLiteral("DrChRepeated"))));

    QStringList volts;
    for (const Setting *s : voltSettings())
        volts << s->key;
    QCOMPARE(volts, (QStringList{QStringLiteral("TxVolt"), QStringLiteral("RxVolt"), QStringLiteral("ExtVolt")}));
}

QTEST_GUILESS_MAIN(TestDefaults)
#include "tst_defaults.moc"

#include <QTest>

#include "model/defaults.h"
#include "model/dualrate.h"
#include "model/parameterset.h"

namespace {

// Distinct values in every table cell, so a wrong index shows.
ParameterSet distinctTables()
{
    ParameterSet p;
    for (int c = 0; c < 4; ++c) {
        p.DrRateUp[c] = 10 + c;
        p.DrRateDown[c] = 20 + c;
        p.DrExpUp[c] = 30 + c;
        p.DrExpDown[c] = 40 + c;
    }
    p.DrUpShown = p.DrDownShown = p.DrRateShown = p.DrExpShown = -1;
    return p;
}

// An edit of the box that shows member.
void edit(ParameterSet &p, int ParameterSet::*member, int value)
{
    editDualRate(p, *dualRateView(member), value);
}

QVector<int> shown(const ParameterSet &p)
{
    return {p.DrUpShown, p.DrDownShown, p.DrRateShown, p.DrExpShown};
}

QVector<int> tables(const ParameterSet &p)
{
    QVector<int> out;
    for (int c = 0; c < 4; ++c)
        out << p.DrRateUp[c] << p.DrRateDown[c] << p.DrExpUp[c] << p.DrExpDown[c];
    return out;
}

} // namespace

class TestDualRate : public QObject
{
    Q_OBJECT

private slots:
    void select_data();
    void select();
    void rateOnCurvePageFollowsPosition();
    void upBoxIgnoresPosition();
    void downBoxIgnoresPosition();
    void expWithoutChannelChangesOnlyShown();
    void expRoutesByPosition_data();
    void expRoutesByPosition();
    void outOfRangeRateAfterSanitizer();
    void resetKeepsShownRateUntilNextSelection();
};

void TestDualRate::select_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("position");
    QTest::addColumn<QVector<int>>("expected");
    QTest::newRow("ch0 up") << 0 << 0 << QVector<int>{10, 20, 10, 30};
    QTest::newRow("ch2 down") << 2 << 1 << QVector<int>{12, 22, 22, 42};
    QTest::newRow("ch3 position 4 is down") << 3 << 4 << QVector<int>{13, 23, 23, 43};
    QTest::newRow("ch1 position -1 is down") << 1 << -1 << QVector<int>{11, 21, 21, 41};
    QTest::newRow("channel 4 keeps shown") << 4 << 0 << QVector<int>{-1, -1, -1, -1};
    QTest::newRow("channel -1 keeps shown") << -1 << 1 << QVector<int>{-1, -1, -1, -1};
}

void TestDualRate::select()
{
    QFETCH(int, channel);
    QFETCH(int, position);
    QFETCH(QVector<int>, expected);
    ParameterSet p = distinctTables();
    p.DrCh = channel;
    p.DrPosi = position;
    const QVector<int> before = tables(p);
    selectDualRate(p);
    QCOMPARE(shown(p), expected);
    QCOMPARE(tables(p), before);
}

void TestDualRate::rateOnCurvePageFollowsPosition()
{
    ParameterSet p = distinctTables();
    p.DrCh = 3;
    p.DrPosi = 1;
    edit(p, &ParameterSet::DrRateShown, 40);
    QCOMPARE(p.DrRateShown, 40);
    QCOMPARE(p.DrRateDown[3], 40);
    QCOMPARE(p.DrRateUp[3], 13);
    QCOMPARE(p.DrDownShown, 40);

    p.DrPosi = 0;
    edit(p, &ParameterSet::DrRateShown, 60);
    QCOMPARE(p.DrRateUp[3], 60);
    QCOMPARE(p.DrRateDown[3], 40);
    QCOMPARE(p.DrUpShown, 60);
}

void TestDualRate::upBoxIgnoresPosition()
{
    ParameterSet p = distinctTables();
    p.DrCh = 0;
    p.DrPosi = 1;
    edit(p, &ParameterSet::DrUpShown, 70);
    QCOMPARE(p.DrUpShown, 70);
    QCOMPARE(p.DrRateUp[0], 70);
    QCOMPARE(p.DrRateDown[0], 20);
    QCOMPARE(p.DrRateShown, 20); // still the DOWN rate of channel 0
}

void TestDualRate::downBoxIgnoresPosition()
{
    ParameterSet p = distinctTables();
    p.DrCh = 2;
    p.DrPosi = 0;
    edit(p, &ParameterSet::DrDownShown, 55);
    QCOMPARE(p.DrDownShown, 55);
    QCOMPARE(p.DrRateDown[2], 55);
    QCOMPARE(p.DrRateUp[2], 12);
    QCOMPARE(p.DrRateShown, 12);
}

void TestDualRate::expWithoutChannelChangesOnlyShown()
{
    for (int channel : {-1, 4}) {
        ParameterSet p = distinctTables();
        p.DrCh = channel;
        const QVector<int> before = tables(p);
        edit(p, &ParameterSet::DrExpShown, 20);
        edit(p, &ParameterSet::DrUpShown, 21);
        QCOMPARE(shown(p), (QVector<int>{21, -1, -1, 20}));
        QCOMPARE(tables(p), before);
    }
}

void TestDualRate::expRoutesByPosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("intoUp");
    QTest::newRow("up") << 0 << true;
    QTest::newRow("down") << 1 << false;
    QTest::newRow("position 3") << 3 << false;
}

void TestDualRate::expRoutesByPosition()
{
    QFETCH(int, position);
    QFETCH(bool, intoUp);
    ParameterSet p = distinctTables();
    p.DrCh = 1;
    p.DrPosi = position;
    edit(p, &ParameterSet::DrExpShown, -75);
    QCOMPARE(p.DrExpShown, -75);
    QCOMPARE(p.DrExpUp[1], intoUp ? -75 : 31);
    QCOMPARE(p.DrExpDown[1], intoUp ? 41 : -75);
}

void TestDualRate::outOfRangeRateAfterSanitizer()
{
    ParameterSet p;
    p.DrCh = 0;
    p.DrPosi = 0;
    p.DrRateUp[0] = 150;
    selectDualRate(p);
    QCOMPARE(p.DrUpShown, 150);
    QCOMPARE(p.DrRateShown, 150);
    sanitizeParameters(p);
    QCOMPARE(p.DrRateUp[0], 100);
    QCOMPARE(p.DrUpShown, 100);
    QCOMPARE(p.DrRateShown, 150);
    selectDualRate(p);
    QCOMPARE(p.DrRateShown, 100);
}

void TestDualRate::resetKeepsShownRateUntilNextSelection()
{
    ParameterSet p;
    edit(p, &ParameterSet::DrRateShown, 35);
    QCOMPARE(p.DrRateUp[0], 35);
    restoreFactoryFirst(p);
    restoreFactorySecond(p);
    QCOMPARE(shown(p), (QVector<int>{100, 100, 35, 0}));
    selectDualRate(p);
    QCOMPARE(shown(p), (QVector<int>{100, 100, 100, 0}));
}

QTEST_GUILESS_MAIN(TestDualRate)
#include "tst_dualrate.moc"

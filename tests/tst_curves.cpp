#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "model/parameterset.h"
#include "ui/curvegeometry.h"
#include "ui/curvewidgets.h"

namespace {

QVector<QPoint> points(std::initializer_list<int> xy)
{
    QVector<QPoint> out;
    for (auto it = xy.begin(); it != xy.end(); it += 2)
        out.append(QPoint(*it, *(it + 1)));
    return out;
}

int countHorizontal(const QVector<QLine> &dashes)
{
    return int(std::count_if(dashes.cbegin(), dashes.cend(), [](const QLine &l) { return l.dy() == 0; }));
}

int countVertical(const QVector<QLine> &dashes)
{
    return int(std::count_if(dashes.cbegin(), dashes.cend(), [](const QLine &l) { return l.dx() == 0; }));
}

// The set-up the curves are drawn from, as a window's would be.
ParameterSet &curveSet()
{
    static ParameterSet set;
    return set;
}

// The curves as the window feeds them from the parameters.
void feed(cureWidget &w)
{
    const ParameterSet &p = curveSet();
    w.setPoints({p.ThCure1, p.ThCure2, p.ThCure3, p.ThCure4, p.ThCure5, p.ThCure6, p.ThCure7});
}
void feed(mWidget &w)
{
    w.setCurve(curveSet().DrRateShown, curveSet().DrExpShown);
}

template <typename Widget>
QImage renderWidget(QSize size)
{
    Widget widget(nullptr);
    feed(widget);
    widget.resize(size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta); // anything the widget leaves unpainted shows
    widget.render(&image);
    return image;
}

// The colour a fat pen leaves around a point.
bool hasColourNear(const QImage &image, QPoint at, QColor colour)
{
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (image.pixelColor(at + QPoint(dx, dy)) == colour)
                return true;
        }
    }
    return false;
}

} // namespace

class tst_Curves : public QObject
{
    Q_OBJECT

private slots:
    void throttleCurve_data();
    void throttleCurve();
    void throttleGrid();
    void throttleGridVanishesWhenSmall_data();
    void throttleGridVanishesWhenSmall();
    void throttleLabels();

    void dualRate_data();
    void dualRate();
    void dualRateAxes();
    void dualRateAxesVanishWhenNarrow_data();
    void dualRateAxesVanishWhenNarrow();

    void throttleWidgetRendersCurve();
    void dualRateWidgetRendersCurve();
    void widgetsRepaintOnTheirTimer();

    void cleanup();
};

void tst_Curves::cleanup()
{
    curveSet() = ParameterSet();
}

void tst_Curves::throttleCurve_data()
{
    QTest::addColumn<QVector<int>>("values");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QVector<QPoint>>("expected");

    QTest::newRow("start values")
            << QVector<int>{0, 16, 33, 50, 67, 84, 100} << QSize(300, 300)
            << points({30, 270, 63, 231, 106, 190, 150, 150, 193, 109, 236, 68, 280, 30});
    QTest::newRow("all 0, flat bottom")
            << QVector<int>(7, 0) << QSize(300, 300)
            << points({30, 270, 63, 270, 106, 270, 150, 270, 193, 270, 236, 270, 280, 270});
    QTest::newRow("all 100, flat top")
            << QVector<int>(7, 100) << QSize(300, 300)
            << points({30, 30, 63, 30, 106, 30, 150, 30, 193, 30, 236, 30, 280, 30});
    QTest::newRow("unclamped")
            << QVector<int>{120, 50, -10, 50, 50, 50, 0} << QSize(300, 300)
            << points({30, -18, 63, 150, 106, 294, 150, 150, 193, 150, 236, 150, 280, 270});
    QTest::newRow("other size")
            << QVector<int>{0, 16, 33, 50, 67, 84, 100} << QSize(200, 160)
            << points({30, 130, 46, 114, 73, 97, 100, 80, 126, 63, 153, 46, 180, 30});
}

void tst_Curves::throttleCurve()
{
    QFETCH(QVector<int>, values);
    QFETCH(QSize, size);
    QFETCH(QVector<QPoint>, expected);
    QCOMPARE(throttleCurveGeometry(values, size).curve, expected);
}

void tst_Curves::throttleGrid()
{
    const QVector<QLine> dashes = throttleCurveGeometry(QVector<int>(7, 50), QSize(300, 300)).gridDashes;

    // Dashes start at 30, 45, .. 255 (multiples of 15 in 21..269), eleven
    // rows 24 px apart, six columns.
    QSet<int> rows, columns, starts;
    for (const QLine &l : dashes) {
        QVERIFY(l.dx() == 8 || l.dy() == 8);
        if (l.dy() == 0) {
            rows.insert(l.y1());
            starts.insert(l.x1());
        } else {
            columns.insert(l.x1());
        }
    }
    QCOMPARE(rows, (QSet<int>{30, 54, 78, 102, 126, 150, 174, 198, 222, 246, 270}));
    QCOMPARE(columns, (QSet<int>{63, 106, 150, 193, 236, 280}));
    QCOMPARE(starts.size(), 16);
    QVERIFY(starts.contains(30) && starts.contains(255) && !starts.contains(15) && !starts.contains(270));
    QCOMPARE(countHorizontal(dashes), 16 * 11);
    QCOMPARE(countVertical(dashes), 16 * 6);
}

void tst_Curves::throttleGridVanishesWhenSmall_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");

    // 16 dash starts (30..255) on 11 rows or 6 columns at full length.
    QTest::newRow("50 high") << QSize(300, 50) << 16 * 11 << 0;
    QTest::newRow("61 high") << QSize(300, 61) << 16 * 11 << 1 * 6;
    QTest::newRow("50 wide") << QSize(50, 300) << 0 << 16 * 6;
    QTest::newRow("61 wide") << QSize(61, 300) << 1 * 11 << 16 * 6;
}

void tst_Curves::throttleGridVanishesWhenSmall()
{
    QFETCH(QSize, size);
    QFETCH(int, horizontal);
    QFETCH(int, vertical);
    const QVector<QLine> dashes = throttleCurveGeometry(QVector<int>(7, 0), size).gridDashes;
    QCOMPARE(countHorizontal(dashes), horizontal);
    QCOMPARE(countVertical(dashes), vertical);
}

void tst_Curves::throttleLabels()
{
    const QVector<PlotLabel> &labels = throttleScaleLabels();
    QCOMPARE(labels.size(), 11);
    QCOMPARE(labels.first().text, QStringLiteral("100"));
    QCOMPARE(labels.first().baseline, QPoint(0, 37));
    QCOMPARE(labels.at(1).text, QStringLiteral(" 90"));
    QCOMPARE(labels.at(1).baseline, QPoint(0, 61));
    QCOMPARE(labels.last().text, QStringLiteral("  0"));
    QCOMPARE(labels.last().baseline, QPoint(0, 277));
}

void tst_Curves::dualRate_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("expo");
    QTest::addColumn<QPoint>("start1");
    QTest::addColumn<QPoint>("control1");
    QTest::addColumn<QPoint>("start2");
    QTest::addColumn<QPoint>("control2");

    QTest::newRow("100/0, diagonal") << 100 << 0 << QPoint(20, 260) << QPoint(80, 200)
                                     << QPoint(260, 20) << QPoint(200, 80);
    QTest::newRow("50/0") << 50 << 0 << QPoint(20, 200) << QPoint(80, 170)
                          << QPoint(260, 80) << QPoint(200, 110);
    QTest::newRow("100/100") << 100 << 100 << QPoint(20, 260) << QPoint(120, 260)
                             << QPoint(260, 20) << QPoint(160, 20);
    QTest::newRow("100/-100") << 100 << -100 << QPoint(20, 260) << QPoint(40, 140)
                              << QPoint(260, 20) << QPoint(240, 140);
    QTest::newRow("75/40") << 75 << 40 << QPoint(20, 230) << QPoint(92, 203)
                           << QPoint(260, 50) << QPoint(188, 77);
    QTest::newRow("0/0, flat") << 0 << 0 << QPoint(20, 140) << QPoint(80, 140)
                               << QPoint(260, 140) << QPoint(200, 140);
    QTest::newRow("0/100, flat") << 0 << 100 << QPoint(20, 140) << QPoint(80, 140)
                                 << QPoint(260, 140) << QPoint(200, 140);
}

void tst_Curves::dualRate()
{
    QFETCH(int, rate);
    QFETCH(int, expo);
    QFETCH(QPoint, start1);
    QFETCH(QPoint, control1);
    QFETCH(QPoint, start2);
    QFETCH(QPoint, control2);

    const DualRatePlot plot = dualRateCurveGeometry(rate, expo, QSize(280, 280));
    const QPoint centre(140, 140);
    QCOMPARE(plot.left.start, start1);
    QCOMPARE(plot.left.control1, start1);
    QCOMPARE(plot.left.control2, control1);
    QCOMPARE(plot.left.end, centre);
    QCOMPARE(plot.right.start, start2);
    QCOMPARE(plot.right.control1, start2);
    QCOMPARE(plot.right.control2, control2);
    QCOMPARE(plot.right.end, centre);
}

void tst_Curves::dualRateAxes()
{
    const DualRatePlot plot = dualRateCurveGeometry(100, 0, QSize(280, 200));
    // Axis through the centre (140, 100); dashes start at 30 .. 255.
    for (const QLine &l : plot.axisDashes) {
        if (l.dy() == 0) {
            QCOMPARE(l.y1(), 100);
            QCOMPARE(l.dx(), 8);
        } else {
            QCOMPARE(l.x1(), 140);
            QCOMPARE(l.dy(), 8);
        }
    }
    QCOMPARE(countHorizontal(plot.axisDashes), 16); // 30..255
    QCOMPARE(countVertical(plot.axisDashes), 10);   // 30..165
    QCOMPARE(plot.left.end, QPoint(140, 100));
}

void tst_Curves::dualRateAxesVanishWhenNarrow_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");

    QTest::newRow("40 wide") << QSize(40, 280) << 0 << 16;
    QTest::newRow("40 high") << QSize(280, 40) << 16 << 0;
    QTest::newRow("10 x 10") << QSize(10, 10) << 0 << 0;
}

void tst_Curves::dualRateAxesVanishWhenNarrow()
{
    QFETCH(QSize, size);
    QFETCH(int, horizontal);
    QFETCH(int, vertical);
    const DualRatePlot plot = dualRateCurveGeometry(100, 0, size);
    QCOMPARE(countHorizontal(plot.axisDashes), horizontal);
    QCOMPARE(countVertical(plot.axisDashes), vertical);
}

void tst_Curves::throttleWidgetRendersCurve()
{
    curveSet().ThCure1 = 0;
    curveSet().ThCure2 = 16;
    curveSet().ThCure3 = 33;
    curveSet().ThCure4 = 50;
    curveSet().ThCure5 = 67;
    curveSet().ThCure6 = 84;
    curveSet().ThCure7 = 100;
    const QImage image = renderWidget<cureWidget>(QSize(300, 300));

    const QColor red(255, 0, 0), green(0, 255, 0), white(Qt::white), black(Qt::black);
    QCOMPARE(image.pixelColor(150, 150), red);            // curve point 4
    QVERIFY(hasColourNear(image, QPoint(128, 170), red)); // between points 3 and 4
    QCOMPARE(image.pixelColor(30, 200), green);           // left side of the frame
    QCOMPARE(image.pixelColor(279, 200), green);          // right side
    QCOMPARE(image.pixelColor(200, 269), green);          // bottom
    QCOMPARE(image.pixelColor(85, 220), white);           // inside, away from grid and curve
    QCOMPARE(image.pixelColor(295, 295), white);          // cleared corner
    QCOMPARE(image.pixelColor(63, 50), green);            // grid column dash 45..53
    // A label sits at the left edge.
    bool labelInk = false;
    for (int x = 0; x < 25 && !labelInk; ++x) {
        for (int y = 25; y < 38 && !labelInk; ++y)
            labelInk = image.pixelColor(x, y) == black;
    }
    QVERIFY(labelInk);

    // The widget draws what the parameters hold at paint time.
    curveSet().ThCure4 = 100;
    const QImage raised = renderWidget<cureWidget>(QSize(300, 300));
    QCOMPARE(raised.pixelColor(150, 30), red);
    QCOMPARE(raised.pixelColor(150, 150) == red, false);
}

void tst_Curves::dualRateWidgetRendersCurve()
{
    curveSet().DrRateShown = 100;
    curveSet().DrExpShown = 0;
    const QImage image = renderWidget<mWidget>(QSize(280, 280));

    const QColor red(255, 0, 0), green(0, 255, 0), white(Qt::white);
    QCOMPARE(image.pixelColor(140, 140), red); // centre
    QCOMPARE(image.pixelColor(100, 180), red); // on the diagonal, left half
    QCOMPARE(image.pixelColor(200, 80), red);  // right half
    QCOMPARE(image.pixelColor(200, 200), white);
    QCOMPARE(image.pixelColor(20, 100), green);  // frame
    QCOMPARE(image.pixelColor(259, 200), green); // frame
    QCOMPARE(image.pixelColor(140, 62), green);  // vertical axis dash 60..68

    curveSet().DrRateShown = 0;
    const QImage flat = renderWidget<mWidget>(QSize(280, 280));
    QCOMPARE(flat.pixelColor(100, 140), red);
    QCOMPARE(flat.pixelColor(100, 180), white);
}

void tst_Curves::widgetsRepaintOnTheirTimer()
{
    QWidget parent;
    auto *curve = new cureWidget(&parent);
    auto *rate = new mWidget(&parent);
    QCOMPARE(curve->parentWidget(), &parent);
    parent.show();

    for (QWidget *w : {static_cast<QWidget *>(curve), static_cast<QWidget *>(rate)}) {
        const QList<QTimer *> timers = w->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(timers.size(), 1);
        QVERIFY(timers.first()->isActive());
        QCOMPARE(timers.first()->interval(), 100);
        QSignalSpy ticks(timers.first(), &QTimer::timeout);
        QVERIFY(ticks.wait(2000));
        // Behind another page nothing is painted: the timer rests until the
        // curve is shown again.
        parent.hide();
        QVERIFY(!timers.first()->isActive());
        parent.show();
        QVERIFY(timers.first()->isActive());
    }
}

QTEST_MAIN(tst_Curves)
#include "tst_curves.moc"

#include "ui/curvegeometry.h"

namespace {

constexpr int kDashStep = 15;  // a dash starts at every multiple of this
constexpr int kDashLength = 8;
constexpr int kFirstDash = 21;

// Multiples of kDashStep in first..last.
QVector<int> dashStarts(int first, int last)
{
    QVector<int> starts;
    for (int i = first; i <= last; ++i) {
        if (i % kDashStep == 0)
            starts.append(i);
    }
    return starts;
}

void appendHorizontalDashes(QVector<QLine> &out, const QVector<int> &starts, const QVector<int> &rows)
{
    for (int i : starts) {
        for (int y : rows)
            out.append(QLine(i, y, i + kDashLength, y));
    }
}

void appendVerticalDashes(QVector<QLine> &out, const QVector<int> &starts, const QVector<int> &columns)
{
    for (int i : starts) {
        for (int x : columns)
            out.append(QLine(x, i, x, i + kDashLength));
    }
}

} // namespace

QRect curveBackgroundRect()
{
    return QRect(QPoint(0, 0), QPoint(299, 299));
}

QRect throttleFrameRect()
{
    return QRect(QPoint(30, 30), QPoint(279, 269));
}

QRect dualRateFrameRect()
{
    return QRect(QPoint(20, 20), QPoint(259, 259));
}

const QVector<PlotLabel> &throttleScaleLabels()
{
    static const QVector<PlotLabel> labels = [] {
        QVector<PlotLabel> out;
        for (int k = 0; k <= 10; ++k) {
            const int percent = 100 - 10 * k;
            out.append({QPoint(0, 37 + 24 * k), QString::number(percent).rightJustified(3, QLatin1Char(' '))});
        }
        return out;
    }();
    return labels;
}

ThrottlePlot throttleCurveGeometry(const QVector<int> &points, QSize size)
{
    const int w = size.width();
    const int h = size.height();
    const int f = h - 60;
    const int g = w - 40;
    ThrottlePlot plot;

    if (w - 1 > 49) {
        QVector<int> rows{30};
        for (int k = 1; k <= 9; ++k)
            rows.append(k * f / 10 + 30);
        rows.append(h - 30);
        appendHorizontalDashes(plot.gridDashes, dashStarts(kFirstDash, w - 31), rows);
    }
    if (h - 1 > 49) {
        QVector<int> columns;
        for (int k = 1; k <= 5; ++k)
            columns.append(k * g / 6 + 20);
        columns.append(w - 20);
        appendVerticalDashes(plot.gridDashes, dashStarts(kFirstDash, h - 31), columns);
    }

    for (int n = 1; n <= 7; ++n) {
        const int value = n - 1 < points.size() ? points.at(n - 1) : 0;
        const int y = (100 - value) * f / 100 + 30;
        const int x = n == 1 ? 30 : n == 7 ? w - 20 : (n - 1) * g / 6 + 20;
        plot.curve.append(QPoint(x, y));
    }
    return plot;
}

DualRatePlot dualRateCurveGeometry(int rate, int expo, QSize size)
{
    const int w = size.width();
    const int h = size.height();
    const int a = w - 40;
    const int b = h - 40;
    const int xc = a / 2 + 20;
    const int yc = b / 2 + 20;
    DualRatePlot plot;

    if (w - 20 > 20)
        appendHorizontalDashes(plot.axisDashes, dashStarts(kFirstDash, w - 21), {yc});
    if (h - 20 > 20)
        appendVerticalDashes(plot.axisDashes, dashStarts(kFirstDash, h - 21), {xc});

    // The rate pulls the end points toward the horizontal axis; the expo moves
    // the inner control point along the diagonal and bends the segment.
    const int k = rate * expo / 100;
    const int p = (100 - rate) * (b / 2);
    const int x1 = a / 4 + 20;
    const int u = (x1 / 2) * k / 100;
    const int v = k * (b / 4) / 100;

    const QPoint centre(xc, yc);
    const QPoint s1(20, (h - 20) - p / 100);
    plot.left = {s1, s1, QPoint(x1 + u, 3 * b / 4 - p / 200 + 20 + v), centre};
    const QPoint s2(w - 20, p / 100 + 20);
    plot.right = {s2, s2, QPoint(3 * a / 4 - u + 20, b / 4 - v + p / 200 + 20), centre};
    return plot;
}

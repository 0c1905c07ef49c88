#pragma once

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

// The two curve plots as plain coordinates, computed with int arithmetic
// (multiply first, then divide, truncating) so that a plot is the same on
// every platform. The widgets only hand these to a QPainter.

// Both widgets clear this area and frame their plot with a fixed rectangle,
// whatever their size.
QRect curveBackgroundRect();
QRect throttleFrameRect();
QRect dualRateFrameRect();

struct PlotLabel
{
    QPoint baseline;
    QString text;
};

struct ThrottlePlot
{
    QVector<QLine> gridDashes; // horizontal rows, then vertical columns
    QVector<QPoint> curve;     // the seven points, left to right
};

// Scale labels "100" .. "  0" at the left edge.
const QVector<PlotLabel> &throttleScaleLabels();

// points: ThCure1..ThCure7 in percent; missing points count as 0. Values
// outside 0..100 are plotted outside the frame, unclamped.
ThrottlePlot throttleCurveGeometry(const QVector<int> &points, QSize size);

// One cubic Bezier segment; its first control point is its start.
struct CurveSegment
{
    QPoint start;
    QPoint control1;
    QPoint control2;
    QPoint end;
};

struct DualRatePlot
{
    QVector<QLine> axisDashes; // horizontal axis, then vertical axis
    CurveSegment left;         // from the lower left to the centre
    CurveSegment right;        // from the upper right to the centre
};

// rate 0..100 and expo -100..100 of the shown dual-rate position.
DualRatePlot dualRateCurveGeometry(int rate, int expo, QSize size);

#include "ui/curvewidgets.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/curvegeometry.h"

namespace {

constexpr int kRepaintIntervalMs = 100;

void setPen(QPainter &painter, int width, Qt::GlobalColor colour)
{
    QPen pen = painter.pen();
    pen.setWidth(width);
    pen.setColor(colour);
    painter.setPen(pen);
}

QPainterPath segmentPath(const CurveSegment &s)
{
    QPainterPath path(QPointF(s.start));
    path.cubicTo(QPointF(s.control1), QPointF(s.control2), QPointF(s.end));
    return path;
}

} // namespace

cureWidget::cureWidget(QWidget *parent)
    : QWidget(parent)
    , timer(new QTimer(this))
{
    connect(timer, &QTimer::timeout, this, &cureWidget::creatData);
    timer->setInterval(kRepaintIntervalMs);
}

void cureWidget::showEvent(QShowEvent *event)
{
    timer->start();
    QWidget::showEvent(event);
}

void cureWidget::hideEvent(QHideEvent *event)
{
    timer->stop();
    QWidget::hideEvent(event);
}

void cureWidget::creatData()
{
    update();
}

void cureWidget::setPoints(const QVector<int> &points)
{
    if (points == m_points)
        return;
    m_points = points;
    update();
}

void cureWidget::paintEvent(QPaintEvent *)
{
    const ThrottlePlot plot = throttleCurveGeometry(m_points, size());
    QPainter painter(this);

    setPen(painter, 4, Qt::green);
    painter.fillRect(curveBackgroundRect(), Qt::white);
    painter.drawRect(throttleFrameRect());

    setPen(painter, 1, Qt::green);
    painter.drawLines(plot.gridDashes);

    setPen(painter, 4, Qt::black);
    for (const PlotLabel &label : throttleScaleLabels())
        painter.drawText(label.baseline, label.text);

    setPen(painter, 4, Qt::red);
    // Six separate strokes, one per pair of neighbouring points.
    for (int i = 1; i < plot.curve.size(); ++i)
        painter.drawLine(plot.curve.at(i - 1), plot.curve.at(i));
}

mWidget::mWidget(QWidget *parent)
    : QWidget(parent)
    , timer(new QTimer(this))
{
    connect(timer, &QTimer::timeout, this, &mWidget::creatData);
    timer->setInterval(kRepaintIntervalMs);
}

void mWidget::showEvent(QShowEvent *event)
{
    timer->start();
    QWidget::showEvent(event);
}

void mWidget::hideEvent(QHideEvent *event)
{
    timer->stop();
    QWidget::hideEvent(event);
}

void mWidget::creatData()
{
    update();
}

void mWidget::setCurve(int rate, int expo)
{
    if (rate == m_rate && expo == m_expo)
        return;
    m_rate = rate;
    m_expo = expo;
    update();
}

void mWidget::paintEvent(QPaintEvent *)
{
    const DualRatePlot plot = dualRateCurveGeometry(m_rate, m_expo, size());
    QPainter painter(this);

    setPen(painter, 4, Qt::green);
    painter.fillRect(curveBackgroundRect(), Qt::white);
    painter.drawRect(dualRateFrameRect());

    setPen(painter, 2, Qt::green);
    painter.drawLines(plot.axisDashes);

    setPen(painter, 4, Qt::red);
    painter.drawPath(segmentPath(plot.left));
    painter.drawPath(segmentPath(plot.right));
}

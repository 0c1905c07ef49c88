#pragma once

#include <QTimer>
#include <QVector>
#include <QWidget>

// Throttle curve: the seven points ThCure1..ThCure7 as a polyline over a
// dashed grid. Repaints itself every 100 ms from the points it was given
// while it is shown (its timer does not run behind another page).
class cureWidget : public QWidget
{
    Q_OBJECT
public:
    explicit cureWidget(QWidget *parent);
    void setPoints(const QVector<int> &points);
    const QVector<int> &points() const { return m_points; }

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QTimer *timer;
    QVector<int> m_points = QVector<int>(7, 0);
};

// Dual-rate curve of the selected channel and position, drawn from the rate
// and expo shown (DrRateShown, DrExpShown). Repaints itself every 100 ms
// while it is shown.
class mWidget : public QWidget
{
    Q_OBJECT
public:
    explicit mWidget(QWidget *parent);
    void setCurve(int rate, int expo);
    int rate() const { return m_rate; }
    int expo() const { return m_expo; }

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QTimer *timer;
    int m_rate = 0;
    int m_expo = 0;
};

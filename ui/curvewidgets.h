#pragma once

#include <QTimer>
#include <QWidget>

// Throttle curve: the seven points ThCure1..ThCure7 as a polyline over a
// dashed grid. Repaints itself every 100 ms from the ParameterSet.
class cureWidget : public QWidget
{
    Q_OBJECT
public:
    explicit cureWidget(QWidget *parent);

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *timer;
};

// Dual-rate curve of the selected channel and position, drawn from
// DrRateShown and DrExpShown. Repaints itself every 100 ms.
class mWidget : public QWidget
{
    Q_OBJECT
public:
    explicit mWidget(QWidget *parent);

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *timer;
};

// Cost of one refresh pass. It runs ten times a second whichever page is
// shown, so it must stay cheap when nothing changed.
#include <QMetaObject>
#include <QtTest>

#include "app/mainwindow.h"
#include "model/parameterset.h"

class BenchRefresh : public QObject
{
    Q_OBJECT

private slots:
    void refreshPassWhenNothingChanged()
    {
        MainWindow w;
        QMetaObject::invokeMethod(&w, "ui_Display");
        QBENCHMARK {
            QMetaObject::invokeMethod(&w, "ui_Display");
        }
    }

    void refreshPassAfterLivePacket()
    {
        MainWindow w;
        QMetaObject::invokeMethod(&w, "ui_Display");
        int tick = 0;
        QBENCHMARK {
            ++tick;
            params().ChOut1 = 1000 + tick % 500;
            params().ChOut2 = 1000 - tick % 500;
            QMetaObject::invokeMethod(&w, "ui_Display");
        }
    }

    void refreshPassAfterFullConfiguration()
    {
        MainWindow w;
        QMetaObject::invokeMethod(&w, "ui_Display");
        int tick = 0;
        QBENCHMARK {
            ++tick;
            params().Sub1 = tick % 100;
            params().Lepa3 = tick % 120;
            params().Prm2Master = tick % 8;
            params().ThCure4 = tick % 100;
            QMetaObject::invokeMethod(&w, "ui_Display");
        }
    }
};

QTEST_MAIN(BenchRefresh)
#include "bench_refresh.moc"

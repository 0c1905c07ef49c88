// Cost of one refresh pass. It runs ten times a second whichever page is
// shown, so it must stay cheap when nothing changed.
#include <QMetaObject>
#include <QTest>

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
            w.params().ChOut1 = 1000 + tick % 500;
            w.params().ChOut2 = 1000 - tick % 500;
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
            w.params().Sub1 = tick % 100;
            w.params().Lepa3 = tick % 120;
            w.params().Prm2Master = tick % 8;
            w.params().ThCure4 = tick % 100;
            QMetaObject::invokeMethod(&w, "ui_Display");
        }
    }
};

QTEST_MAIN(BenchRefresh)
#include "bench_refresh.moc"

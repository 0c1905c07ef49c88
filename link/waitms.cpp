#include "link/waitms.h"

#include <QEventLoop>
#include <QTimer>

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

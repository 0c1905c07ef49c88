#include <QApplication>

#include "app/startup.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    describeApplication();
    return startTool(QApplication::arguments());
}

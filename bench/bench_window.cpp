// Cost of building the window: nearly every suite of the window builds at
// least one, and the tool builds one as it starts. The form alone, and the
// whole window with its slots, parts and accessible names.
#include <QMainWindow>
#include <QtTest>

#include "app/mainwindow.h"
#include "ui/mainform.h"

class BenchWindow : public QObject
{
    Q_OBJECT

private slots:
    void form()
    {
        QBENCHMARK {
            QMainWindow window;
            MainForm form;
            form.setupUi(&window);
        }
    }

    void window()
    {
        QBENCHMARK {
            MainWindow w;
        }
    }
};

QTEST_MAIN(BenchWindow)
#include "bench_window.moc"

// Cost of building the window: nearly every suite of the window builds at
// least one, and the tool builds one as it starts. The form alone, the
// whole window with its slots, parts and accessible names, and a switch of
// its language there and back.
#include <QMainWindow>
#include <QStandardPaths>
#include <QTest>

#include "app/mainwindow.h"
#include "model/translations.h"
#include "ui/mainform.h"

class BenchWindow : public QObject
{
    Q_OBJECT

private slots:
    // The language remembered goes to QtTest's settings, not the user's.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

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

    void languageSwitch()
    {
        MainWindow w;
        const QString start = currentLanguage();
        const QString other = start == QLatin1String("en") ? QStringLiteral("zh") : QStringLiteral("en");
        QBENCHMARK {
            w.switchLanguage(other);
            w.switchLanguage(start);
        }
    }
};

QTEST_MAIN(BenchWindow)
#include "bench_window.moc"

#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "support/modalwatcher.h"

class TestModalWatcher : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QVERIFY(dir_.isValid());
        QFile existing(existingFile());
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("S");
    }

    void closesMessageBoxes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expectedResult"); // -1: not checked (about has none)

        QTest::newRow("about") << 0 << QStringLiteral("提示") << QStringLiteral("无法打开串口！") << -1;
        QTest::newRow("critical") << 1 << QStringLiteral("ERROR") << QStringLiteral("Cannot read the file")
                                  << int(QMessageBox::Ok);
        QTest::newRow("question") << 2 << QStringLiteral("Note") << QStringLiteral("Replace?")
                                  << int(QMessageBox::Yes);
    }

    void closesMessageBoxes()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, expectedResult);

        ModalWatcher watcher;
        int result = -1;
        switch (kind) {
        case 0:
            QMessageBox::about(nullptr, title, text);
            break;
        case 1:
            result = QMessageBox::critical(nullptr, title, text);
            break;
        default:
            result = QMessageBox::question(nullptr, title, text, QMessageBox::Yes | QMessageBox::No,
                                           QMessageBox::No);
            break;
        }
        if (expectedResult >= 0)
            QCOMPARE(result, expectedResult);
        QCOMPARE(watcher.messageBoxes().size(), 1);
        QCOMPARE(watcher.messageBoxes().first().title, title);
        QCOMPARE(watcher.messageBoxes().first().text, text);
        QCOMPARE(watcher.dialogCount(), 1);
    }

    void recordsEachBoxOnce()
    {
        ModalWatcher watcher;
        QMessageBox::about(nullptr, "Note", "first");
        QMessageBox::about(nullptr, "Note", "second");
        QTest::qWait(100);
        QCOMPARE(watcher.messageBoxes().size(), 2);
        QCOMPARE(watcher.messageBoxes().at(1).text, QStringLiteral("second"));
        watcher.clear();
        QCOMPARE(watcher.dialogCount(), 0);
    }

    void answersOpenDialog_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("boxes");
        QTest::newRow("select") << existingFile() << existingFile() << 0;
        QTest::newRow("cancel") << QString() << QString() << 0;
        // The dialog refuses a file that is not there (with a warning box);
        // the watcher then cancels it instead of hanging.
        QTest::newRow("missing file") << dir_.filePath("missing.txt") << QString() << 1;
    }

    void answersOpenDialog()
    {
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        QFETCH(int, boxes);

        ModalWatcher watcher;
        watcher.setFileDialogAnswer(answer);
        const QString chosen = QFileDialog::getOpenFileName(nullptr, "Load", dir_.path(),
                                                            "Files (*.txt *.dat)");
        QCOMPARE(chosen, expected);
        QCOMPARE(watcher.fileDialogs().size(), 1);
        const SeenFileDialog seen = watcher.fileDialogs().first();
        QCOMPARE(seen.title, QStringLiteral("Load"));
        QCOMPARE(seen.nameFilters, QStringList{"Files (*.txt *.dat)"});
        QCOMPARE(QDir(seen.directory), QDir(dir_.path()));
        QVERIFY(!seen.saving);
        QCOMPARE(seen.answer, answer);
        QCOMPARE(watcher.messageBoxes().size(), boxes);
    }

    void confirmsOverwriteOnSave()
    {
        ModalWatcher watcher;
        watcher.setFileDialogAnswer(existingFile());
        const QString chosen = QFileDialog::getSaveFileName(nullptr, "Save", dir_.path(), "*.txt *.dat");
        QCOMPARE(chosen, existingFile());
        QCOMPARE(watcher.fileDialogs().size(), 1);
        QVERIFY(watcher.fileDialogs().first().saving);
        QCOMPARE(watcher.messageBoxes().size(), 1); // the overwrite question, answered yes
    }

private:
    QString existingFile() const { return dir_.filePath("params.txt"); }

    QTemporaryDir dir_;
};

QTEST_MAIN(TestModalWatcher)
#include "tst_modalwatcher.moc"

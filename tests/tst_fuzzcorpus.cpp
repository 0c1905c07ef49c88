// The committed fuzz corpus, replayed through the fuzz targets' checks in
// every build: what the fuzzers once found stays found.
#include <QDir>
#include <QFile>
#include <QTest>

#include "fuzz/fuzzchecks.h"
#include "testpaths.h"

namespace {
using Check = QString (*)(const QByteArray &);

struct Target
{
    const char *name;
    Check check;
};

const Target kTargets[] = {
    {"fuzz_inbound", &FuzzChecks::inbound},
    {"fuzz_parameterfile", &FuzzChecks::parameterFile},
    {"fuzz_framecodec", &FuzzChecks::frameCodec},
};
} // namespace

class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FuzzChecks::silenceDebugOutput(); }

    void corpusHoldsEveryProperty_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("path");
        for (int t = 0; t < int(std::size(kTargets)); ++t) {
            const QDir dir(QStringLiteral(KELVO_FUZZ_CORPUS) + QLatin1Char('/') + QLatin1String(kTargets[t].name));
            const QStringList files = dir.entryList(QDir::Files, QDir::Name);
            // A target without seeds would pass without testing anything.
            QVERIFY2(files.size() >= 3, qPrintable(dir.path()));
            for (const QString &file : files) {
                const QString tag = QLatin1String(kTargets[t].name) + QLatin1Char('/') + file;
                QTest::newRow(qPrintable(tag)) << t << dir.filePath(file);
            }
        }
    }
    void corpusHoldsEveryProperty()
    {
        QFETCH(int, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        const QString problem = kTargets[target].check(file.readAll());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"

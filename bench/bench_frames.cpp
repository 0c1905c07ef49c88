#include <QTest>

#include "files/parameterfile.h"
#include "link/framecodec.h"
#include "model/defaults.h"
#include "model/parameterset.h"

class BenchFrames : public QObject
{
    Q_OBJECT

private slots:
    void buildFourFrames();
    void decodeParameterFile();
};

namespace {

constexpr FrameKind kKinds[] = {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I};

ParameterSet factorySet()
{
    ParameterSet p;
    restoreFactoryFirst(p);
    restoreFactorySecond(p);
    return p;
}

} // namespace

void BenchFrames::buildFourFrames()
{
    ParameterSet p = factorySet();
    ParameterFrames f;
    int bytes = 0;
    QBENCHMARK {
        for (FrameKind kind : kKinds)
            bytes += rebuildFrame(kind, p, f).size();
    }
    QVERIFY(bytes > 0);
    QCOMPARE(f.FrameI.size(), kFrameLength);
}

void BenchFrames::decodeParameterFile()
{
    ParameterSet p = factorySet();
    ParameterFrames f;
    for (FrameKind kind : kKinds)
        rebuildFrame(kind, p, f);
    const QString text = QString::fromLatin1(parameterFileBytes(f));
    // The decode writes its length lines to the debug output; keep them out
    // of the measurement.
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QBENCHMARK {
        ::decodeParameterFile(text, p);
    }
    qInstallMessageHandler(previous);
    QCOMPARE(p.Trim1, 120);
}

QTEST_GUILESS_MAIN(BenchFrames)
#include "bench_frames.moc"

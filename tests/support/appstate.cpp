#include "support/appstate.h"

#include <QMetaObject>
#include <QtTest>

#include "files/loadedfiletext.h"
#include "link/framecodec.h"
#include "link/livevalues.h"
#include "model/parameterset.h"

Protocol::Pacing quickPacing()
{
    Protocol::Pacing pacing;
    pacing.debounceMs = 20;
    pacing.framePauseMs = 100;
    pacing.readPauseMs = 50;
    return pacing;
}

void addLanguageRows()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("zh") << QStringLiteral("zh");
    QTest::newRow("en") << QStringLiteral("en");
}

void resetAppState()
{
    params() = ParameterSet();
    liveValues() = LiveValues();
    frames() = ParameterFrames();
    loadedFileText().clear();
}

bool invokeSlot(MainWindow &w, const char *slot)
{
    return QMetaObject::invokeMethod(&w, slot, Qt::DirectConnection);
}

QStringList differingMembers(const ParameterSet &a, const ParameterSet &b)
{
    QStringList out;
    for (const IntParameter &p : intParameters()) {
        if (p.ref.of(a) != p.ref.of(b))
            out.append(p.name);
    }
    for (const VoltParameter &v : voltParameters()) {
        if (!qFuzzyCompare(a.*v.ref + 1.0, b.*v.ref + 1.0))
            out.append(v.name);
    }
    return out;
}

#include "support/appstate.h"

#include <QMetaObject>
#include <QTest>

#include "model/parameterset.h"
#include "model/settings.h"

Protocol::Pacing quickPacing()
{
    Protocol::Pacing pacing;
    pacing.debounceMs = 20;
    pacing.framePauseMs = 100;
    pacing.readPauseMs = 50;
    // The fake transmitter answers at once and sends its blocks back to
    // back; a test that spaces them says so and stays well inside these.
    pacing.firstBlockMs = 600;
    pacing.quietAfterBlockMs = 400;
    pacing.wholeReplyMs = 4000;
    return pacing;
}

void addLanguageRows()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("zh") << QStringLiteral("zh");
    QTest::newRow("en") << QStringLiteral("en");
}

bool invokeSlot(MainWindow &w, const char *slot)
{
    return QMetaObject::invokeMethod(&w, slot, Qt::DirectConnection);
}

QStringList differingMembers(const ParameterSet &a, const ParameterSet &b)
{
    QStringList out;
    for (const Setting *p : intSettings()) {
        if (p->member.of(a) != p->member.of(b))
            out.append(p->key);
    }
    for (const Setting *v : voltSettings()) {
        if (!qFuzzyCompare(a.*v->volts + 1.0, b.*v->volts + 1.0))
            out.append(v->key);
    }
    return out;
}

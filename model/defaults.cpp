#include "model/defaults.h"

#include <QtGlobal>

#include <cmath>

#include "model/parameterset.h"

namespace {

void restoreFactory(ParameterSet &p, ResetRoutine routine)
{
    for (const IntParameter &param : intParameters()) {
        if (param.reset == routine)
            param.ref.of(p) = param.factory;
    }
    for (const VoltParameter &volt : voltParameters()) {
        if (volt.reset == routine)
            p.*volt.ref = volt.factory;
    }
}

// Ranges are tested unsigned: a negative value falls outside every range
// that starts at 0, and extreme values cannot overflow.
bool outOfRange(int value, int validMin, int validMax)
{
    const quint32 offset = quint32(value) - quint32(validMin);
    const quint32 span = quint32(validMax) - quint32(validMin);
    return offset > span;
}

bool outOfRange(double value, double validMin, double validMax)
{
    return std::isnan(value) || value > validMax || value < validMin;
}

} // namespace

void restoreFactoryFirst(ParameterSet &p)
{
    restoreFactory(p, ResetRoutine::First);
}

void restoreFactorySecond(ParameterSet &p)
{
    restoreFactory(p, ResetRoutine::Second);
}

void sanitizeParameters(ParameterSet &p)
{
    for (const IntParameter &param : intParameters()) {
        int &value = param.ref.of(p);
        if (param.checked && outOfRange(value, param.validMin, param.validMax))
            value = param.start;
    }
    for (const VoltParameter &volt : voltParameters()) {
        double &value = p.*volt.ref;
        if (outOfRange(value, volt.validMin, volt.validMax))
            value = volt.fallback;
    }
}

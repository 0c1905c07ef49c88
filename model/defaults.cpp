#include "model/defaults.h"

#include <QtGlobal>

#include <cmath>

#include "model/settings.h"

namespace {

void restoreFactory(ParameterSet &p, ResetRoutine routine)
{
    for (const Setting *s : intSettings()) {
        if (s->reset == routine)
            s->member.of(p) = int(s->factory);
    }
    for (const Setting *s : voltSettings()) {
        if (s->reset == routine)
            p.*s->volts = s->factory;
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
    for (const Setting *s : intSettings()) {
        int &value = s->member.of(p);
        if (s->checked && outOfRange(value, int(s->validMin), int(s->validMax)))
            value = int(s->start);
    }
    for (const Setting *s : voltSettings()) {
        double &value = p.*s->volts;
        if (outOfRange(value, s->validMin, s->validMax))
            value = s->fallback;
    }
}

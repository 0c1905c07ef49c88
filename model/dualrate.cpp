#include "model/dualrate.h"

#include "model/parameterset.h"

namespace {

bool isChannel(int c)
{
    return c >= 0 && c <= 3;
}

// The rate/expo boxes of the curve page edit one switch position at a time:
// 0 is UP, anything else DOWN.
int *positionEntry(ParameterSet &p, int (&up)[4], int (&down)[4])
{
    if (!isChannel(p.DrCh))
        return nullptr;
    return p.DrPosi == 0 ? &up[p.DrCh] : &down[p.DrCh];
}

void routeEdit(ParameterSet &p, int &shown, int *entry, int value)
{
    shown = value;
    if (entry)
        *entry = value;
    selectDualRate(p);
}

} // namespace

void selectDualRate(ParameterSet &p)
{
    const int c = p.DrCh;
    if (!isChannel(c))
        return;
    p.DrUpShown = p.DrRateUp[c];
    p.DrDownShown = p.DrRateDown[c];
    const bool up = p.DrPosi == 0;
    p.DrRateShown = up ? p.DrRateUp[c] : p.DrRateDown[c];
    p.DrExpShown = up ? p.DrExpUp[c] : p.DrExpDown[c];
}

void editDualRateUp(ParameterSet &p, int value)
{
    routeEdit(p, p.DrUpShown, isChannel(p.DrCh) ? &p.DrRateUp[p.DrCh] : nullptr, value);
}

void editDualRateDown(ParameterSet &p, int value)
{
    routeEdit(p, p.DrDownShown, isChannel(p.DrCh) ? &p.DrRateDown[p.DrCh] : nullptr, value);
}

void editDualRateRate(ParameterSet &p, int value)
{
    routeEdit(p, p.DrRateShown, positionEntry(p, p.DrRateUp, p.DrRateDown), value);
}

void editDualRateExp(ParameterSet &p, int value)
{
    routeEdit(p, p.DrExpShown, positionEntry(p, p.DrExpUp, p.DrExpDown), value);
}

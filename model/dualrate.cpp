#include "model/dualrate.h"

#include "model/parameterset.h"

namespace {

using P = ParameterSet;

const DualRateView kViews[] = {
    {&P::DrUpShown, &P::DrRateUp, nullptr},
    {&P::DrDownShown, &P::DrRateDown, nullptr},
    {&P::DrRateShown, &P::DrRateUp, &P::DrRateDown},
    {&P::DrExpShown, &P::DrExpUp, &P::DrExpDown},
};

bool isChannel(int c)
{
    return c >= 0 && c <= 3;
}

} // namespace

const DualRateView *dualRateView(int ParameterSet::*member)
{
    for (const DualRateView &view : kViews) {
        if (member && view.shown == member)
            return &view;
    }
    return nullptr;
}

int (ParameterSet::*dualRateTable(const DualRateView &view, const ParameterSet &p))[4]
{
    return view.down && p.DrPosi != 0 ? view.down : view.up;
}

void selectDualRate(ParameterSet &p)
{
    if (!isChannel(p.DrCh))
        return;
    for (const DualRateView &view : kViews)
        p.*view.shown = (p.*dualRateTable(view, p))[p.DrCh];
}

void editDualRate(ParameterSet &p, const DualRateView &view, int value)
{
    p.*view.shown = value;
    if (isChannel(p.DrCh))
        (p.*dualRateTable(view, p))[p.DrCh] = value;
    selectDualRate(p);
}

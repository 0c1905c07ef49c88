#include "model/parameterset.h"

#include "model/settings.h"

namespace {
using P = ParameterSet;
} // namespace

IntRef channelOutput(int channel)
{
    static constexpr int P::*outputs[8] = {&P::ChOut1, &P::ChOut2, &P::ChOut3, &P::ChOut4,
                                           &P::ChOut5, &P::ChOut6, &P::ChOut7, &P::ChOut8};
    return IntRef(outputs[channel]);
}

ParameterSet::ParameterSet()
{
    for (const Setting *s : intSettings())
        s->member.of(*this) = int(s->start);
    for (const Setting *s : voltSettings())
        this->*s->volts = s->start;
    for (int ch = 0; ch < 8; ++ch)
        channelOutput(ch).of(*this) = 1000;
}

void keepRunTimeValues(ParameterSet &set, const ParameterSet &current)
{
    for (int channel = 0; channel < 8; ++channel)
        channelOutput(channel).of(set) = channelOutput(channel).of(current);
}

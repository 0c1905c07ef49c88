#include "link/livevalues.h"

LiveValues &liveValues()
{
    static LiveValues instance;
    return instance;
}

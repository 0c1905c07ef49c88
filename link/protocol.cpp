#include "link/protocol.h"

namespace Protocol {

int frameStep(FrameKind kind)
{
    int step = 1;
    for (FrameKind k : kFrameOrder) {
        if (k == kind)
            return step;
        ++step;
    }
    return 0;
}

} // namespace Protocol

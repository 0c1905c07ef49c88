#include "link/sendcheck.h"

SendCheck SendCheck::judge(bool heard, const TransmitterRecord::ReadOutcome &readBack)
{
    SendCheck check;
    check.received = readBack.received;
    if (!heard || readBack.received == 0)
        check.result = Result::Silent;
    else if (!readBack.complete || !readBack.compared)
        check.result = Result::Incomplete;
    else if (!readBack.differences.isEmpty())
        check.result = Result::Differs;
    else
        check.result = Result::Verified;
    if (check.result == Result::Differs)
        check.differences = readBack.differences;
    return check;
}

SendCheck SendCheck::silent()
{
    SendCheck check;
    check.result = Result::Silent;
    return check;
}

// libFuzzer target for the inbound stream: bytes cut into chunks through the parser and the follow-up of every chunk.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzzchecks.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzChecks::silenceDebugOutput();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString problem = FuzzChecks::inbound(
            QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "fuzz_inbound: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}

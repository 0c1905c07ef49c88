// libFuzzer target for the frame builder: any ParameterSet, any damaged frame strings.
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
    const QString problem = FuzzChecks::frameCodec(
            QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "fuzz_framecodec: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}

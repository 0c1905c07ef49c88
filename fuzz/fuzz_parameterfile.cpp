// libFuzzer target for parameter files: any bytes loaded, sanitized, saved and loaded again.
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
    const QString problem = FuzzChecks::parameterFile(
            QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "fuzz_parameterfile: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}

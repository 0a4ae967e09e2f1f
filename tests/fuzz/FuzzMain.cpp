// The libFuzzer entry point of one check; SIFTA_FUZZ_CHECK names it. A broken property
// aborts, so libFuzzer keeps the input as a crash.

#include "FuzzChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString failure = FuzzChecks::SIFTA_FUZZ_CHECK(
        QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "property broken: %s\n", failure.toUtf8().constData());
        std::abort();
    }
    return 0;
}

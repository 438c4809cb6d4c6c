// The libFuzzer entry of one fuzz target; TARVEX_FUZZ_ENTRY names its function.
#include "tests/fuzz/FuzzTargets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString broken = tarvex::fuzz::TARVEX_FUZZ_ENTRY(
        QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "fuzz rule broken: %s\n", broken.toLocal8Bit().constData());
        std::abort(); // libFuzzer saves the input as a crash
    }
    return 0;
}

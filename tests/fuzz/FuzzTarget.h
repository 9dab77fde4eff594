#pragma once

// What the fuzz targets share: the entry point that libFuzzer calls with each
// input (and the corpus replay of the ordinary test suite, without it), and
// the check that turns a broken promise into a crash the fuzzer keeps.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace zorrel::fuzz {

inline void check(bool holds, const char *promise)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}

} // namespace zorrel::fuzz

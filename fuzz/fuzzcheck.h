#pragma once

// What the harnesses share: a check that stops the run with the failing condition, so libFuzzer
// keeps the input, and readers of the few value kinds the harnesses take from their input.

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace mosaikon::fuzzing {

// Any int, drawn so that small values, values near the limits and everything between all come
// up often: a plain 32-bit draw alone would almost never give a coordinate on a small surface.
inline int anyInt(FuzzedDataProvider &in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return in.ConsumeIntegralInRange(-100, 100);
    case 1:
        return in.ConsumeIntegral<std::int16_t>();
    case 2:
        return in.ConsumeIntegral<std::int32_t>();
    default: {
        const int offset = in.ConsumeIntegralInRange(0, 64);
        return in.ConsumeBool() ? INT_MIN + offset : INT_MAX - offset;
    }
    }
}

} // namespace mosaikon::fuzzing

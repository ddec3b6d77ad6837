#pragma once

// The program's number rules. Whole numbers come from floating-point values by rounding to the
// nearest, ties to the even neighbour; integer division truncates toward zero (C++'s own `/` and
// `%`); a narrowing conversion fails with an overflow error instead of wrapping. Wrapping to
// 8 bits is only ever done on purpose, through `wrap8`.

#include "error.h"

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <utility>

namespace mosaikon {

// Nearest whole number, halfway cases to the even one: 2.5 -> 2, 3.5 -> 4, -0.5 -> -0.
// Independent of the floating-point environment's rounding mode.
inline double roundHalfEven(double v) {
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

// `v` as a T, or an overflow error when T cannot hold it.
template<std::integral T> T narrow(std::integral auto v) {
    if (!std::in_range<T>(v)) raiseError(Overflow);
    return static_cast<T>(v);
}

// `v` rounded half to even, as a T; overflow when T cannot hold the result (NaN included).
template<std::integral T> T narrowRounded(double v) {
    const double r = roundHalfEven(v);
    // max + 1 is a power of two, exact in double where max itself may round up to it.
    if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
          r < static_cast<double>(std::numeric_limits<T>::max()) + 1.0))
        raiseError(Overflow);
    return static_cast<T>(r);
}

// The low 8 bits of `v`'s two's-complement form: -8 -> 0xF8, 112 -> 0x70.
inline std::uint8_t wrap8(int v) {
    return static_cast<std::uint8_t>(static_cast<unsigned>(v) & 0xFFu);
}

} // namespace mosaikon

#pragma once

// Helpers shared by the core tests. The reference pictures here are computed pixel by pixel,
// never through StretchBlt, so they can judge it.

#include "core/error.h"
#include "core/surface.h"

namespace mosaikon::test {

// A pixel that names its own place: x and y below 512, salt 1..15 tells surfaces apart. Never
// equal to either background colour.
constexpr Rgb coord(int x, int y, int salt = 1) {
    return 0xFF000000u | static_cast<Rgb>(salt) << 18 | static_cast<Rgb>(y) << 9 |
           static_cast<Rgb>(x);
}

// A surface whose pixels are all distinct, so a swapped axis, a shifted row or a mirror about
// the wrong line shows as a wrong pixel.
inline PixelSurface lopsided(int width, int height, int salt = 1) {
    PixelSurface s(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) s.setPixel(x, y, coord(x, y, salt));
    return s;
}

// `p` mirrored left to right when `h`, top to bottom when `v`.
inline PixelSurface flipped(const PixelSurface &p, bool h, bool v) {
    const int w = p.width();
    const int ht = p.height();
    PixelSurface out(w, ht, 0);
    for (int y = 0; y < ht; ++y)
        for (int x = 0; x < w; ++x)
            out.setPixel(x, y, p.pixel(h ? w - 1 - x : x, v ? ht - 1 - y : y));
    return out;
}

// The error number `f` raises, 0 when it returns normally.
template<class F> int errorOf(F &&f) {
    try {
        f();
    } catch (const Error &e) {
        return e.number();
    }
    return 0;
}

} // namespace mosaikon::test

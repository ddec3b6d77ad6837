#include "core/surface.h"
#include "support.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace mosaikon {
namespace {

using test::flipped;
using test::lopsided;

struct Blt {
    int dx, dy, dw, dh, sx, sy, sw, sh;
};

// The source coordinate that destination coordinate `d` reads along one axis, found backwards
// from the destination; nothing when the transfer does not cover `d`.
std::optional<long long> sourceOf(long long d, long long d0, long long dExt, long long s0,
                                  long long sExt) {
    if (dExt == 0 || sExt == 0) return std::nullopt;
    const long long i = dExt > 0 ? d - d0 : d0 - d;
    const long long len = dExt > 0 ? dExt : -dExt;
    if (i < 0 || i >= len) return std::nullopt;
    const long long k = i * (sExt > 0 ? sExt : -sExt) / len;
    return sExt > 0 ? s0 + k : s0 - k;
}

// What `dst` must hold after the transfer `b` from `src`, pixel by pixel.
PixelSurface expectedAfter(const PixelSurface &dst, const PixelSurface &src, const Blt &b) {
    PixelSurface out = dst;
    for (int y = 0; y < dst.height(); ++y) {
        for (int x = 0; x < dst.width(); ++x) {
            const auto fx = sourceOf(x, b.dx, b.dw, b.sx, b.sw);
            const auto fy = sourceOf(y, b.dy, b.dh, b.sy, b.sh);
            if (fx && fy && *fx >= 0 && *fx < src.width() && *fy >= 0 && *fy < src.height())
                out.setPixel(x, y, src.pixel(static_cast<int>(*fx), static_cast<int>(*fy)));
        }
    }
    return out;
}

void run(PixelSurface &dst, const PixelSurface &src, const Blt &b) {
    StretchBlt(dst, b.dx, b.dy, b.dw, b.dh, src, b.sx, b.sy, b.sw, b.sh);
}

TEST(StretchBlt, EnlargesTopLeftQuarterInPlaceIntoTwoByTwoBlocks) {
    PixelSurface view = lopsided(256, 256);
    const PixelSurface before = view;
    StretchBlt(view, 0, 0, 256, 256, view, 0, 0, 128, 128);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(view.pixel(x, y), before.pixel(x / 2, y / 2)) << x << "," << y;
}

TEST(StretchBlt, MirrorsInPlaceByTheSignsOfTheExtents) {
    const struct {
        Blt b;
        bool h, v;
    } cases[] = {
        {{0, 0, 64, 64, 63, 0, -64, 64}, true, false},
        {{0, 0, 64, 64, 0, 63, 64, -64}, false, true},
        {{0, 0, 64, 64, 63, 63, -64, -64}, true, true},
        {{63, 0, -64, 64, 0, 0, 64, 64}, true, false},
        {{63, 63, -64, -64, 0, 0, 64, 64}, true, true},
        {{63, 63, -64, -64, 63, 63, -64, -64}, false, false},
        {{0, 0, 64, 64, 0, 0, 64, 64}, false, false},
    };
    for (const auto &c : cases) {
        PixelSurface pic = lopsided(64, 64);
        const PixelSurface before = pic;
        run(pic, pic, c.b);
        EXPECT_TRUE(pic == flipped(before, c.h, c.v)) << c.b.dx << " " << c.b.sx << " " << c.b.sw;
    }
}

// Rectangles partly or wholly off either surface, zero and huge extents (the work stays bounded
// by the destination's size, or this test would not finish). Surfaces of different,
// non-square sizes so that a swapped axis or a wrong limit shows.
TEST(StretchBlt, ClipsToBothSurfacesAndLeavesUncoveredPixels) {
    const Blt cases[] = {{0, 0, 40, 30, 0, 0, 40, 30},
                         {-5, -7, 20, 20, 3, 4, 20, 20},
                         {40, 35, 20, 20, 0, 0, 20, 20},
                         {0, 0, 20, 20, 30, 25, 20, 20},
                         {0, 0, 20, 20, -10, -3, 20, 20},
                         {48, 0, 10, 10, 0, 0, 10, 10},
                         {-10, -10, 10, 10, 0, 0, 10, 10},
                         {0, 0, 10, 10, 40, 0, 10, 10},
                         {0, 0, 10, 10, 0, 30, 10, 10},
                         {0, 0, 10, 10, 0, 0, 40, 30},
                         {1, 2, 33, 17, 2, 3, -7, 9},
                         {0, 0, 48, 40, 30, 20, 24, 20},
                         {47, 0, -48, 40, 39, 29, -20, -15},
                         {47, 39, -48, -40, 0, 0, 40, 30},
                         {30, 20, -25, -15, 35, 25, -25, -15},
                         {0, 0, 0, 30, 0, 0, 40, 30},
                         {0, 0, 40, 0, 0, 0, 40, 30},
                         {0, 0, 40, 30, 0, 0, 0, 30},
                         {0, 0, 40, 30, 0, 0, 40, 0},
                         {0, 0, INT_MAX, INT_MAX, 0, 0, INT_MAX, INT_MAX},
                         {INT_MAX, INT_MAX, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN},
                         {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 1, 1},
                         {0, 0, INT_MAX, INT_MAX, 5, 5, 1, 1},
                         {0, 0, 48, 40, INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                         {INT_MAX, 0, INT_MIN, 40, 0, 0, INT_MAX, 30},
                         {0, 0, INT_MIN, INT_MIN, 3, 3, INT_MIN, INT_MAX},
                         {2, 2, 1, 1, INT_MAX, 0, INT_MIN, 1},
                         {-INT_MAX, 5, INT_MAX, 1, 0, 0, 40, 1}};
    for (const Blt &b : cases) {
        for (bool inPlace : {false, true}) {
            PixelSurface dst = lopsided(48, 40, 2);
            const PixelSurface src = inPlace ? dst : lopsided(40, 30, 3);
            const PixelSurface want = expectedAfter(dst, src, b);
            run(dst, inPlace ? dst : src, b);
            EXPECT_TRUE(dst == want)
                << b.dx << " " << b.dy << " " << b.dw << " " << b.dh << " " << b.sx << " " << b.sy
                << " " << b.sw << " " << b.sh << (inPlace ? " in place" : "");
        }
    }
}

} // namespace
} // namespace mosaikon

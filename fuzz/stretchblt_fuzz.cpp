// StretchBlt between small surfaces (and within one, in place) with any rectangles and extents,
// the whole int range included. Nothing may be touched outside either surface (ASan), the work
// stays bounded by the destination's size, and every destination pixel must end as the transfer's
// rule says: the source pixel floor(i * |sw| / |dw|) along the source's direction when that lies
// on the source, else what the pixel held before, with the source read as it was before the call.

#include "fuzzcheck.h"
#include "surface.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

using namespace mosaikon;

namespace {

// Any int, drawn so that small values, values near the limits and everything between all come
// up often: a plain 32-bit draw alone would almost never give a coordinate on a small surface.
int anyInt(FuzzedDataProvider &in) {
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

// A surface whose every pixel differs from all others of it and of the other surface (`tag`).
PixelSurface numbered(int width, int height, Rgb tag) {
    PixelSurface surface(width, height, 0);
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            surface.setPixel(x, y, tag | static_cast<Rgb>(y << 8) | static_cast<Rgb>(x));
    return surface;
}

// Along one axis: the source coordinate that destination coordinate `at` receives, if any.
std::optional<int> sourceFor(int at, int d, int dExtent, int s, int sExtent, int sLimit) {
    if (dExtent == 0 || sExtent == 0) return std::nullopt;
    const long long i = (static_cast<long long>(at) - d) * (dExtent > 0 ? 1 : -1);
    const long long dLen = std::llabs(dExtent), sLen = std::llabs(sExtent);
    if (i < 0 || i >= dLen) return std::nullopt;
    const long long step = i * sLen / dLen;
    const long long c = sExtent > 0 ? s + step : s - step;
    if (c < 0 || c >= sLimit) return std::nullopt;
    return static_cast<int>(c);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    // Sizes below 0 count as 0; the surfaces stay small so every pixel can be checked.
    const int dstWidth = in.ConsumeIntegralInRange(-2, 80);
    const int dstHeight = in.ConsumeIntegralInRange(-2, 80);
    const int srcWidth = in.ConsumeIntegralInRange(-2, 80);
    const int srcHeight = in.ConsumeIntegralInRange(-2, 80);
    const bool inPlace = in.ConsumeBool();
    const int dx = anyInt(in), dy = anyInt(in), dw = anyInt(in), dh = anyInt(in);
    const int sx = anyInt(in), sy = anyInt(in), sw = anyInt(in), sh = anyInt(in);

    PixelSurface dst = numbered(dstWidth, dstHeight, 0xFF000000u);
    const PixelSurface separateSource = numbered(srcWidth, srcHeight, 0xFF800000u);
    const PixelSurface &src = inPlace ? dst : separateSource;
    const PixelSurface dstBefore = dst;
    const PixelSurface srcBefore = src;

    StretchBlt(dst, dx, dy, dw, dh, src, sx, sy, sw, sh);

    FUZZ_CHECK(dst.width() == dstBefore.width() && dst.height() == dstBefore.height());
    for (int y = 0; y < dst.height(); ++y) {
        const auto row = sourceFor(y, dy, dh, sy, sh, srcBefore.height());
        for (int x = 0; x < dst.width(); ++x) {
            const auto column = sourceFor(x, dx, dw, sx, sw, srcBefore.width());
            const Rgb expected =
                row && column ? srcBefore.pixel(*column, *row) : dstBefore.pixel(x, y);
            FUZZ_CHECK(dst.pixel(x, y) == expected);
        }
    }
    if (!inPlace) FUZZ_CHECK(separateSource == srcBefore);
    return 0;
}

#include "surface.h"

#include <algorithm>
#include <cstdlib>

namespace mosaikon {

PixelSurface::PixelSurface(int width, int height, Rgb fill)
    : width_(std::max(width, 0))
    , height_(std::max(height, 0))
    , pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill)
{
}

void PixelSurface::fill(Rgb c) { std::fill(pixels_.begin(), pixels_.end(), c); }

namespace {

// One axis of a transfer: for every destination pixel that lands on the destination surface,
// its destination coordinate and the source coordinate it reads (-1 when that lies outside).
struct AxisMap {
    std::vector<int> dst;
    std::vector<int> src;
};

AxisMap mapAxis(int d, int dExtent, int dLimit, int s, int sExtent, int sLimit)
{
    AxisMap map;
    if (dExtent == 0 || sExtent == 0) return map;
    const long long dStep = dExtent < 0 ? -1 : 1;
    const long long sStep = sExtent < 0 ? -1 : 1;
    const long long dLen = std::llabs(dExtent);
    const long long sLen = std::llabs(sExtent);
    // Only the indices whose destination lies in 0..dLimit-1 are visited, so the work is bounded
    // by the destination's size however large the extents are.
    long long first = dStep > 0 ? -static_cast<long long>(d) : static_cast<long long>(d) - (dLimit - 1);
    long long last = dStep > 0 ? static_cast<long long>(dLimit - 1) - d : static_cast<long long>(d);
    first = std::max(first, 0LL);
    last = std::min(last, dLen - 1);
    for (long long i = first; i <= last; ++i) {
        const long long sc = s + sStep * (i * sLen / dLen);
        map.dst.push_back(static_cast<int>(d + dStep * i));
        map.src.push_back(sc >= 0 && sc < sLimit ? static_cast<int>(sc) : -1);
    }
    return map;
}

} // namespace

void StretchBlt(PixelSurface &dst, int dx, int dy, int dw, int dh, const PixelSurface &src,
                int sx, int sy, int sw, int sh)
{
    const AxisMap cols = mapAxis(dx, dw, dst.width(), sx, sw, src.width());
    const AxisMap rows = mapAxis(dy, dh, dst.height(), sy, sh, src.height());
    if (cols.dst.empty() || rows.dst.empty()) return;

    // Reading from a snapshot when the surfaces are one makes overlapping transfers exact.
    PixelSurface snapshot(0, 0, 0);
    const PixelSurface *from = &src;
    if (&src == &dst) {
        snapshot = src;
        from = &snapshot;
    }
    for (std::size_t r = 0; r < rows.dst.size(); ++r) {
        if (rows.src[r] < 0) continue;
        const Rgb *in = from->row(rows.src[r]);
        Rgb *out = dst.row(rows.dst[r]);
        for (std::size_t c = 0; c < cols.dst.size(); ++c)
            if (cols.src[c] >= 0) out[cols.dst[c]] = in[cols.src[c]];
    }
}

} // namespace mosaikon

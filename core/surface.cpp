#include "surface.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>

namespace mosaikon {

PixelSurface::PixelSurface(int width, int height, Rgb fill)
    : width_(std::max(width, 0))
    , height_(std::max(height, 0))
    , fill_(fill)
    , blankRow_(static_cast<std::size_t>(width_), fill) {}

void PixelSurface::fill(Rgb c) {
    fill_ = c;
    std::fill(blankRow_.begin(), blankRow_.end(), c);
    std::fill(pixels_.begin(), pixels_.end(), c);
}

void PixelSurface::allocate() {
    if (isBlank())
        pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill_);
}

bool PixelSurface::operator==(const PixelSurface &other) const {
    if (width_ != other.width_ || height_ != other.height_) return false;
    if (width_ == 0 || height_ == 0) return true;
    if (isBlank() && other.isBlank()) return fill_ == other.fill_;
    for (int y = 0; y < height_; ++y)
        if (!std::equal(row(y), row(y) + width_, other.row(y))) return false;
    return true;
}

namespace {

// One axis of a transfer, clipped to the destination. Entry k stands for destination coordinate
// first + step * k and holds the source coordinate it reads, -1 when that lies outside the source.
// lo..hi is the range of the source coordinates that are read (lo > hi when none is).
struct AxisMap {
    int first = 0;
    int step = 1;
    std::vector<int> src;
    int lo = INT_MAX;
    int hi = -1;
    bool complete = true; // every entry reads the source
};

AxisMap mapAxis(int d, int dExtent, int dLimit, int s, int sExtent, int sLimit) {
    AxisMap map;
    if (dExtent == 0 || sExtent == 0) return map;
    map.step = dExtent < 0 ? -1 : 1;
    const long long sStep = sExtent < 0 ? -1 : 1;
    const long long dLen = std::llabs(dExtent);
    const long long sLen = std::llabs(sExtent);
    // Only the indices whose destination lies in 0..dLimit-1 are visited, so the work is bounded
    // by the destination's size however large the extents are.
    const long long at = d;
    long long first = map.step > 0 ? -at : at - (dLimit - 1);
    long long last = map.step > 0 ? (dLimit - 1) - at : at;
    first = std::max(first, 0LL);
    last = std::min(last, dLen - 1);
    if (first > last) return map;
    map.first = static_cast<int>(at + map.step * first);
    map.src.reserve(static_cast<std::size_t>(last - first + 1));
    for (long long i = first; i <= last; ++i) {
        const long long sc = s + sStep * (i * sLen / dLen);
        if (sc >= 0 && sc < sLimit) {
            const int c = static_cast<int>(sc);
            map.src.push_back(c);
            map.lo = std::min(map.lo, c);
            map.hi = std::max(map.hi, c);
        } else {
            map.src.push_back(-1);
            map.complete = false;
        }
    }
    return map;
}

// The source pixels a transfer reads: rows `rows.lo..rows.hi`, columns `cols.lo..cols.hi`, read
// in place or, when the source is also the destination, from a copy of just that box so that
// overlapping transfers are exact. Coordinates passed in are source surface coordinates.
class SourceBox {
public:
    SourceBox(const PixelSurface &src, const AxisMap &cols, const AxisMap &rows, bool copy)
        : src_(src) {
        if (!copy) return;
        x0_ = cols.lo;
        y0_ = rows.lo;
        width_ = offset(cols.hi + 1, cols.lo);
        copy_.resize(width_ * offset(rows.hi + 1, rows.lo));
        for (int y = rows.lo; y <= rows.hi; ++y)
            std::copy_n(src.row(y) + cols.lo, width_,
                        copy_.begin() + static_cast<std::ptrdiff_t>(width_ * offset(y, y0_)));
    }

    // The pixel at source column x of the returned row is at index x - columnBase().
    const Rgb *row(int y) const {
        return copy_.empty() ? src_.row(y) : copy_.data() + width_ * offset(y, y0_);
    }
    int columnBase() const { return x0_; }

private:
    static std::size_t offset(int v, int base) { return static_cast<std::size_t>(v - base); }

    const PixelSurface &src_;
    int x0_ = 0;
    int y0_ = 0;
    std::size_t width_ = 0;
    std::vector<Rgb> copy_;
};

// True when the map reads every source column twice, left to right from cols.src[0]: a plain
// two-fold enlargement, which has a loop of its own.
bool doublesEachColumn(const AxisMap &cols) {
    if (!cols.complete || cols.step < 0 || cols.src.size() % 2 != 0) return false;
    for (std::size_t k = 0; k < cols.src.size(); ++k)
        if (cols.src[k] != cols.src[0] + static_cast<int>(k / 2)) return false;
    return true;
}

} // namespace

void StretchBlt(PixelSurface &dst, int dx, int dy, int dw, int dh, const PixelSurface &src, int sx,
                int sy, int sw, int sh) {
    if (src.isBlank() && dst.isBlank() && src.fillColour() == dst.fillColour()) return;
    AxisMap cols = mapAxis(dx, dw, dst.width(), sx, sw, src.width());
    const AxisMap rows = mapAxis(dy, dh, dst.height(), sy, sh, src.height());
    if (cols.lo > cols.hi || rows.lo > rows.hi) return;

    const SourceBox box(src, cols, rows, &src == &dst);
    for (int &c : cols.src)
        if (c >= 0) c -= box.columnBase();
    // The destination columns written, as one run: first..first+count-1 or its mirror.
    const int count = static_cast<int>(cols.src.size());
    const int left = cols.step > 0 ? cols.first : cols.first - (count - 1);

    const bool doubled = doublesEachColumn(cols);
    const Rgb *previousOut = nullptr;
    int previousSrc = -1;
    for (std::size_t r = 0; r < rows.src.size(); ++r) {
        const int sr = rows.src[r];
        if (sr < 0) continue;
        Rgb *out = dst.row(rows.first + rows.step * static_cast<int>(r));
        if (cols.complete && sr == previousSrc) {
            // Another copy of the source row just drawn, and every column of it was written.
            std::copy_n(previousOut + left, count, out + left);
        } else if (doubled) {
            const Rgb *in = box.row(sr) + cols.src[0];
            Rgb *at = out + left;
            for (std::ptrdiff_t k = 0; k < count / 2; ++k) at[2 * k] = at[2 * k + 1] = in[k];
        } else if (cols.complete && cols.step > 0) {
            // Every column read, left to right: the common enlargement, without the checks.
            const Rgb *in = box.row(sr);
            Rgb *at = out + left;
            for (std::size_t k = 0; k < cols.src.size(); ++k) at[k] = in[cols.src[k]];
        } else {
            const Rgb *in = box.row(sr);
            int x = cols.first;
            for (const int c : cols.src) {
                if (c >= 0) out[x] = in[c];
                x += cols.step;
            }
        }
        previousOut = out;
        previousSrc = sr;
    }
}

} // namespace mosaikon

#pragma once

#include <cstdint>
#include <vector>

namespace mosaikon {

// A pixel as 0xAARRGGBB. Surfaces hold opaque pixels only; alpha is kept for the loaders' use.
using Rgb = std::uint32_t;

constexpr Rgb rgb(int r, int g, int b) {
    return 0xFF000000u | (static_cast<Rgb>(r & 0xFF) << 16) | (static_cast<Rgb>(g & 0xFF) << 8) |
           static_cast<Rgb>(b & 0xFF);
}

// A persistent drawing surface: a fixed-size grid of pixels, (0, 0) the top-left one.
//
// A surface starts blank: every pixel is its fill colour and it holds no memory for its pixels,
// which are allocated, in the fill colour, when the first one is written (setPixel or the
// writable row()). Readers cannot tell a blank surface from one whose pixels were all written in
// its fill colour; only isBlank() can.
class PixelSurface {
public:
    // Width and height below 0 count as 0.
    PixelSurface(int width, int height, Rgb fill);

    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }

    // True while no pixel has been written: every pixel is fillColour().
    bool isBlank() const noexcept { return pixels_.empty(); }
    // The colour of the construction or of the last fill().
    Rgb fillColour() const noexcept { return fill_; }

    // Precondition: (x, y) lies on the surface.
    Rgb pixel(int x, int y) const { return isBlank() ? fill_ : pixels_[index(x, y)]; }
    void setPixel(int x, int y, Rgb c) { row(y)[x] = c; }

    // Every pixel becomes `c`; a blank surface stays blank, in the new colour.
    void fill(Rgb c);

    // The width() pixels of row y (precondition: 0 <= y < height()). Once the surface holds
    // pixels, its rows lie one after another from row(0) on; while it is blank, the read-only
    // row() gives every y one shared row of the fill colour.
    const Rgb *row(int y) const {
        return isBlank() ? blankRow_.data() : pixels_.data() + index(0, y);
    }
    Rgb *row(int y) {
        allocate();
        return pixels_.data() + index(0, y);
    }

    // Same size and the same colour at every pixel.
    bool operator==(const PixelSurface &other) const;

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    void allocate();

    int width_;
    int height_;
    Rgb fill_;
    std::vector<Rgb> blankRow_; // width_ pixels of fill_
    std::vector<Rgb> pixels_;   // empty while blank
};

// Block transfer with the plain source copy, the platform's StretchBlt with SRCCOPY.
//
// The destination rectangle starts at pixel (dx, dy) and runs |dw| pixels to the right, or to
// the left when dw is negative; likewise |dh| pixels down or up. The source rectangle starts at
// pixel (sx, sy) and runs the same way by sw and sh. Destination pixel i of a row (counting from
// 0 along the destination's direction) receives source pixel floor(i * |sw| / |dw|) along the
// source's direction; rows likewise. So a 128 -> 256 copy turns each pixel into a 2 x 2 block,
// and a source origin of 63 with a width of -64 onto a destination of 64 gives destination x the
// source pixel 63 - x.
//
// The whole source region is read before anything is written, so source and destination may be
// the same surface and overlap. Pixels that fall outside either surface are clipped: nothing is
// read or written out of bounds, whatever the arguments; a destination pixel whose source pixel
// lies outside the source is left as it was. A zero extent draws nothing. A transfer between blank
// surfaces of one colour changes no pixel and leaves the destination blank.
void StretchBlt(PixelSurface &dst, int dx, int dy, int dw, int dh, const PixelSurface &src, int sx,
                int sy, int sw, int sh);

} // namespace mosaikon

#include "picturecompare.h"

#include <algorithm>
#include <cstdlib>

namespace mosaikon::testing {

QImage imageOf(const PixelSurface &surface) {
    QImage image(surface.width(), surface.height(), QImage::Format_RGB32);
    for (int y = 0; y < surface.height(); ++y)
        std::copy_n(surface.row(y), surface.width(), reinterpret_cast<QRgb *>(image.scanLine(y)));
    return image;
}

int largestDifference(const QImage &a, const QImage &b) {
    int largest = a.size() == b.size() ? 0 : 256;
    for (int y = 0; y < a.height() && largest < 256; ++y)
        for (int x = 0; x < a.width(); ++x)
            for (const int shift : {0, 8, 16}) // blue, green, red
                largest = std::max(largest, std::abs(int(a.pixel(x, y) >> shift & 0xFF) -
                                                     int(b.pixel(x, y) >> shift & 0xFF)));
    return largest;
}

} // namespace mosaikon::testing

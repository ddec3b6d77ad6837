#include "picturecompare.h"

#include <algorithm>
#include <cstdlib>

namespace mosaikon::testing {

QImage imageOf(const PixelSurface &surface) {
    QImage image(surface.width(), surface.height(), QImage::Format_RGB32);
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) image.setPixel(x, y, surface.pixel(x, y));
    return image;
}

int largestDifference(const QImage &a, const QImage &b) {
    if (a.size() != b.size()) return 256;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

} // namespace mosaikon::testing

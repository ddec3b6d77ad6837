#include "imagefiles.h"

#include "slotgrid.h"

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

QImage enlarged(const QImage &from, int left, int top, int factor, int size) {
    // A premultiplied pixel is its colour over black; the opaque target drops its alpha.
    const QImage over = from.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QPoint p(left + x / factor, top + y / factor);
            image.setPixel(x, y, over.valid(p) ? over.pixel(p) : 0);
        }
    return image;
}

QImage viewOf(const QImage &sheet) {
    return enlarged(sheet, 0, 0, 2, ViewSize);
}

QImage slotTile(const QImage &sheet, int tag) {
    return enlarged(sheet, tag % 32 * 8, tag / 32 * 16, 4, SlotSize);
}

QImage emptySlot() {
    QImage grey(SlotSize, SlotSize, QImage::Format_RGB32);
    grey.fill(qRgb(64, 64, 64));
    return grey;
}

} // namespace mosaikon::testing

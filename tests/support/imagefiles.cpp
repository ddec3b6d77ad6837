#include "imagefiles.h"

#include "gifwriter.h"
#include "slotgrid.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>

namespace mosaikon::testing {

QImage lopsidedSheet(int width, int height, bool paletted) {
    QImage image(width, height, paletted ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (paletted) image.setColorCount(256);
    for (int i = 0; i < image.colorCount(); ++i)
        image.setColor(i, qRgb(i, (i * 7) & 0xFF, 255 - i));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           paletted ? uint((x % 16) + 16 * (y % 16) + y / 16) & 0xFF
                                    : qRgb(x & 0xFF, y & 0xFF, (x * 3 + y * 5) & 0xFF));
    return image;
}

QImage decodedPicture(const QString &path) {
    QImageReader reader(path);
    const QSize size = reader.size();
    QImage picture;
    if (size.isValid() && qint64(size.width()) * size.height() * 4 <= reader.allocationLimit()
                                                                          << 20) {
        picture = QImage(size, reader.imageFormat());
        picture.fill(0);
    }
    return reader.read(&picture) ? picture : QImage();
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

bool writeSheet(const QString &path, const QImage &image) {
    if (path.endsWith(".gif", Qt::CaseInsensitive)) return writeFile(path, encodeGif(image));
    return image.save(path, nullptr, 95); // in the format the suffix names; JPEG at quality 95
}

QImage imageOf(const PixelSurface &surface) {
    QImage image(surface.width(), surface.height(), QImage::Format_RGB32);
    for (int y = 0; y < surface.height(); ++y)
        std::copy_n(surface.row(y), surface.width(), reinterpret_cast<QRgb *>(image.scanLine(y)));
    return image;
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

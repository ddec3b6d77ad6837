#include "imagefiles.h"

#include "gifwriter.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace mosaikon::testing {

QImage lopsidedSheet(int width, int height, bool paletted) {
    if (paletted) {
        QImage image(width, height, QImage::Format_Indexed8);
        QList<QRgb> colours;
        for (int i = 0; i < 256; ++i) colours.append(qRgb(i, (i * 7) & 0xFF, 255 - i));
        image.setColorTable(colours);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, uint((x % 16) + 16 * (y % 16) + y / 16) & 0xFF);
        return image;
    }
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * 3 + y * 5) & 0xFF));
    return image;
}

QByteArray gifBytes(const QImage &image, int transparentIndex) {
    return encodeGif(image, transparentIndex);
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
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("gif")) return writeFile(path, gifBytes(image));
    if (suffix == QLatin1String("jpg")) return image.save(path, "JPEG", 95);
    return image.save(path, "BMP");
}

} // namespace mosaikon::testing

#include "imagefiles.h"

#include <QFile>
#include <QFileInfo>

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

namespace {

void putWord(QByteArray &out, int v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

// LZW data that never lets the code table grow: a clear code before every 254 pixels keeps all
// codes at 9 bits, which every decoder reads.
QByteArray lzwPixels(const QImage &image) {
    QByteArray codes;
    quint32 bits = 0;
    int count = 0;
    auto emitCode = [&](int code) {
        bits |= quint32(code) << count;
        count += 9;
        while (count >= 8) {
            codes.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    int run = 0;
    emitCode(256);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (run == 254) {
                emitCode(256);
                run = 0;
            }
            emitCode(image.pixelIndex(x, y));
            ++run;
        }
    emitCode(257);
    if (count > 0) codes.append(char(bits & 0xFF));
    QByteArray blocks;
    blocks.append(char(8));
    for (qsizetype i = 0; i < codes.size(); i += 255) {
        const QByteArray chunk = codes.mid(i, 255);
        blocks.append(char(chunk.size()));
        blocks.append(chunk);
    }
    blocks.append(char(0));
    return blocks;
}

} // namespace

QByteArray gifBytes(const QImage &source, int transparentIndex) {
    const QImage image = source.format() == QImage::Format_Indexed8
                             ? source
                             : source.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    QByteArray out(transparentIndex >= 0 ? "GIF89a" : "GIF87a");
    putWord(out, image.width());
    putWord(out, image.height());
    out.append(char(0xF7)); // global colour table of 256 entries
    out.append(char(0));
    out.append(char(0));
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < image.colorCount() ? image.color(i) : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    if (transparentIndex >= 0) {
        out.append("\x21\xF9\x04\x01\x00\x00", 6);
        out.append(char(transparentIndex));
        out.append(char(0));
    }
    out.append(char(0x2C));
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, image.width());
    putWord(out, image.height());
    out.append(char(0));
    out.append(lzwPixels(image));
    out.append(char(0x3B));
    return out;
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

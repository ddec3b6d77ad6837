#include "hostilefiles.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>

namespace mosaikon::testing {

namespace {

quint8 byteAt(const QByteArray &bytes, qsizetype at) {
    return at < bytes.size() ? quint8(bytes[at]) : 0;
}

void putLittle(QByteArray &bytes, qsizetype at, quint32 value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

void appendLittle(QByteArray &bytes, quint32 value, int size) {
    bytes.append(QByteArray(size, '\0'));
    putLittle(bytes, bytes.size() - size, value, size);
}

quint32 readLittle(const QByteArray &bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i) value |= quint32(byteAt(bytes, at + i)) << (8 * i);
    return value;
}

void putBig16(QByteArray &bytes, qsizetype at, int value) {
    bytes[at] = char((value >> 8) & 0xFF);
    bytes[at + 1] = char(value & 0xFF);
}

QByteArray written(const QImage &image, const char *format, bool progressive, int quality) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return buffer.data();
}

QByteArray bmp16Bytes(const QImage &source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int rowBytes = (image.width() * 2 + 3) / 4 * 4;
    const auto dataSize = quint32(rowBytes * image.height());
    QByteArray out("BM");
    appendLittle(out, 54 + dataSize, 4);
    appendLittle(out, 0, 4);
    appendLittle(out, 54, 4);
    for (quint32 v : {40u, quint32(image.width()), quint32(image.height())})
        appendLittle(out, v, 4);
    appendLittle(out, 1, 2);  // planes
    appendLittle(out, 16, 2); // bits a pixel
    for (quint32 v : {0u, dataSize, 2835u, 2835u, 0u, 0u}) appendLittle(out, v, 4);
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            const quint32 v = quint32((qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3);
            putLittle(row, 2 * x, v, 2);
        }
        out.append(row);
    }
    return out;
}

// Offset of the first image descriptor of a GIF, or -1.
qsizetype gifDescriptor(const QByteArray &gif) {
    const quint8 flags = byteAt(gif, 10);
    qsizetype at = 13 + ((flags & 0x80) ? 3 * (2 << (flags & 7)) : 0);
    while (byteAt(gif, at) == 0x21) {
        at += 2;
        while (at < gif.size() && byteAt(gif, at) != 0) at += byteAt(gif, at) + 1;
        ++at;
    }
    return byteAt(gif, at) == 0x2C ? at : -1;
}

bool isFrameMarker(quint8 marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

} // namespace

QByteArray jpegBytes(const QImage &image, bool progressive, int quality) {
    return written(image, "JPEG", progressive, quality);
}

QByteArray bmpBytes(const QImage &image, int bitsPerPixel) {
    if (bitsPerPixel == 16) return bmp16Bytes(image);
    const QImage converted =
        image.convertToFormat(bitsPerPixel == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB888);
    return written(converted, "BMP", false, -1);
}

QByteArray truncated(const QByteArray &bytes, qsizetype length) {
    return bytes.left(length);
}

QByteArray withGifScreen(QByteArray gif, int width, int height) {
    putLittle(gif, 6, quint32(width), 2);
    putLittle(gif, 8, quint32(height), 2);
    return gif;
}

QByteArray withGifImageSize(QByteArray gif, int width, int height) {
    const qsizetype at = gifDescriptor(gif);
    if (at < 0) return gif;
    putLittle(gif, at + 5, quint32(width), 2);
    putLittle(gif, at + 7, quint32(height), 2);
    return gif;
}

QByteArray withBmpSize(QByteArray bmp, qint32 width, qint32 height) {
    putLittle(bmp, 18, quint32(width), 4);
    putLittle(bmp, 22, quint32(height), 4);
    return bmp;
}

QByteArray withJpegSize(QByteArray jpeg, int width, int height) {
    qsizetype at = 2;
    while (at + 9 < jpeg.size() && byteAt(jpeg, at) == 0xFF) {
        if (isFrameMarker(byteAt(jpeg, at + 1))) {
            putBig16(jpeg, at + 5, height);
            putBig16(jpeg, at + 7, width);
            break;
        }
        at += 2 + (byteAt(jpeg, at + 2) << 8 | byteAt(jpeg, at + 3));
    }
    return jpeg;
}

QByteArray topDownBmp(const QByteArray &bmp) {
    const auto dataAt = qsizetype(readLittle(bmp, 10, 4));
    const auto width = qint32(readLittle(bmp, 18, 4));
    const auto height = qint32(readLittle(bmp, 22, 4));
    const auto bits = int(readLittle(bmp, 28, 2));
    const qsizetype rowBytes = (qsizetype(width) * bits + 31) / 32 * 4;
    QByteArray out = withBmpSize(bmp, width, -height);
    for (qint32 y = 0; y < height; ++y)
        out.replace(dataAt + y * rowBytes, rowBytes,
                    bmp.mid(dataAt + (height - 1 - y) * rowBytes, rowBytes));
    return out;
}

qint64 peakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

} // namespace mosaikon::testing

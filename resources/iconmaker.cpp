// Draws the program icon, a shaded grey-and-white oval on a transparent background, and writes it
// into OUTPUT_DIRECTORY as
//   mosaikon.ico        nine images: 48, 32 and 16 pixels, each at 4, 8 and 32 bits per pixel;
//   mosaikon-<N>.png    N = 16, 32, 48, 256, for the desktop icon theme;
//   mosaikon-<N>.rgba   N = 16, 32, 48, the window icon as raw RGBA bytes, row by row, not
//                       premultiplied: the program wraps them without decoding anything.
// Usage: mosaikon_iconmaker OUTPUT_DIRECTORY
//
// The ICO container and its device-independent bitmaps are written here byte by byte, because
// Qt's icon writer stores only 32-bit images and the palette images are what older shells show.
// No QGuiApplication is created: painting shapes into a QImage and writing PNG need neither a
// display nor plugins, so the tool runs on a headless build machine.

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <QSaveFile>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

namespace {

constexpr std::array iconSizes{48, 32, 16};
constexpr std::array iconDepths{4, 8, 32};
constexpr std::array pngSizes{16, 32, 48, 256};
constexpr std::array rawSizes{16, 32, 48};

// A pixel with less alpha than this is transparent in the 1-bit mask and in the palette images.
constexpr int alphaThreshold = 128;

QImage drawOval(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const double s = size;
    const QRectF oval(s * 0.05, s * 0.2, s * 0.9, s * 0.6);
    // Light falls from the upper left: white there, mid grey at the far rim.
    QRadialGradient shade(QPointF(0.5, 0.5), 0.62, QPointF(0.34, 0.3));
    shade.setCoordinateMode(QGradient::ObjectMode);
    shade.setColorAt(0.0, QColor(255, 255, 255));
    shade.setColorAt(0.45, QColor(226, 226, 226));
    shade.setColorAt(1.0, QColor(120, 120, 120));

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(72, 72, 72), s / 32.0 < 1.0 ? 1.0 : s / 32.0));
    painter.setBrush(shade);
    painter.drawEllipse(oval);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The 16 colours every palette display has, in the usual order of 4-bit icons.
std::vector<QRgb> standardPalette() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

// The 16 standard colours, then 240 evenly spaced greys: the oval is grey, so it keeps nearly
// all of its shading at 8 bits.
std::vector<QRgb> greyRampPalette() {
    std::vector<QRgb> palette = standardPalette();
    constexpr int greys = 240;
    for (int i = 0; i < greys; ++i) {
        const int level = (i * 255 + (greys - 1) / 2) / (greys - 1);
        palette.push_back(qRgb(level, level, level));
    }
    return palette;
}

std::uint8_t nearestIndex(QRgb colour, std::span<const QRgb> palette) {
    std::size_t best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = qRed(colour) - qRed(palette[i]);
        const int dg = qGreen(colour) - qGreen(palette[i]);
        const int db = qBlue(colour) - qBlue(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

class LittleEndian {
public:
    explicit LittleEndian(QByteArray &out)
        : out_(out) {}
    void u8(std::uint32_t v) { out_.append(static_cast<char>(v & 0xFFu)); }
    void u16(std::uint32_t v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFFu);
        u16(v >> 16);
    }
    void zeros(std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i) u8(0);
    }

private:
    QByteArray &out_;
};

// Bytes in one bitmap row of `width` pixels at `bits` per pixel; rows are padded to 32 bits.
std::uint32_t rowBytes(int width, int bits) {
    return (static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bits) + 31u) / 32u * 4u;
}

bool transparentAt(const QImage &image, int x, int y) {
    return qAlpha(image.pixel(x, y)) < alphaThreshold;
}

// One icon image as the ICO format stores it: BITMAPINFOHEADER with the height doubled (colour
// rows, then mask rows), the palette, the colour (XOR) rows and the 1-bit AND mask (1 =
// transparent), both bottom-up. `image` is ARGB32, not premultiplied.
QByteArray iconBitmap(const QImage &image, int bits) {
    const int w = image.width();
    const int h = image.height();
    const std::vector<QRgb> palette = bits == 4   ? standardPalette()
                                      : bits == 8 ? greyRampPalette()
                                                  : std::vector<QRgb>{};
    const std::uint32_t xorStride = rowBytes(w, bits);
    const std::uint32_t andStride = rowBytes(w, 1);
    const auto rows = static_cast<std::uint32_t>(h);

    QByteArray out;
    LittleEndian le(out);
    le.u32(40);
    le.u32(static_cast<std::uint32_t>(w));
    le.u32(rows * 2);
    le.u16(1);
    le.u16(static_cast<std::uint32_t>(bits));
    le.u32(0); // BI_RGB
    le.u32((xorStride + andStride) * rows);
    le.u32(0);
    le.u32(0);
    le.u32(0); // every palette entry used
    le.u32(0);
    for (const QRgb entry : palette) {
        le.u8(static_cast<std::uint32_t>(qBlue(entry)));
        le.u8(static_cast<std::uint32_t>(qGreen(entry)));
        le.u8(static_cast<std::uint32_t>(qRed(entry)));
        le.u8(0);
    }

    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(static_cast<qsizetype>(xorStride), '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            const auto xs = static_cast<qsizetype>(x);
            if (bits == 32) {
                row[xs * 4 + 0] = static_cast<char>(qBlue(p));
                row[xs * 4 + 1] = static_cast<char>(qGreen(p));
                row[xs * 4 + 2] = static_cast<char>(qRed(p));
                row[xs * 4 + 3] = static_cast<char>(qAlpha(p));
                continue;
            }
            // Index 0 is black in both palettes: under a set mask bit the screen shows through.
            const std::uint8_t index = transparentAt(image, x, y) ? 0 : nearestIndex(p, palette);
            if (bits == 8) {
                row[xs] = static_cast<char>(index);
            } else {
                const int shift = x % 2 == 0 ? 4 : 0;
                row[xs / 2] = static_cast<char>(static_cast<std::uint8_t>(row[xs / 2]) |
                                                static_cast<std::uint8_t>(index << shift));
            }
        }
        out.append(row);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(static_cast<qsizetype>(andStride), '\0');
        for (int x = 0; x < w; ++x) {
            if (!transparentAt(image, x, y)) continue;
            const auto xs = static_cast<qsizetype>(x);
            row[xs / 8] = static_cast<char>(static_cast<std::uint8_t>(row[xs / 8]) |
                                            static_cast<std::uint8_t>(0x80u >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

QByteArray iconFile() {
    struct Entry {
        int size;
        int bits;
        QByteArray bitmap;
    };
    std::vector<Entry> entries;
    for (const int size : iconSizes) {
        const QImage image = drawOval(size);
        for (const int bits : iconDepths) entries.push_back({size, bits, iconBitmap(image, bits)});
    }

    QByteArray out;
    LittleEndian le(out);
    le.u16(0);
    le.u16(1); // icon, not cursor
    le.u16(static_cast<std::uint32_t>(entries.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const Entry &e : entries) {
        le.u8(static_cast<std::uint32_t>(e.size)); // all sizes are below 256, so never 0
        le.u8(static_cast<std::uint32_t>(e.size));
        le.u8(e.bits == 4 ? 16 : 0); // colour count; 0 for 256 and for true colour
        le.u8(0);
        le.u16(1);
        le.u16(static_cast<std::uint32_t>(e.bits));
        const auto bytes = static_cast<std::uint32_t>(e.bitmap.size());
        le.u32(bytes);
        le.u32(offset);
        offset += bytes;
    }
    for (const Entry &e : entries) out.append(e.bitmap);
    return out;
}

bool writeFile(const QString &path, const QByteArray &data) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    std::fprintf(stderr, "mosaikon_iconmaker: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(file.errorString()));
    return false;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mosaikon_iconmaker OUTPUT_DIRECTORY\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "mosaikon_iconmaker: cannot create %s\n", argv[1]);
        return 1;
    }
    if (!writeFile(dir.filePath(QStringLiteral("mosaikon.ico")), iconFile())) return 1;
    for (const int size : pngSizes) {
        const QString path = dir.filePath(QStringLiteral("mosaikon-%1.png").arg(size));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!drawOval(size).save(&buffer, "PNG") || !writeFile(path, png)) return 1;
    }
    for (const int size : rawSizes) {
        const QImage rgba = drawOval(size).convertToFormat(QImage::Format_RGBA8888);
        QByteArray raw;
        for (int y = 0; y < size; ++y)
            raw.append(reinterpret_cast<const char *>(rgba.constScanLine(y)), qsizetype(size) * 4);
        if (!writeFile(dir.filePath(QStringLiteral("mosaikon-%1.rgba").arg(size)), raw)) return 1;
    }
    return 0;
}

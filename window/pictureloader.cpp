#include "pictureloader.h"

#include "core/error.h"
#include "core/slotgrid.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

namespace mosaikon {

namespace {

[[noreturn]] void raiseInvalidPicture(const QString &readerMessage) {
    std::string description = standardDescription(InvalidPicture);
    if (!readerMessage.isEmpty()) description += ": " + readerMessage.toStdString();
    throw Error(InvalidPicture, ProgramSource, description);
}

PixelSurface opaqueCorner(const QImage &image) {
    const int w = std::min(image.width(), ViewSize);
    const int h = std::min(image.height(), ViewSize);
    QImage corner(w, h, QImage::Format_RGB32);
    corner.fill(Qt::black);
    {
        QPainter p(&corner);
        p.drawImage(QPoint(0, 0), image, QRect(0, 0, w, h));
    }
    // An RGB32 pixel's top byte carries nothing, and drawing one RGB32 image onto another copies
    // it as it is; not every reader sets it (a GIF cut off in its pixel data leaves the rest
    // 0x00000000), so the surface's pixels are made opaque here.
    PixelSurface surface(w, h, SourceBackground);
    for (int y = 0; y < h; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(corner.constScanLine(y));
        Rgb *out = surface.row(y);
        for (int x = 0; x < w; ++x) out[x] = 0xFF000000u | in[x];
    }
    return surface;
}

// A progressive (or otherwise multi-scan) JPEG makes libjpeg keep the coefficients of the whole
// picture, however small the part decoded: a header claiming 60000 x 60000 pixels would take
// gigabytes. libjpeg reads its memory limit, in thousands of bytes, from JPEGMEM when a decode
// starts; with the limit, such a file fails to decode instead. Set once, before the first decode.
void limitJpegMemory() {
    static const bool limited = [] {
        constexpr qint64 limit = qint64(FullDecodeLimitMb) * 1024 * 1024 / 1000;
        return qputenv("JPEGMEM", QByteArray::number(limit));
    }();
    Q_UNUSED(limited);
}

// A zeroed picture for the reader to decode into. A reader that stops early in a cut-off file
// leaves the rest of its target as it found it; without this, that would be whatever the memory
// held before. Null where the header is unusable or the picture is over the limit, which leaves
// the allocation, and the refusal, to the reader.
QImage clearedTarget(QSize size, QImage::Format format) {
    if (!size.isValid() || format == QImage::Format_Invalid) return {};
    const qint64 bytes =
        qint64(size.width()) * size.height() * QImage::toPixelFormat(format).bitsPerPixel() / 8;
    if (bytes > qint64(FullDecodeLimitMb) * 1024 * 1024) return {};
    QImage image(size, format);
    if (!image.isNull()) image.fill(0);
    return image;
}

// The decoders an untrusted file may reach, each by the bytes its files begin with. Only these
// are asked to read a file, whatever image plugins are installed.
struct Decoder {
    const char *format; // Qt's name of the decoder
    QByteArrayView signature;
};
constexpr Decoder Decoders[] = {{"gif", "GIF87a"},
                                {"gif", "GIF89a"},
                                {"jpeg", "\xFF\xD8\xFF"},
                                {"bmp", "BM"},
                                {"png", "\x89PNG\r\n\x1A\n"}};

// The decoder for a file that begins with `head`; raises InvalidPicture when none is.
const char *decoderFor(const QByteArray &head) {
    for (const Decoder &decoder : Decoders)
        if (head.startsWith(decoder.signature)) return decoder.format;
    raiseInvalidPicture(QStringLiteral("Unsupported image format"));
}

} // namespace

PixelSurface loadSheetPicture(const QString &path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) raise(FileNotFound);
    // Only a regular file is read: opening a FIFO waits for a writer for ever, and a folder or a
    // device holds no picture.
    if (!info.isFile()) raise(PathFileAccessError);
    limitJpegMemory();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) raise(PathFileAccessError);

    // The decoder chosen here reads the file: with the format named and detection off, Qt looks
    // no further.
    QImageReader reader(&file, decoderFor(file.peek(8)));
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(FullDecodeLimitMb);
    QSize size = reader.size();
    if (size.isValid() && reader.supportsOption(QImageIOHandler::ClipRect)) {
        size = size.boundedTo(QSize(ViewSize, ViewSize));
        reader.setClipRect(QRect(QPoint(0, 0), size));
    }
    QImage image = clearedTarget(size, reader.imageFormat());
    if (!reader.read(&image)) raiseInvalidPicture(reader.errorString());
    return opaqueCorner(image);
}

} // namespace mosaikon

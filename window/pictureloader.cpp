#include "pictureloader.h"

#include "bmpcorner.h"
#include "error.h"
#include "slotgrid.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace mosaikon {

namespace {

[[noreturn]] void raiseInvalidPicture(const QString &readerMessage) {
    std::string description = standardDescription(InvalidPicture);
    if (!readerMessage.isEmpty()) description += ": " + readerMessage.toStdString();
    throw Error(InvalidPicture, ProgramSource, description);
}

// The part of `image` that opaqueCorner copies, in a format whose pixels can be read as they are:
// RGB32 or premultiplied ARGB32 for the formats whose conversion equals what QPainter draws;
// null for others. Indexed pictures always take the conversion: it gives an index past a short
// colour table a colour of its own (a BMP may declare fewer colours than its pixels use), where
// QPainter would read past the table's end.
QImage directlyReadable(const QImage &image, int w, int h) {
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return image;
    case QImage::Format_ARGB32:
    case QImage::Format_Indexed8:
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Grayscale8:
        return image.copy(0, 0, w, h)
            .convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                     : QImage::Format_RGB32);
    default:
        return {};
    }
}

} // namespace

PixelSurface opaqueCorner(const QImage &image) {
    const int w = std::min(image.width(), SheetShown);
    const int h = std::min(image.height(), SheetShown);
    QImage corner = directlyReadable(image, w, h);
    if (corner.isNull()) {
        corner = QImage(w, h, QImage::Format_RGB32);
        corner.fill(Qt::black);
        QPainter(&corner).drawImage(QPoint(0, 0), image, QRect(0, 0, w, h));
    }
    // Over black, a premultiplied pixel is what source-over drawing gives. An RGB32 pixel's top
    // byte carries nothing and not every reader sets it (a GIF cut off in its pixel data leaves
    // the rest 0x00000000), so every pixel is made opaque here.
    PixelSurface surface(w, h, SourceBackground);
    for (int y = 0; y < h; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(corner.constScanLine(y));
        Rgb *out = surface.row(y);
        for (int x = 0; x < w; ++x) out[x] = 0xFF000000u | in[x];
    }
    return surface;
}

namespace {

// A progressive (or otherwise multi-scan) JPEG makes libjpeg keep the coefficients of the whole
// picture, however small the part decoded: a header claiming 60000 x 60000 pixels would take
// gigabytes. libjpeg reads its memory limit, in thousands of bytes, from JPEGMEM when a decode
// starts; with the limit, such a file fails to decode instead. Set once, before the first decode.
void limitJpegMemory() {
    static const bool limited = [] {
        constexpr qint64 limit = FullDecodeLimitBytes / 1000;
        return qputenv("JPEGMEM", QByteArray::number(limit));
    }();
    Q_UNUSED(limited);
}

// A picture for the reader to decode into, its top-left 128 x 128 pixels, all that opaqueCorner
// reads, zeroed. A reader that stops early in a cut-off file leaves the rest of its target as it
// found it; without this, the corner would show whatever the memory held before. Zeroing just the
// corner keeps a second pass over the whole picture out of the load. Null where the header is
// unusable or the picture is over the limit, which leaves the allocation, and the refusal, to the
// reader.
QImage decodeTarget(QSize size, QImage::Format format) {
    if (!size.isValid() || format == QImage::Format_Invalid) return {};
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    const qint64 bytesPerLine = (qint64(size.width()) * depth + 31) / 32 * 4;
    const qint64 bytes = bytesPerLine * size.height();
    if (bytes > FullDecodeLimitBytes || bytesPerLine > INT_MAX) return {};
    auto *pixels = static_cast<uchar *>(std::malloc(std::size_t(bytes)));
    if (pixels == nullptr) return {};
    const auto cornerBytes = std::size_t((std::min(size.width(), SheetShown) * depth + 7) / 8);
    for (int y = 0; y < std::min(size.height(), SheetShown); ++y)
        std::memset(pixels + qint64(y) * bytesPerLine, 0, cornerBytes);
    return QImage(
        pixels, size.width(), size.height(), int(bytesPerLine), format,
        [](void *memory) { std::free(memory); }, pixels);
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

// Decodes the picture `device` holds with the decoder `format`, only the corner where the decoder
// can; false, with the decoder's message, when it cannot.
bool readPicture(QIODevice &device, const char *format, QImage &image, QString &message) {
    // With the format named and detection off, Qt looks no further.
    QImageReader reader(&device, format);
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(FullDecodeLimitMb);
    QSize size = reader.size();
    if (size.isValid() && reader.supportsOption(QImageIOHandler::ClipRect)) {
        size = size.boundedTo(QSize(SheetShown, SheetShown));
        reader.setClipRect(QRect(QPoint(0, 0), size));
    }
    image = decodeTarget(size, reader.imageFormat());
    if (reader.read(&image)) return true;
    message = reader.errorString();
    return false;
}

} // namespace

PixelSurface loadSheetPicture(const QString &path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) raiseError(FileNotFound);
    // Only a regular file is read: opening a FIFO waits for a writer for ever, and a folder or a
    // device holds no picture.
    if (!info.isFile()) raiseError(PathFileAccessError);
    limitJpegMemory();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) raiseError(PathFileAccessError);
    const char *format = decoderFor(file.peek(8));

    QImage image;
    QString message;
    if (std::strcmp(format, "bmp") == 0) {
        QBuffer corner;
        corner.setData(bmpCorner(file, SheetShown, FullDecodeLimitBytes));
        // A corner the decoder refuses is refused by it in the whole file too, with the whole
        // file's message, so that decode decides.
        if (!corner.data().isEmpty() && corner.open(QIODevice::ReadOnly) &&
            readPicture(corner, format, image, message))
            return opaqueCorner(image);
        if (!file.seek(0)) raiseError(PathFileAccessError);
    }
    if (!readPicture(file, format, image, message)) raiseInvalidPicture(message);
    return opaqueCorner(image);
}

} // namespace mosaikon

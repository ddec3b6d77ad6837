#include "hostilefiles.h"

#include "gifwriter.h"
#include "imagefiles.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

#include <sys/stat.h>

namespace mosaikon::testing {

// Qt's writer; a BMP gets 24 bits a pixel, or 32 for an image with alpha. Empty when it fails.
static QByteArray encoded(const QImage &image, const char *format, bool progressive = false) {
    QBuffer buffer; // opened by the writer
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image) ? buffer.data() : QByteArray();
}

// The size a header claims rewritten, the picture data left as it was: a GIF's logical screen,
// a BMP's info header (signed), the frame header of a JPEG that Qt wrote (height first).
static QByteArray withClaimedSize(QByteArray file, int width, int height) {
    auto *bytes = reinterpret_cast<uchar *>(file.data());
    const quint16 gif[] = {quint16(width), quint16(height)}, jpeg[] = {gif[1], gif[0]};
    const qint32 bmp[] = {width, height};
    const qsizetype frame = qMax(file.indexOf("\xFF\xC0"), file.indexOf("\xFF\xC2"));
    if (file.startsWith("GIF")) qToLittleEndian<quint16>(gif, 2, bytes + 6);
    if (file.startsWith("BM")) qToLittleEndian<qint32>(bmp, 2, bytes + 18);
    if (file.startsWith("\xFF\xD8")) qToBigEndian<quint16>(jpeg, 2, bytes + frame + 5);
    return file;
}

// A file of `contents`, which a failed encoding leaves empty: that fails the row, not loads.
static std::function<bool(const QString &)> bytes(const QByteArray &contents) {
    return [contents](const QString &path) {
        return !contents.isEmpty() && writeFile(path, contents);
    };
}

QList<HostileFile> hostileFiles() {
    const QImage sheet = lopsidedSheet(128, 128);
    const QImage paletted = lopsidedSheet(128, 128, true);
    const QByteArray gif = encodeGif(paletted);
    const QByteArray bmp = encoded(sheet, "BMP");
    const QByteArray jpeg = encoded(sheet, "JPEG");
    const QByteArray progressive = encoded(sheet, "JPEG", true);
    return {
        {"empty.gif", [](const QString &path) { return writeFile(path, {}); }, 481},
        {"words.jpg", bytes("Not a picture at all, only words.\n"), 481},
        {"cut.gif", bytes(gif.left(gif.size() / 2)), AsQtReads},
        {"cut.jpg", bytes(jpeg.left(jpeg.size() / 2)), AsQtReads},
        {"cut.bmp", bytes(bmp.left(bmp.size() / 2)), AsQtReads},
        {"huge.gif", bytes(withClaimedSize(gif, 60000, 60000)), 481},
        {"huge.bmp", bytes(withClaimedSize(bmp, 60000, 60000)), 481},
        {"negative-width.bmp", bytes(withClaimedSize(bmp, -60000, 128)), 481},
        // Only the corner the view shows is decoded, whatever the header claims...
        {"huge.jpg", bytes(withClaimedSize(jpeg, 60000, 60000)), Loads},
        // ...but a progressive JPEG is decoded whole: this one once exhausted the memory.
        {"huge-progressive.jpg", bytes(withClaimedSize(progressive, 60000, 60000)), 481},
        {"one.gif", bytes(encodeGif(lopsidedSheet(1, 1, true))), Loads},
        {"paletted.gif", bytes(gif), Loads},
        {"transparent.gif", bytes(encodeGif(paletted, paletted.pixelIndex(5, 5))), Loads},
        {"progressive.jpg", bytes(progressive), Loads},
        {"16-bit.bmp", bytes(bmpFile({.bits = 16, .width = 300, .height = 270})), Loads},
        {"24-bit.bmp", bytes(bmp), Loads},
        {"32-bit.bmp", bytes(encoded(sheet.convertToFormat(QImage::Format_ARGB32), "BMP")), Loads},
        {"sprite sheet \u00e4.gif", bytes(gif), Loads},
        {"sheet.png", bytes(encoded(sheet, "PNG")), Loads},
        {"gif-named.bmp", bytes(gif), Loads}, // the content chooses, not the name
        // Pictures of formats outside GIF, JPEG, BMP and PNG, which Qt's installed readers know.
        {"sheet.xpm", bytes(encoded(paletted, "XPM")), 481},
        {"sheet.ico", bytes(encoded(sheet, "ICO")), 481},
        {"sheet.ppm", bytes(encoded(sheet, "PPM")), 481},
        {"sheet.xbm", bytes(encoded(sheet, "XBM")), 481},
        {"xpm-named.gif", bytes(encoded(paletted, "XPM")), 481},
        {"missing.gif", [](const QString &) { return true; }, 53},
        {"folder.gif", [](const QString &p) { return ::mkdir(qPrintable(p), 0700) == 0; }, 75},
        // Once hung for ever: opening a FIFO that nobody writes to waits for a writer.
        {"fifo.gif", [](const QString &path) { return ::mkfifo(qPrintable(path), 0600) == 0; }, 75},
    };
}

} // namespace mosaikon::testing

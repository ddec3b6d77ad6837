// The picture load path of "Load Image": any bytes as the chosen file, read by loadSheetPicture
// and shown in the source view by SlotGrid::showSheet. The loader either fails with 481 or
// returns an opaque picture of 1..128 x 1..128 pixels; an uncompressed BMP it reads through its
// corner alone gives the corner of Qt's decode of the whole file, pixel for pixel, and is refused
// where that decode fails. The view holds the picture enlarged twice over the background colour.

#include "bmpcorner.h"
#include "error.h"
#include "fuzzcheck.h"
#include "pictureloader.h"
#include "slotgrid.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

#include <optional>

using namespace mosaikon;

namespace {

QString picturePath;

// Whether the loader reads the file through its BMP corner, and then the corner of the whole
// file as Qt decodes it (none where that fails).
std::optional<std::optional<PixelSurface>> wholeBmpCorner() {
    QFile file(picturePath);
    if (!file.open(QIODevice::ReadOnly) ||
        bmpCorner(file, SheetShown, FullDecodeLimitBytes).isEmpty())
        return std::nullopt;
    QImageReader reader(picturePath, "bmp");
    QImage whole(reader.size(), reader.imageFormat()); // small enough: bmpCorner checked
    whole.fill(0);
    return reader.read(&whole) ? std::optional(opaqueCorner(whole)) : std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The readers' messages about broken files (libpng's warnings come as info) say nothing the
    // checks do not.
    qputenv("QT_LOGGING_RULES", "*.info=false;*.warning=false");
    static int argc = 1; // the application gets its own arguments, libFuzzer keeps its own
    static char name[] = "fuzz_pictureloader", *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    picturePath =
        QDir::temp().filePath(QStringLiteral("mosaikon-fuzz-%1").arg(app.applicationPid()));
    std::atexit([] { QFile::remove(picturePath); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    QFile file(picturePath);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    file.close();
    const auto whole = wholeBmpCorner();
    PixelSurface sheet(0, 0, 0);
    try {
        sheet = loadSheetPicture(picturePath);
    } catch (const Error &e) {
        FUZZ_CHECK(e.number() == 481 && !(whole && *whole));
        return 0;
    }
    if (whole) FUZZ_CHECK(*whole && **whole == sheet);
    const int width = sheet.width(), height = sheet.height();
    FUZZ_CHECK(width >= 1 && width <= 128 && height >= 1 && height <= 128);
    static SlotGrid grid; // one for all runs: showSheet replaces the whole view
    grid.showSheet(sheet);
    FUZZ_CHECK(grid.source.width() == 256 && grid.source.height() == 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const bool on = x / 2 < width && y / 2 < height; // each pixel of it opaque
            const Rgb want = on ? sheet.pixel(x / 2, y / 2) : SourceBackground;
            FUZZ_CHECK(grid.source.pixel(x, y) == want && want >> 24 == 0xFF);
        }
    return 0;
}

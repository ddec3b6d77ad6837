// The picture load path of "Load Image": any bytes as the chosen file, read by loadSheetPicture
// and, when that gives a picture, shown in the source view by SlotGrid::showSheet.
//
// An uncompressed BMP the loader reads through its corner alone must give the corner of what
// Qt's decode of the whole file gives, pixel for pixel.
//
// The loader either fails with InvalidPicture (the file exists and can be read) or returns an
// opaque picture of 1..128 x 1..128 pixels, the corner the view shows; the view then holds it
// enlarged twice and the background colour where the picture does not reach.

#include "bmpcorner.h"
#include "error.h"
#include "fuzzcheck.h"
#include "pictureloader.h"
#include "slotgrid.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

using namespace mosaikon;

namespace {

QString picturePath;

void removePicture() {
    QFile::remove(picturePath);
}

// The readers' own warnings about broken files say nothing the checks do not, and cost time.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "Qt fatal: %s\n", qPrintable(message));
        std::abort();
    }
}

// Whether the loader reads the picture file as an uncompressed BMP through its corner alone, and
// then the corner of the whole file decoded by Qt, as the view shows it (none where the decode
// fails).
struct WholeBmp {
    bool throughCorner = false;
    std::optional<PixelSurface> corner;
};

WholeBmp wholeBmp() {
    QFile file(picturePath);
    if (!file.open(QIODevice::ReadOnly) ||
        bmpCorner(file, SheetShown, FullDecodeLimitBytes).isEmpty())
        return {};
    QImageReader reader(picturePath, "bmp");
    QImage whole(reader.size(), reader.imageFormat()); // small enough: bmpCorner checked
    whole.fill(0);
    if (!reader.read(&whole)) return {true, std::nullopt};
    return {true, opaqueCorner(whole)};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    // The application gets its own arguments, so libFuzzer's are left alone.
    static int argc = 1;
    static char name[] = "fuzz_pictureloader";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    picturePath = QDir::temp().filePath(
        QStringLiteral("mosaikon-fuzz-picture-%1").arg(QCoreApplication::applicationPid()));
    std::atexit(removePicture);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    {
        QFile file(picturePath);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) ==
                   static_cast<qint64>(size));
    }

    const WholeBmp whole = wholeBmp();
    PixelSurface sheet(0, 0, 0);
    try {
        sheet = loadSheetPicture(picturePath);
    } catch (const Error &e) {
        FUZZ_CHECK(e.number() == InvalidPicture);
        FUZZ_CHECK(!whole.corner);
        return 0;
    }
    if (whole.throughCorner) FUZZ_CHECK(whole.corner && *whole.corner == sheet);
    const int width = sheet.width();
    const int height = sheet.height();
    FUZZ_CHECK(width >= 1 && width <= SheetShown && height >= 1 && height <= SheetShown);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) FUZZ_CHECK((sheet.pixel(x, y) >> 24) == 0xFF);

    // One grid for all runs; showSheet replaces the whole view each time.
    static SlotGrid grid;
    grid.showSheet(sheet);
    FUZZ_CHECK(grid.source.width() == ViewSize && grid.source.height() == ViewSize);
    for (int y = 0; y < ViewSize; ++y)
        for (int x = 0; x < ViewSize; ++x) {
            const bool onSheet = x / 2 < width && y / 2 < height;
            FUZZ_CHECK(grid.source.pixel(x, y) ==
                       (onSheet ? sheet.pixel(x / 2, y / 2) : SourceBackground));
        }
    return 0;
}

// The picture load path of "Load Image": any bytes as the chosen file, read by loadSheetPicture
// and, when that gives a picture, shown in the source view by SlotGrid::showSheet.
//
// The loader either fails with InvalidPicture (the file exists and can be read) or returns an
// opaque picture of 1..128 x 1..128 pixels, the corner the view shows; the view then holds it
// enlarged twice and the background colour where the picture does not reach.

#include "error.h"
#include "fuzzcheck.h"
#include "pictureloader.h"
#include "slotgrid.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

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

    PixelSurface sheet(0, 0, 0);
    try {
        sheet = loadSheetPicture(picturePath);
    } catch (const Error &e) {
        FUZZ_CHECK(e.number() == InvalidPicture);
        return 0;
    }
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

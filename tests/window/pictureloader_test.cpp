// Uncompressed BMP sheets are read through their corner alone: whatever the file, the loaded
// picture is the corner of the whole file as Qt decodes it, and a file the whole decode refuses
// is refused.

#include "bmpcorner.h"
#include "error.h"
#include "imagefiles.h"
#include "pictureloader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace mosaikon;
using namespace mosaikon::testing;

Q_DECLARE_METATYPE(BmpShape)

class PictureLoaderTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    // What loading `path` gives: the picture, or nothing when the load is refused as 481.
    static std::optional<QImage> loaded(const QString &path) try {
        return imageOf(loadSheetPicture(path));
    } catch (const Error &e) {
        if (e.number() != 481) throw;
        return std::nullopt;
    }

    // The whole file decoded by Qt apart from the loader, then its corner as the view shows it.
    static std::optional<QImage> wholeThenCorner(const QString &path) {
        const QImage whole = decodedPicture(path);
        return whole.isNull() ? std::nullopt : std::optional(imageOf(opaqueCorner(whole)));
    }

private Q_SLOTS:
    void bmpReadThroughItsCorner_data() {
        QTest::addColumn<BmpShape>("shape");
        QTest::addColumn<bool>("throughCorner"); // whether the corner is read in place of it
        const auto row = [](const char *name, BmpShape s, bool corner) {
            QTest::newRow(name) << s << corner;
        };
        const std::array<quint32, 4> argb = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
        // clang-format off
        row("24 bits, 256 x 256", {}, true);
        row("24 bits, one column over", {.width = 129, .height = 300}, true);
        row("24 bits, one row over", {.width = 300, .height = 129}, true);
        row("24 bits, narrow and tall", {.width = 100, .height = 500}, true);
        row("24 bits, top-down", {.width = 300, .height = -200}, true);
        row("24 bits, no larger than the corner", {.width = 128, .height = 128}, false);
        row("24 bits, a gap before the pixels", {.width = 200, .height = 200, .gap = 100}, true);
        row("32 bits", {.bits = 32, .width = 200, .height = 200}, true);
        row("32 bits, 124-byte header, alpha mask", {.bits = 32, .infoSize = 124, .width = 140, .height = 300, .masks = argb}, true);
        row("32 bits, bit fields with alpha, 108-byte header", {.bits = 32, .infoSize = 108, .compression = 3, .width = 300, .height = -140, .masks = {0xFF00, 0xFF0000, 0xFF000000, 0xFF}}, true);
        row("32 bits, bit fields after a 40-byte header", {.bits = 32, .compression = 3, .width = 257, .height = 131, .masks = {0x3FF00000, 0xFFC00, 0x3FF}}, true);
        row("16 bits", {.bits = 16, .width = 257, .height = 130}, true);
        row("16 bits, 5-6-5 bit fields", {.bits = 16, .compression = 3, .width = 133, .height = 301, .masks = {0xF800, 0x7E0, 0x1F}}, true);
        row("8 bits, 256 colours", {.bits = 8, .width = 300, .height = 300}, true);
        row("8 bits, 20 colours, pixels beyond them", {.bits = 8, .width = 131, .height = 129, .colours = 20}, true);
        row("4 bits", {.bits = 4, .width = 201, .height = 150}, true);
        row("4 bits, odd width under the corner", {.bits = 4, .width = 77, .height = -333}, true);
        row("1 bit", {.bits = 1, .width = 300, .height = 300}, true);
        row("124-byte header, its reserved field set", {.infoSize = 124, .width = 200, .height = 200, .reserved = 1}, true);
        row("1 bit, top-down, 2 colours", {.bits = 1, .width = 161, .height = -170, .colours = 2}, true);
        // Left to the whole decode: it decides what the file gives, and the loader follows it.
        row("pixels said to start inside the colour table", {.bits = 8, .width = 200, .height = 200, .offsetShift = -40}, false);
        row("pixels said to start at the masks", {.bits = 32, .compression = 3, .width = 200, .height = 200, .masks = {0xFF0000, 0xFF00, 0xFF}, .offsetShift = -12}, false);
        row("cut off in the last row", {.width = 200, .height = 200, .cut = 1}, false);
        row("cut off in the middle", {.width = 200, .height = 200, .cut = 60000}, false);
        row("RLE8", {.bits = 8, .compression = 1, .width = 200, .height = 200}, false);
        row("colour table of 300 entries", {.bits = 8, .width = 200, .height = 200, .colours = 300}, false);
        row("64-byte header", {.bits = 24, .infoSize = 64, .width = 200, .height = 200}, false);
        // Read through the corner, which the decoder refuses as it refuses the whole file.
        row("bit fields of all 32 bits", {.bits = 32, .compression = 3, .width = 200, .height = 200, .masks = {0xFFFFFFFF, 0xFF00, 0xFF}}, true);
        // clang-format on
    }

    void bmpReadThroughItsCorner() {
        QFETCH(BmpShape, shape);
        QFETCH(bool, throughCorner);
        const QString path = dir.filePath("sheet.bmp");
        QVERIFY(writeFile(path, bmpFile(shape)));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray corner = bmpCorner(file, 128, FullDecodeLimitBytes);
        QCOMPARE(!corner.isEmpty(), throughCorner);
        const std::optional<QImage> want = wholeThenCorner(path), got = loaded(path);
        // The corner decodes at the corner's size, or not at all where the whole file does not.
        const QSize size(std::min(shape.width, 128), std::min(qAbs(shape.height), 128));
        if (throughCorner)
            QCOMPARE(QImage::fromData(corner, "BMP").size(), want ? size : QSize(0, 0));
        QCOMPARE(got.has_value(), want.has_value());
        if (want) QCOMPARE(*got, *want);
    }

    void bmpCornerLeavesTooLargeFilesWhole() {
        // A file the decoder refuses as too large is refused, however small its corner.
        const QString path = dir.filePath("large.bmp");
        QVERIFY(writeFile(path, bmpFile({.bits = 1, .width = 16385, .height = 16384})));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(bmpCorner(file, 128, FullDecodeLimitBytes).isEmpty());
        QVERIFY(!loaded(path).has_value());
        QVERIFY(bmpCorner(file, 128, qint64(1) << 40).isEmpty()); // over 16384 x 16384 pixels
        QVERIFY(writeFile(path, bmpFile({.width = 200, .height = 150})));
        QVERIFY(!bmpCorner(file, 128, qint64(200) * 150 * 4).isEmpty());
        QVERIFY(bmpCorner(file, 128, qint64(200) * 150 * 4 - 1).isEmpty());
    }
};

QTEST_GUILESS_MAIN(PictureLoaderTest)
#include "pictureloader_test.moc"

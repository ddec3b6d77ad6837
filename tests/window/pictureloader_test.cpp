// Uncompressed BMP sheets are read through their corner alone: whatever the file, the loaded
// picture is the corner of the whole file as Qt decodes it, and a file the whole decode refuses
// is refused.
//
// The files are the BMP seeds of the picture loader's fuzz corpus, one per layout: bit counts,
// headers, masks, colour tables, row order, sizes just over the corner, and files left to the
// whole decode. Those named "corner-*" must be read through the corner, no other.

#include "bmpcorner.h"
#include "error.h"
#include "imagefiles.h"
#include "pictureloader.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace mosaikon;
using namespace mosaikon::testing;

class PictureLoaderTest : public QObject {
    Q_OBJECT

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

    static QString seed(const QString &name) {
        return QDir(QStringLiteral(MOSAIKON_PICTURE_SEEDS)).filePath(name);
    }

private Q_SLOTS:
    void bmpReadThroughItsCorner_data() {
        QTest::addColumn<QString>("path");
        const QStringList names = QDir(seed({})).entryList({"*.bmp"}, QDir::Files);
        QVERIFY(names.filter(QRegularExpression("^corner-")).size() >= 20);
        for (const QString &name : names) QTest::newRow(qPrintable(name)) << seed(name);
    }

    void bmpReadThroughItsCorner() {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray corner = bmpCorner(file, 128, FullDecodeLimitBytes);
        QCOMPARE(!corner.isEmpty(), QFileInfo(path).fileName().startsWith("corner-"));
        const std::optional<QImage> want = wholeThenCorner(path), got = loaded(path);
        // The corner decodes at the corner's size, or not at all where the whole file does not.
        if (!corner.isEmpty())
            QCOMPARE(QImage::fromData(corner, "BMP").size(), want ? want->size() : QSize(0, 0));
        QCOMPARE(got.has_value(), want.has_value());
        if (want) QCOMPARE(*got, *want);
    }

    void bmpCornerLeavesTooLargeFilesWhole() {
        // 129 x 2 pixels at 24 bits: 1032 bytes decoded.
        QFile file(seed("corner-24bit-129x2.bmp"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!bmpCorner(file, 128, 1032).isEmpty());
        QVERIFY(bmpCorner(file, 128, 1031).isEmpty());
        // A file the decoder refuses as too large is refused, however small its corner: the seed
        // made to claim 16385 x 16384 pixels at 1 bit a pixel, grown to hold all their rows.
        QTemporaryDir dir;
        const QString path = dir.filePath("large.bmp");
        QVERIFY(QFile::copy(seed("corner-1bit-200x200.bmp"), path));
        QFile large(path);
        QVERIFY(large.open(QIODevice::ReadWrite));
        QVERIFY(large.seek(18) && large.write(QByteArray::fromHex("0140000000400000")) == 8);
        QVERIFY(large.resize(62 + qint64(2052) * 16384)); // 2 colours; 16385 bits padded
        QVERIFY(bmpCorner(large, 128, FullDecodeLimitBytes).isEmpty());
        QVERIFY(!loaded(path).has_value());
        QVERIFY(bmpCorner(large, 128, qint64(1) << 40).isEmpty()); // over 16384 x 16384 pixels
    }
};

QTEST_GUILESS_MAIN(PictureLoaderTest)
#include "pictureloader_test.moc"

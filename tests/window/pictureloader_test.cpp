// The picture loader on files its readers decode only in part: what they leave unset must still
// come back as opaque pixels, the view's background where the picture does not reach.

#include "core/slotgrid.h"
#include "tests/support/imagefiles.h"
#include "window/pictureloader.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace mosaikon;
using namespace mosaikon::testing;

class PictureLoaderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Qt's GIF reader gives a file cut off in its pixel data as a whole picture whose undecoded
    // rest holds 0x00000000, alpha included.
    void cutOffGifGivesOpaquePixels() {
        const QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray gif = gifBytes(lopsidedSheet(64, 64, true));
        const QString path = dir.filePath(QStringLiteral("cut.gif"));
        QVERIFY(writeFile(path, gif.left(gif.size() / 2)));

        const PixelSurface sheet = loadSheetPicture(path);
        QCOMPARE(sheet.width(), 64);
        QCOMPARE(sheet.height(), 64);
        for (int y = 0; y < sheet.height(); ++y)
            for (int x = 0; x < sheet.width(); ++x)
                if (sheet.pixel(x, y) >> 24 != 0xFF)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3")
                                         .arg(x)
                                         .arg(y)
                                         .arg(sheet.pixel(x, y), 8, 16, QLatin1Char('0'))));
        QCOMPARE(sheet.pixel(63, 63), SourceBackground);

        SlotGrid grid;
        grid.showSheet(sheet);
        QCOMPARE(grid.source.pixel(127, 127), SourceBackground);
    }
};

QTEST_MAIN(PictureLoaderTest)
#include "pictureloader_test.moc"

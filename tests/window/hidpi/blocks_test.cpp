// At device pixel ratio 2 each view pixel shows as a 2 x 2 block of its own colour, never blended.

#include "dialogseam.h"
#include "form1.h"
#include "imagefiles.h"
#include "picturearea.h"
#include "picturecompare.h"
#include "windowdriver.h"

#include <QTemporaryDir>
#include <QTest>

namespace mosaikon::testing {

class HiDpiBlocks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sheetAndTileShowAsSharpBlocks() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sheet.bmp"));
        const QImage sheet = lopsidedSheet(SheetShown, SheetShown);
        QVERIFY(writeSheet(path, sheet));
        const auto form = startWindow();
        ScopedDialogFunctions open([&](auto *r) { return answerWithPath(r, path.toLocal8Bit()); });
        form->Command1_Click();
        form->Picture1_MouseMove(0, 0, 3 * 32 + 16, 2 * 32 + 16); // tile (3, 2) onto slot 9
        form->SpritePicture1_DragDrop(9, QStringLiteral("Picture1"), 32, 32);
        // Each view, its logical size, and the sheet from (left, top) enlarged `factor` times.
        const std::tuple<QWidget *, int, int, int, int> views[] = {
            {form->Picture1, 256, 0, 0, 2}, {form->SpritePicture1[9], 64, 48, 32, 4}};
        for (const auto &[widget, size, left, top, factor] : views) {
            const QImage got = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(got.size(), QSize(size, size) * 2);
            const QImage want = enlarged(sheet, left, top, 2 * factor, 2 * size);
            for (int y = 0; y < got.height(); ++y)
                for (int x = 0; x < got.width(); ++x) {
                    const bool frame = size > 64 && (x / 2 % 32 % 31 == 0 || y / 2 % 32 % 31 == 0);
                    QCOMPARE(got.pixel(x, y), frame ? qRgb(128, 0, 0) : want.pixel(x, y));
                }
        }
    }
};

} // namespace mosaikon::testing

QTEST_MAIN(mosaikon::testing::HiDpiBlocks)
#include "blocks_test.moc"

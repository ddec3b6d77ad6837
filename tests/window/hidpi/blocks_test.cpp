// The window at a device pixel ratio of 2 (QT_SCALE_FACTOR=2): a loaded sheet and a dropped tile
// must show every picture pixel as an exact block of device pixels, enlarged by repeating
// pixels only, with no colour that lies between two neighbours.

#include "core/slotgrid.h"
#include "dialogs/dialogseam.h"
#include "tests/support/imagefiles.h"
#include "window/controldrag.h"
#include "window/form1.h"
#include "window/module1.h"
#include "window/picturearea.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace mosaikon {
namespace {

constexpr int Ratio = 2;
const QRgb GridColour = qRgb(128, 0, 0);

// The first device pixel of `shot` that differs from the expected picture, where `expected`
// gives the colour of each picture pixel and every picture pixel should cover a Ratio x Ratio
// block; empty when all agree.
QString firstWrongPixel(const QImage &shot, QSize pictureSize,
                        const std::function<QRgb(int, int)> &expected) {
    if (shot.size() != pictureSize * Ratio)
        return QStringLiteral("the grab is %1 x %2 device pixels, not %3 x %4")
            .arg(shot.width())
            .arg(shot.height())
            .arg(pictureSize.width() * Ratio)
            .arg(pictureSize.height() * Ratio);
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb want = expected(x / Ratio, y / Ratio) & 0xFFFFFF;
            const QRgb got = shot.pixel(x, y) & 0xFFFFFF;
            if (got != want)
                return QStringLiteral("device pixel (%1, %2) of picture pixel (%3, %4) is #%5, "
                                      "expected #%6")
                    .arg(x)
                    .arg(y)
                    .arg(x / Ratio)
                    .arg(y / Ratio)
                    .arg(got, 6, 16, QLatin1Char('0'))
                    .arg(want, 6, 16, QLatin1Char('0'));
        }
    return {};
}

QImage grabbed(QWidget *widget) {
    const QPixmap pixmap = widget->grab();
    if (pixmap.devicePixelRatio() != Ratio) return {};
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

class HiDpiBlocks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void sourceViewShowsEachSheetPixelAsASharpBlock();
    void slotViewShowsEachTilePixelAsASharpBlock();

private:
    QTemporaryDir folder_;
    QImage sheet_;
    std::unique_ptr<Form1> form_;
};

void HiDpiBlocks::init() {
    QVERIFY(folder_.isValid());
    // Every pixel differs from its neighbours, so any smoothing makes colours that are in no
    // pixel of the sheet.
    sheet_ = testing::lopsidedSheet(SheetShown, SheetShown);
    const QString path = folder_.filePath(QStringLiteral("sheet.bmp"));
    QVERIFY(testing::writeSheet(path, sheet_));

    form_ = Module1::Main();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QCOMPARE(form_->devicePixelRatio(), qreal(Ratio));

    const QByteArray recordPath = path.toLocal8Bit();
    const ScopedDialogFunctions answer(
        [&](OPENFILENAMEA *rec) { return answerWithPath(rec, recordPath); });
    QTest::mouseClick(form_->Command1, Qt::LeftButton);
    QCOMPARE(form_->ImagePath, path);
}

void HiDpiBlocks::cleanup() {
    form_.reset();
}

void HiDpiBlocks::sourceViewShowsEachSheetPixelAsASharpBlock() {
    const QImage shot = grabbed(form_->Picture1);
    QVERIFY2(!shot.isNull(), "the grab of the source view is not at device pixel ratio 2");
    // The view shows the sheet enlarged twice, under the grid's one-pixel cell frames.
    const QString wrong = firstWrongPixel(shot, {ViewSize, ViewSize}, [&](int x, int y) {
        const bool grid = x % CellSize == 0 || x % CellSize == CellSize - 1 || y % CellSize == 0 ||
                          y % CellSize == CellSize - 1;
        return grid ? GridColour : sheet_.pixel(x / 2, y / 2);
    });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

void HiDpiBlocks::slotViewShowsEachTilePixelAsASharpBlock() {
    // The tile in column 3, row 2 of the sheet, dropped on slot 9 (a slot without the origin
    // border).
    constexpr int Col = 3, Row = 2;
    constexpr std::size_t Slot = 9;
    const QPoint cell = form_->Picture1->mapTo(
        form_.get(), QPoint(Col * CellSize + CellSize / 2, Row * CellSize + CellSize / 2));
    QTest::mouseMove(form_->windowHandle(), cell);
    QCOMPARE(form_->grid.CursorCol, float(Col));
    QCOMPARE(form_->grid.CursorRow, float(Row));

    QMimeData data;
    data.setData(controlMimeType(), QByteArrayLiteral("Picture1"));
    QDropEvent drop(QPointF(32, 32), Qt::CopyAction, &data, Qt::LeftButton, {});
    PictureArea *view = form_->SpritePicture1.at(Slot);
    // Straight to the view: offscreen, no drag ever enters, so the application hands on no drop.
    static_cast<QObject *>(view)->event(&drop);
    QCOMPARE(QString::fromStdString(form_->grid.slots.at(Slot).Tag),
             QString::number((Row * 16 + Col) * 2));

    const QImage shot = grabbed(view);
    QVERIFY2(!shot.isNull(), "the grab of the slot view is not at device pixel ratio 2");
    // The slot shows the 16 x 16 tile enlarged four times.
    const QString wrong = firstWrongPixel(shot, {SlotSize, SlotSize}, [&](int x, int y) {
        return sheet_.pixel(Col * 16 + x / 4, Row * 16 + y / 4);
    });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

} // namespace
} // namespace mosaikon

int main(int argc, char *argv[]) {
    // The ratio must be in place before the application reads the screens.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(mosaikon::Ratio));
    QApplication app(argc, argv);
    mosaikon::HiDpiBlocks test;
    return QTest::qExec(&test, argc, argv);
}

#include "blocks_test.moc"

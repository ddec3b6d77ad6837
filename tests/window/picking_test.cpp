// Loading sheets into the source view through the open dialog, the tile cursor under the pointer,
// and what tile and origin drops do to the slots. The sheets are written by the tests in all
// three formats; GIF and BMP must come through exactly, JPEG within its loss.

#include "windowtest.h"

#include "tests/support/imagefiles.h"

#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace mosaikon;
using namespace mosaikon::testing;

namespace {

constexpr int JpegLoss = 8;

} // namespace

class PickingTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QImage bigSheet = lopsidedSheet(300, 280);
    std::unique_ptr<Form1> form;

    QString bmp() const { return dir.filePath("big.bmp"); }
    void setCursorAway() { form->grid.CursorCol = form->grid.CursorRow = 42; }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QVERIFY(writeSheet(bmp(), bigSheet));
        QVERIFY(writeSheet(dir.filePath("small.bmp"), lopsidedSheet(64, 64).mirrored(true, true)));
        QVERIFY(writeSheet(dir.filePath("sheet.gif"), lopsidedSheet(128, 128, true)));
        QVERIFY(writeSheet(dir.filePath("sheet.jpg"), lopsidedSheet(200, 200)));
    }

    void init() { form = startWindow(); }
    void cleanup() { form.reset(); }

    void loadAndPick_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QImage>("sheet"); // the sheet as the file holds it
        QTest::addColumn<int>("loss");
        QTest::newRow("bmp") << "big.bmp" << bigSheet << 0;
        QTest::newRow("bmp smaller than the view")
            << "small.bmp" << lopsidedSheet(64, 64).mirrored(true, true) << 0;
        QTest::newRow("gif") << "sheet.gif" << lopsidedSheet(128, 128, true) << 0;
        QTest::newRow("jpg") << "sheet.jpg" << QImage(dir.filePath("sheet.jpg")) << JpegLoss;
    }

    void loadAndPick() {
        QFETCH(QString, file);
        QFETCH(QImage, sheet);
        QFETCH(int, loss);
        loadSheet(*form, dir.filePath(file));
        QCOMPARE(form->ImagePath, dir.filePath(file));
        QVERIFY(largestDifference(imageOf(form->grid.source), expectedView(sheet)) <= loss);
        const QImage shown = form->Picture1->grab().toImage();
        QCOMPARE(shown.pixel(40, 40), form->grid.source.pixel(40, 40));

        struct Pick {
            QPoint at;
            int col, row;
            const char *tag;
        };
        int slot = 0;
        for (const Pick &p :
             {Pick{{100, 40}, 3, 1, "38"}, Pick{{0, 1}, 0, 0, "0"}, Pick{{255, 255}, 7, 7, "238"},
              Pick{{31, 32}, 0, 1, "32"}, Pick{{32, 31}, 1, 0, "2"}, Pick{{200, 70}, 6, 2, "76"}}) {
            dragTile(*form, p.at, ++slot);
            QCOMPARE(form->grid.CursorCol, float(p.col));
            QCOMPARE(form->grid.CursorRow, float(p.row));
            QCOMPARE(tagOf(*form, slot), QString::fromLatin1(p.tag));
            QCOMPARE(attrOf(*form, slot), 0x21);
            QVERIFY2(largestDifference(slotImage(*form, slot), expectedTile(sheet, p.col, p.row)) <=
                         loss,
                     p.tag);
        }
    }

    void pointerPositions_data() {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<float>("col");
        QTest::addColumn<float>("row");
        QTest::newRow("top left") << 0.f << 0.f << 0.f << 0.f;
        QTest::newRow("bottom right") << 255.f << 255.f << 7.f << 7.f;
        QTest::newRow("31, 32") << 31.f << 32.f << 0.f << 1.f;
        QTest::newRow("32, 31") << 32.f << 31.f << 1.f << 0.f;
        QTest::newRow("halves to even") << 31.5f << 32.5f << 1.f << 1.f;
        QTest::newRow("halves down") << 30.5f << 63.5f << 0.f << 2.f;
        QTest::newRow("just short") << 31.4f << 95.49f << 0.f << 2.f;
        QTest::newRow("left and above") << -1.f << -31.f << 0.f << 0.f;
        QTest::newRow("a cell beyond") << -32.f << -63.f << -1.f << -1.f;
        QTest::newRow("half beyond") << -31.5f << -0.5f << -1.f << 0.f;
        QTest::newRow("right and below") << 256.f << 287.f << 8.f << 8.f;
        QTest::newRow("far right") << 288.f << 1000.f << 9.f << 31.f;
    }

    void pointerPositions() {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(float, col);
        QFETCH(float, row);
        setCursorAway();
        form->Picture1_MouseMove(0, 0, x, y);
        QCOMPARE(form->grid.CursorCol, col);
        QCOMPARE(form->grid.CursorRow, row);

        setCursorAway();
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y),
                         form->Picture1->mapToGlobal(QPointF(x, y)), Qt::NoButton, Qt::NoButton,
                         {});
        QApplication::sendEvent(form->Picture1, &move);
        QCOMPARE(form->grid.CursorCol, col);
        QCOMPARE(form->grid.CursorRow, row);

        const QPoint whole{int(x), int(y)};
        if (whole != QPointF(x, y) || whole.isNull() || !form->Picture1->rect().contains(whole))
            return;
        setCursorAway();
        moveTo(*form, form->Picture1->mapTo(form.get(), whole));
        QCOMPARE(form->grid.CursorCol, col);
        QCOMPARE(form->grid.CursorRow, row);
    }

    void cancelledDialogChangesNothing() {
        QCOMPARE(loadWith(*form, [](OPENFILENAMEA *) { return 0; }).text, QString());
        QCOMPARE(form->ImagePath, QString());
        QCOMPARE(imageOf(form->grid.source), filled(256, 256, qRgb(0, 0, 0)));

        loadSheet(*form, bmp());
        dragTile(*form, cellCentre(2, 2), 3);
        const SlotGrid before = form->grid;
        QCOMPARE(loadWith(*form, [](OPENFILENAMEA *) { return 0; }).text, QString());
        QCOMPARE(form->ImagePath, bmp());
        QCOMPARE(gridDifference(before, form->grid), QString());
    }

    void loadImageWhileItsDialogWaits() {
        // The dialog has no owner: while it waits, a second press loads on a dialog of its own,
        // and cancelling the first one afterwards takes nothing back.
        int dialogs = 0;
        const Report report = loadWith(*form, [&](OPENFILENAMEA *rec) {
            if (++dialogs == 1) {
                QTest::mouseClick(form->Command1, Qt::LeftButton);
                return 0;
            }
            return answerWithPath(rec, toRecordText(bmp()));
        });
        QCOMPARE(report.text, QString());
        QCOMPARE(dialogs, 2);
        QCOMPARE(form->ImagePath, bmp());
        QCOMPARE(imageOf(form->grid.source), expectedView(bigSheet));
    }

    void fileNameIsCutAtItsFirstNul_data() {
        QTest::addColumn<QByteArray>("behind"); // what the dialog leaves behind the path
        QTest::newRow("NULs") << QByteArray(1, '\0');
        QTest::newRow("an older longer name") << QByteArray("\0/no/such/sheet.bmp", 19);
        QTest::newRow("no NUL at all") << QByteArray();
    }

    void fileNameIsCutAtItsFirstNul() {
        QFETCH(QByteArray, behind);
        // Without a NUL the path has to fill the whole name buffer: 260 characters and one more.
        QByteArray path = toRecordText(dir.filePath("cut"));
        if (behind.isEmpty()) path += QByteArray(261 - path.size() - 4, 'x');
        path += ".bmp";
        QVERIFY(writeSheet(QString::fromLocal8Bit(path), bigSheet));
        const Report report = loadWith(*form, [&](OPENFILENAMEA *rec) {
            const QByteArray answer = path + behind;
            std::memcpy(rec->lpstrFile, answer.constData(), std::size_t(answer.size()));
            return 1;
        });
        QCOMPARE(report.text, QString());
        QCOMPARE(form->ImagePath, QString::fromLocal8Bit(path));
        QCOMPARE(imageOf(form->grid.source), expectedView(bigSheet));
    }

    void secondLoadReplacesTheFirst() {
        loadSheet(*form, bmp());
        dragTile(*form, cellCentre(2, 2), 3);
        click(*form, slotPoint(*form, 3));
        loadSheet(*form, dir.filePath("small.bmp"));
        QCOMPARE(imageOf(form->grid.source),
                 expectedView(lopsidedSheet(64, 64).mirrored(true, true)));
        QCOMPARE(tagOf(*form, 3), QStringLiteral("68"));
        QCOMPARE(attrOf(*form, 3), 0x61);
        QCOMPARE(slotImage(*form, 3), expectedTile(bigSheet, 2, 2).mirrored(true, false));
    }

    void dropOnAUsedSlotReplacesIt() {
        loadSheet(*form, bmp());
        dragTile(*form, cellCentre(3, 1), 7);
        click(*form, slotPoint(*form, 7));
        click(*form, slotPoint(*form, 7));
        QCOMPARE(attrOf(*form, 7), 0xA1);
        for (QPointF at : {QPointF(0, 0), QPointF(63, 63), QPointF(10.5, 50)}) {
            moveTo(*form, cellCentre(5, 6));
            dropOn(*form, 7, QStringLiteral("Picture1"), at);
            QCOMPARE(tagOf(*form, 7), QStringLiteral("202"));
            QCOMPARE(attrOf(*form, 7), 0x21);
            QCOMPARE(slotImage(*form, 7), expectedTile(bigSheet, 5, 6));
        }
    }

    void dropWithoutAPicturePlacesBackground() {
        dragTile(*form, cellCentre(7, 7), 50);
        QCOMPARE(tagOf(*form, 50), QStringLiteral("238"));
        QCOMPARE(attrOf(*form, 50), 0x21);
        QCOMPARE(slotImage(*form, 50), filled(64, 64, qRgb(0, 0, 0)));
    }

    void dropsAreToldApartByTheSourceName_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("origin");
        QTest::newRow("source view") << "Picture1" << false;
        QTest::newRow("origin button") << "Command4" << true;
        QTest::newRow("other case") << "command4" << false;
        QTest::newRow("longer name") << "Command44" << false;
    }

    void dropsAreToldApartByTheSourceName() {
        QFETCH(QString, source);
        QFETCH(bool, origin);
        loadSheet(*form, bmp());
        moveTo(*form, cellCentre(4, 0));
        dropOn(*form, 19, source);
        QCOMPARE(tagOf(*form, 19), origin ? QString() : QStringLiteral("8"));
        QCOMPARE(form->grid.slots[19].BorderStyle, origin ? 1 : 0);
        QCOMPARE(form->grid.slots[0].BorderStyle, origin ? 0 : 1);
    }

    void originDrops_data() {
        QTest::addColumn<QList<int>>("targets");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::newRow("slot 27") << QList<int>{27} << 3 << 3;
        QTest::newRow("the current origin") << QList<int>{0} << 0 << 0;
        QTest::newRow("twice on one slot") << QList<int>{63, 63} << 7 << 7;
        QTest::newRow("moved on") << QList<int>{8, 27, 9} << 1 << 1;
    }

    void originDrops() {
        QFETCH(QList<int>, targets);
        QFETCH(int, col);
        QFETCH(int, row);
        loadSheet(*form, bmp());
        dragTile(*form, cellCentre(1, 1), targets.last());
        click(*form, slotPoint(*form, targets.last()));
        SlotGrid expected = form->grid;
        for (int target : targets) dropOn(*form, target, QStringLiteral("Command4"));

        expected.OriginCol = std::uint8_t(col);
        expected.OriginRow = std::uint8_t(row);
        for (int i = 0; i < 64; ++i)
            expected.slots[std::size_t(i)].BorderStyle = i == targets.last();
        QCOMPARE(gridDifference(expected, form->grid), QString());
        for (int i = 0; i < 64; ++i) {
            PictureArea *view = form->SpritePicture1[std::size_t(i)];
            QCOMPARE(view->BorderStyle(), int(i == targets.last()));
            const QImage shown = view->grab().toImage();
            QCOMPARE(shown.pixel(0, 0) != shown.pixel(1, 1), i == targets.last());
        }
    }
};

QTEST_MAIN(PickingTest)
#include "picking_test.moc"

// Pointer events on the slot views as the platform routes them through the window: which
// presses, releases and double clicks become a press and a click, and what each does to a slot.

#include "windowtest.h"

#include "tests/support/imagefiles.h"
#include "window/controldrag.h"
#include "window/picturearea.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mosaikon;
using namespace mosaikon::testing;

class EventsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QImage sheet = lopsidedSheet(128, 128);
    std::unique_ptr<Form1> form;

    // Drags the tile of cell (3, 1), tile 38, onto `slot`.
    void placeTile(int slot) { dragTile(*form, cellCentre(3, 1), slot); }
    // That tile as a slot shows it with attribute `attr`.
    QImage tile(int attr) const {
        return expectedTile(sheet, 3, 1).mirrored(attr & 0x40, attr & 0x80);
    }
    QPoint at(int slot) const { return slotPoint(*form, slot); }
    PictureArea *view(int slot) const { return form->SpritePicture1.at(std::size_t(slot)); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QVERIFY(writeSheet(dir.filePath("sheet.bmp"), sheet));
    }

    void init() {
        form = startWindow();
        loadSheet(*form, dir.filePath("sheet.bmp"));
        QCOMPARE(form->ImagePath, dir.filePath("sheet.bmp"));
    }

    void cleanup() { form.reset(); }

    void leftClicksCycleAndMirror_data() {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("attr");
        QTest::newRow("none") << 0 << 0x21;
        QTest::newRow("one") << 1 << 0x61;
        QTest::newRow("two") << 2 << 0xA1;
        QTest::newRow("three") << 3 << 0xE1;
        QTest::newRow("four") << 4 << 0x21;
        QTest::newRow("five") << 5 << 0x61;
    }

    void leftClicksCycleAndMirror() {
        QFETCH(int, clicks);
        QFETCH(int, attr);
        placeTile(12);
        for (int n = 0; n < clicks; ++n) click(*form, at(12));
        QCOMPARE(attrOf(*form, 12), attr);
        QCOMPARE(tagOf(*form, 12), QStringLiteral("38"));
        QCOMPARE(slotImage(*form, 12), tile(attr));
        QCOMPARE(view(12)->grab().toImage().convertToFormat(QImage::Format_RGB32), tile(attr));
    }

    void clickOnANeverUsedSlot() {
        click(*form, at(5));
        QCOMPARE(attrOf(*form, 5), 0x61);
        QCOMPARE(tagOf(*form, 5), QString());
        QCOMPARE(slotImage(*form, 5), filled(64, 64, SlotGrey));
    }

    void rightClickClearsThenCycles_data() {
        QTest::addColumn<int>("flips");
        QTest::addColumn<int>("attr");
        QTest::newRow("plain") << 0 << 0x61;
        QTest::newRow("two flips") << 2 << 0xE1;
        QTest::newRow("three flips") << 3 << 0x21;
    }

    void rightClickClearsThenCycles() {
        QFETCH(int, flips);
        QFETCH(int, attr);
        placeTile(20);
        for (int n = 0; n < flips; ++n) click(*form, at(20));
        click(*form, at(20), Qt::RightButton);
        QCOMPARE(tagOf(*form, 20), QString());
        QCOMPARE(attrOf(*form, 20), attr);
        QCOMPARE(slotImage(*form, 20), filled(64, 64, SlotGrey));

        placeTile(20);
        QCOMPARE(attrOf(*form, 20), 0x21);
        QCOMPARE(slotImage(*form, 20), tile(0x21));
    }

    void rightPressReleasedElsewhereOnlyClears() {
        placeTile(20);
        placeTile(21);
        click(*form, at(20));
        press(*form, at(20), Qt::RightButton);
        release(*form, at(21), Qt::RightButton);
        QCOMPARE(tagOf(*form, 20), QString());
        QCOMPARE(attrOf(*form, 20), 0x61);
        QCOMPARE(tagOf(*form, 21), QStringLiteral("38"));
        QCOMPARE(attrOf(*form, 21), 0x21);
        QCOMPARE(slotImage(*form, 21), tile(0x21));
    }

    void leftPressReleasedElsewhereIsNoClick() {
        placeTile(1);
        placeTile(2);
        const SlotGrid before = form->grid;
        press(*form, at(1));
        release(*form, at(2));
        QCOMPARE(gridDifference(before, form->grid), QString());
        press(*form, at(1));
        release(*form, slotPoint(*form, 1, {63, 0}));
        QCOMPARE(attrOf(*form, 1), 0x61);
    }

    void middleButtonDoesNothing() {
        placeTile(30);
        QSignalSpy downs(view(30), &PictureArea::mouseDown);
        QSignalSpy clicks(view(30), &PictureArea::clicked);
        const SlotGrid before = form->grid;
        click(*form, at(30), Qt::MiddleButton);
        QCOMPARE(gridDifference(before, form->grid), QString());
        QCOMPARE(downs.size(), 1);
        QCOMPARE(downs.at(0).at(0).toInt(), 4);
        QCOMPARE(clicks.size(), 0);
    }

    void doubleClicks_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("attr");
        QTest::addColumn<QString>("tag");
        QTest::newRow("left: one press, one click") << Qt::LeftButton << 1 << 1 << 0x61 << "38";
        QTest::newRow("right: two right clicks") << Qt::RightButton << 2 << 2 << 0xA1 << "";
    }

    void doubleClicks() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, presses);
        QFETCH(int, clicks);
        QFETCH(int, attr);
        QFETCH(QString, tag);
        placeTile(40);
        QSignalSpy downs(view(40), &PictureArea::mouseDown);
        QSignalSpy clicked(view(40), &PictureArea::clicked);
        QTest::mouseDClick(form->windowHandle(), button, {}, at(40));
        QCOMPARE(downs.size(), presses);
        QCOMPARE(clicked.size(), clicks);
        QCOMPARE(attrOf(*form, 40), attr);
        QCOMPARE(tagOf(*form, 40), tag);
        if (!tag.isEmpty()) QCOMPARE(slotImage(*form, 40), tile(attr));
    }

    void pressOnTheSourceViewReachesNoSlot() {
        QList<std::shared_ptr<QSignalSpy>> spies;
        for (PictureArea *area : form->findChildren<PictureArea *>()) {
            spies.append(std::make_shared<QSignalSpy>(area, &PictureArea::mouseDown));
            spies.append(std::make_shared<QSignalSpy>(area, &PictureArea::clicked));
        }
        QCOMPARE(spies.size(), 2 * 65);
        moveTo(*form, cellCentre(2, 2));
        const SlotGrid before = form->grid;
        press(*form, cellCentre(2, 2));
        release(*form, cellCentre(2, 2));
        QCOMPARE(gridDifference(before, form->grid), QString());
        for (const auto &spy : spies) QCOMPARE(spy->size(), 0);
    }

    void originButtonNeverClicks() {
        QSignalSpy originClicks(form->Command4, &QPushButton::clicked);
        QSignalSpy loadClicks(form->Command1, &QPushButton::clicked);
        const SlotGrid before = form->grid;
        const QPoint origin = form->Command4->geometry().center();
        for (QPoint elsewhere : {form->Command1->geometry().center(), cellCentre(1, 1),
                                 form->Check1->geometry().center(), QPoint(220, 480), origin}) {
            press(*form, origin);
            release(*form, elsewhere);
        }
        QCOMPARE(originClicks.size(), 0);
        QCOMPARE(loadClicks.size(), 0);
        QCOMPARE(form->Check1->value(), 0);
        QCOMPARE(gridDifference(before, form->grid), QString());
    }

    void aDragFromOutsideIsRefused() {
        QMimeData data;
        data.setData(controlMimeType(), "Picture1");
        QDragEnterEvent enter(QPoint(32, 32), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(view(9), &enter);
        QVERIFY(!enter.isAccepted());
    }
};

QTEST_MAIN(EventsTest)
#include "events_test.moc"

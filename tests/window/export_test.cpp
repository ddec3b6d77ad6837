// "ASM Sprite Table to Clipboard" after arrangements made with the user's gestures, read back from
// the real clipboard; and errors that leave a handler: the report, and what stays as it was.

#include "windowtest.h"

#include "tests/support/imagefiles.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

using namespace mosaikon;
using namespace mosaikon::testing;

namespace {

const QString EmptyTable = QStringLiteral("DC.w $0000\r\n");

// One tile drag: the tile of cell (col, row) onto `slot`, then `flips` left clicks on it.
struct Placement {
    int slot, col, row, flips;
};

// An arrangement made with gestures: placements in order, right clicks afterwards, an origin
// drop (none below 0) and the two boxes.
struct Arrangement {
    QList<Placement> placements;
    QList<int> rightClicks{};
    int origin = -1;
    Qt::CheckState check1 = Qt::Unchecked;
    Qt::CheckState check2 = Qt::Unchecked;
};

// The used slots the arrangement should leave, for the reference table.
QList<Placed> usedSlots(const Arrangement &a) {
    const int cycle[] = {0x21, 0x61, 0xA1, 0xE1};
    QMap<int, Placed> used;
    for (const Placement &p : a.placements)
        used[p.slot] = {p.slot, (p.row * 16 + p.col) * 2, cycle[p.flips % 4]};
    for (int slot : a.rightClicks) used.remove(slot);
    return used.values();
}

void setBox(Form1 &form, AdjustmentBox *box, Qt::CheckState state) {
    if (state == Qt::PartiallyChecked) { // no gesture grays a box
        box->setTristate(true);
        box->setCheckState(state);
    } else if (box->checkState() != state) {
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {},
                          box->mapTo(&form, box->rect().center()));
    }
}

void arrange(Form1 &form, const Arrangement &a) {
    for (const Placement &p : a.placements) {
        dragTile(form, cellCentre(p.col, p.row), p.slot);
        for (int n = 0; n < p.flips; ++n) click(form, slotPoint(form, p.slot));
    }
    for (int slot : a.rightClicks) click(form, slotPoint(form, slot), Qt::RightButton);
    if (a.origin >= 0) dropOn(form, a.origin, QStringLiteral("Command4"));
    setBox(form, form.Check1, a.check1);
    setBox(form, form.Check2, a.check2);
}

// Clicks "ASM Sprite Table to Clipboard"; returns the error report the click showed.
Report exportTable(Form1 &form) {
    return reportDuring([&] {
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {},
                          form.Command3->geometry().center());
    });
}

} // namespace

Q_DECLARE_METATYPE(Arrangement)

class ExportTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QImage sheet = lopsidedSheet(128, 128);
    std::unique_ptr<Form1> form;

    QString sheetPath() const { return dir.filePath("sheet.bmp"); }

private Q_SLOTS:
    void initTestCase() { QVERIFY(writeSheet(sheetPath(), sheet)); }

    void init() {
        putOnClipboard(QStringLiteral("earlier text"));
        form = startWindow();
    }

    void cleanup() { form.reset(); }

    void emptyGridGivesTheCountLineAlone() {
        auto *earlier = new QMimeData;
        earlier->setHtml(QStringLiteral("<b>earlier</b>"));
        earlier->setText(QStringLiteral("earlier"));
        QGuiApplication::clipboard()->setMimeData(earlier);
        exportTable(*form);
        QCOMPARE(clipboardText(), EmptyTable);
        QCOMPARE(clipboardText().size(), 12);
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasHtml());
    }

    void keyboardActivationExports() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->Command3->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form->Command3, Qt::Key_Space);
        QCOMPARE(clipboardText(), EmptyTable);
    }

    void threeSlotsAroundAnOrigin() {
        loadSheet(*form, sheetPath());
        arrange(*form, {.placements = {{18, 7, 7, 3}, {0, 0, 0, 0}, {9, 1, 1, 1}},
                        .origin = 9,
                        .check2 = Qt::Checked});
        exportTable(*form);
        QCOMPARE(clipboardText(), QStringLiteral("DC.w $0003\r\n"
                                                 "DC.b $E8,$81,$F0,$00,$21\r\n"
                                                 "DC.b $F8,$81,$00,$22,$61\r\n"
                                                 "DC.b $08,$80,$10,$EE,$E1\r\n"));
        QCOMPARE(clipboardText().size(), 90);
        exportTable(*form);
        QCOMPARE(clipboardText().size(), 90); // nothing carried from one export to the next
    }

    void arrangements_data() {
        QTest::addColumn<Arrangement>("arrangement");
        QList<Placement> block;
        for (int slot : {0, 1, 2, 8, 9, 10, 16, 17, 18})
            block.append({slot, slot % 8, slot / 8, 0});
        QList<Placement> all;
        for (int slot = 63; slot >= 0; --slot)
            all.append({slot, slot % 8, (slot / 8 + 3) % 8, slot % 5});
        QTest::newRow("3 x 3 block, both boxes")
            << Arrangement{block, {}, 9, Qt::Checked, Qt::Checked};
        QTest::newRow("origin 63, both boxes")
            << Arrangement{{{0, 2, 5, 2}}, {}, 63, Qt::Checked, Qt::Checked};
        QTest::newRow("slot 63 from origin 0") << Arrangement{{{63, 7, 0, 3}}};
        QTest::newRow("horizontal only")
            << Arrangement{{{0, 0, 0, 0}}, {}, 0, Qt::Unchecked, Qt::Checked};
        QTest::newRow("vertical only, origin below")
            << Arrangement{{{4, 6, 1, 1}, {12, 3, 3, 0}}, {}, 44, Qt::Checked};
        QTest::newRow("all 64 slots") << Arrangement{all, {}, 36, Qt::Checked};
        QTest::newRow("cleared slots left out")
            << Arrangement{{{5, 1, 0, 2}, {6, 2, 0, 0}, {7, 3, 0, 1}}, {5, 7}, 6};
        QTest::newRow("placed out of order, replaced")
            << Arrangement{{{40, 1, 1, 0}, {2, 5, 5, 1}, {40, 0, 7, 2}}, {}, 17};
        QTest::newRow("grayed boxes count as unchecked") << Arrangement{
            {{0, 0, 0, 0}, {27, 4, 4, 0}}, {}, 9, Qt::PartiallyChecked, Qt::PartiallyChecked};
    }

    void arrangements() {
        QFETCH(Arrangement, arrangement);
        loadSheet(*form, sheetPath());
        arrange(*form, arrangement);
        exportTable(*form);
        const QString expected =
            referenceTable(usedSlots(arrangement), arrangement.origin < 0 ? 0 : arrangement.origin,
                           arrangement.check2 == Qt::Checked, arrangement.check1 == Qt::Checked);
        QCOMPARE(clipboardText(), expected);
        QCOMPARE(clipboardText().size(), 12 + 26 * usedSlots(arrangement).size());
    }

    void overflowIsReportedAndChangesNothing() {
        loadSheet(*form, sheetPath());
        arrange(*form, {.placements = {{3, 1, 0, 0}, {5, 2, 0, 1}}, .origin = 4});
        exportTable(*form);
        const QString before = clipboardText();
        form->grid.slots[5].Tag = "256";
        const SlotGrid grid = form->grid;

        const Report report = exportTable(*form);
        QCOMPARE(report.caption, QStringLiteral("Mosaikon"));
        QCOMPARE(report.name, QStringLiteral("errorReport"));
        QCOMPARE(report.text, QStringLiteral("Run-time error '6':\n\nOverflow"));
        QCOMPARE(clipboardText(), before);
        QCOMPARE(gridDifference(grid, form->grid), QString());

        click(*form, slotPoint(*form, 5), Qt::RightButton); // the program goes on
        exportTable(*form);
        QCOMPARE(clipboardText(), referenceTable({{3, 2, 0x21}}, 4, false, false));
    }

    void failedLoads_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content"); // none: the file is missing
        QTest::addColumn<QString>("report");
        QTest::newRow("missing") << "missing.bmp" << QByteArray()
                                 << "Run-time error '53':\n\nFile not found";
        QTest::newRow("text named .gif") << "text.gif" << QByteArray("no picture\n")
                                         << "Run-time error '481':\n\nInvalid picture";
        QTest::newRow("empty .bmp") << "empty.bmp" << QByteArray("") << "Run-time error '481'";
        QTest::newRow("cut-off JPEG")
            << "cut.jpg" << QByteArray("\xFF\xD8\xFF\xE0", 4) << "Run-time error '481'";
    }

    void failedLoads() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, report);
        const QString path = dir.filePath(file);
        if (!content.isNull()) QVERIFY(writeFile(path, content));
        loadSheet(*form, sheetPath());
        arrange(*form, {.placements = {{10, 2, 3, 1}}, .origin = 10});
        moveTo(*form, cellCentre(5, 4));
        const SlotGrid before = form->grid;

        const Report shown = loadWith(*form, choosing(path));
        QVERIFY2(shown.text.startsWith(report), qPrintable(shown.text));
        QCOMPARE(form->ImagePath, path);
        QCOMPARE(gridDifference(before, form->grid), QString());

        dragTile(*form, cellCentre(6, 6), 11); // the program goes on
        QCOMPARE(slotImage(*form, 11), expectedTile(sheet, 6, 6));
        loadSheet(*form, sheetPath());
        QCOMPARE(form->ImagePath, sheetPath());
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"

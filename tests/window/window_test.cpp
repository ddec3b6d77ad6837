// The window offscreen: gestures routed through it, real files, the real clipboard, a fake dialog.

#include "adjustmentbox.h"
#include "controldrag.h"
#include "dialogseam.h"
#include "form1.h"
#include "imagefiles.h"
#include "openfilename.h"
#include "originbutton.h"
#include "picturearea.h"
#include "pictureloader.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace mosaikon;
using namespace mosaikon::testing;

class WindowTest : public QObject {
    Q_OBJECT

    static constexpr QRgb Grey = 0xFF404040;
    QTemporaryDir dir;
    const QImage sheet = lopsidedSheet(300, 280);
    const QImage grey = emptySlot();
    QByteArray longName; // 261 bytes: fills the dialog's name buffer, leaving no NUL
    std::unique_ptr<Form1> form;

    static QString in(const char *row, const QString &value) { return row + (": " + value); }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
    QByteArray name(const char *file) const { return dir.filePath(file).toLocal8Bit() + '\0'; }
    void restart(bool withSheet) {
        form = startWindow();
        if (withSheet) QCOMPARE(load(name("sheet.bmp")), QString());
    }
    QWindow *win() const { return form->windowHandle(); }
    PictureArea *view(int i) const { return form->SpritePicture1.at(std::size_t(i)); }
    QPoint slotAt(int i) const { return view(i)->mapTo(form.get(), QPoint(32, 32)); }
    const Slot &slot(int i) const { return form->grid.slots.at(std::size_t(i)); }
    QImage slotImage(int i) const { return imageOf(slot(i).picture); }
    QString state(int i) const { // "Tag/attr in hex", as "38/61"
        return QString::fromStdString(slot(i).Tag) + '/' +
               QString::number(form->grid.SlotAttr.at(std::size_t(i)), 16);
    }
    void click(QPoint at, int b = 1) { QTest::mouseClick(win(), Qt::MouseButton(b), {}, at); }
    void exportNow() { click(form->Command3->geometry().center()); }
    void drop(int slot, const QByteArray &source) { dropControl(view(slot), source); }
    QString cursor() const {
        return QString("%1,%2").arg(form->grid.CursorCol).arg(form->grid.CursorRow);
    }
    // Notes the tile cursor as each drag from `source` starts: a drag makes its QDrag, no widget,
    // a child of the control dragged.
    struct DragWatch : QObject {
        const WindowTest &test;
        QStringList started;
        DragWatch(const WindowTest &t, QObject *source)
            : test(t) {
            source->installEventFilter(this);
        }
        bool eventFilter(QObject *, QEvent *e) override {
            if (e->type() == QEvent::ChildAdded &&
                !static_cast<QChildEvent *>(e)->child()->isWidgetType())
                started << test.cursor();
            return false;
        }
    };
    // The drag begun at `from` in the source view and released over slot view `slot`. The pointer
    // comes from a bare spot: a move to where it already is would be dropped.
    void dragTile(QPoint from, int slot) {
        QTest::mouseMove(win(), QPoint(260, 500));
        QTest::mouseMove(win(), from);
        QTest::mousePress(win(), Qt::LeftButton, {}, from);
        drop(slot, "Picture1");
        QTest::mouseRelease(win(), Qt::LeftButton, {}, slotAt(slot));
    }
    // "Load Image", the dialog answering with the bytes `answer` (a null answer cancels).
    QString load(const QByteArray &answer) {
        const ScopedDialogFunctions dialog([answer](OPENFILENAMEA *rec) {
            std::memcpy(rec->lpstrFile, answer.constData(), std::size_t(answer.size()));
            return answer.isNull() ? 0 : 1;
        });
        return reportDuring([&] { QTest::mouseClick(form->Command1, Qt::LeftButton); });
    }

private Q_SLOTS:
    void initTestCase() {
        longName = dir.filePath("long").toLocal8Bit();
        longName += QByteArray(261 - 4 - longName.size(), 'x') + ".bmp";
        QVERIFY(writeSheet(QString::fromLocal8Bit(longName), sheet));
        QVERIFY(writeSheet(dir.filePath("sheet.bmp"), sheet));
        QVERIFY(writeSheet(dir.filePath("small.bmp"), lopsidedSheet(64, 64)));
        QVERIFY(writeFile(dir.filePath("text.gif"), "no picture\n"));
    }

    void startUp() {
        restart(false);
        QCOMPARE(form->windowTitle(), QStringLiteral("Mosaikon"));
        QCOMPARE(form->size(), QSize(779, 513));
        const std::tuple<QWidget *, QRect, const char *> controls[] = {
            {form->Picture1, {0, 0, 256, 256}, ""},
            {form->Command1, {0, 256, 257, 49}, "Load Image"},
            {form->Command3, {0, 312, 257, 49}, "ASM Sprite Table to Clipboard"},
            {form->Check1, {8, 368, 137, 41}, "Vertical adjustment for odd number of tiles"},
            {form->Command4, {160, 368, 41, 45}, "0"},
            {form->Check2, {8, 416, 137, 41}, "Horizontal adjustment for odd number of tiles"}};
        for (const auto &[control, rect, caption] : controls) {
            QCOMPARE(control->geometry(), rect);
            QCOMPARE(control->property("text").toString(), QString::fromLatin1(caption));
        }
        for (int i = 0; i < 64; ++i) {
            QCOMPARE(view(i)->geometry(), QRect(264 + 64 * (i % 8), 64 * (i / 8), 64, 64));
            QCOMPARE(state(i), QStringLiteral("/0"));
            QCOMPARE(slotImage(i), grey);
            const QImage shown = view(i)->grab().toImage();
            for (QPoint p : {QPoint(32, 32), QPoint(0, 0), QPoint(63, 30), QPoint(30, 63)})
                QCOMPARE(shown.pixel(p) != Grey, i == 0 && p.x() != 32); // the origin's border
        }
        QRegion covered; // no control overlaps another, and the slot views leave no gap
        for (QWidget *control : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            QVERIFY(!covered.intersects(control->geometry()));
            covered += control->geometry();
        }
        QCOMPARE(covered & QRect(264, 0, 512, 512), QRegion(264, 0, 512, 512));

        QList<QWidget *> order{form->Picture1, view(0), form->Command1};
        for (int i = 1; i < 64; ++i) order.append(view(i));
        order.append({form->Command3, form->Check1, form->Command4, form->Check2, form->Picture1});
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->Picture1->setFocus(Qt::OtherFocusReason);
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }

        for (auto *button : form->findChildren<QPushButton *>()) // none is the default button
            QVERIFY(!button->isDefault() && !button->autoDefault());
        QCOMPARE(imageOf(form->grid.source), viewOf({}));
        QCOMPARE(form->Check1->value() + form->Check2->value(), 0);

        // The grid over the view lets the pointer through (its lines, pixel for pixel: sharpBlocks;
        // the cell the pointer picks: the random session and the core tests).
        for (QPoint p : {QPoint(0, 0), QPoint(31, 31), QPoint(100, 40), QPoint(255, 255)})
            QCOMPARE(form->childAt(p), form->Picture1);
    }

    void captionsWhole() {
        // A desktop's default font larger than the layout's (GNOME's, through Qt's GTK theme)
        // wraps a caption onto more lines than its box holds: it is drawn smaller, never cut off
        // at the box's top and bottom edges.
        restart(false);
        for (AdjustmentBox *box : {form->Check1, form->Check2})
            for (int points : {8, 11, 14, 20}) {
                box->setFont(QFont(box->font().family(), points));
                const QImage shot = box->grab().toImage();
                QList<int> inked; // the rows of the caption's side that hold ink
                for (int y = 0; y < shot.height(); ++y)
                    for (int x = 20; x < shot.width(); ++x)
                        if (shot.pixel(x, y) != shot.pixel(0, 0) && !inked.contains(y)) inked += y;
                const QString row = in(box->objectName().toLatin1(), QString::number(points));
                QVERIFY2(inked.size() > 10, qPrintable(row));
                QVERIFY2(inked.first() > 0 && inked.last() < shot.height() - 1, qPrintable(row));
            }
    }

    void originDropByExactName() {
        // Only a drop carrying the origin button's exact name moves the origin: "command4" and
        // "Command44" are tile drops. (Every other slot gesture: the random session, session.h.)
        for (const char *name : {"command4", "Command44"}) {
            restart(true);
            dragTile({100, 40}, 27);
            click(slotAt(27));
            drop(27, name);
            const int origin = form->grid.OriginRow * 8 + form->grid.OriginCol;
            QCOMPARE(in(name, state(27) + " @" + QString::number(origin)), in(name, "38/21 @0"));
        }
    }

    void sharpBlocks() {
        // Each pixel of the source view (its grid lines dark red) and of a slot view shows as a
        // sharp block of the screen's device pixel ratio, never blended (window.hidpi.blocks
        // runs this at 2).
        restart(true);
        dragTile({3 * 32 + 16, 2 * 32 + 16}, 9);
        const int r = qRound(form->devicePixelRatioF());
        // Each view, its logical size, and the sheet from (left, top) enlarged `factor` times.
        const std::tuple<QWidget *, int, int, int, int> views[] = {{form->Picture1, 256, 0, 0, 2},
                                                                   {view(9), 64, 48, 32, 4}};
        for (const auto &[widget, size, left, top, factor] : views) {
            const QImage got = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(got.size(), QSize(size, size) * r);
            const QImage want = enlarged(sheet, left, top, r * factor, r * size);
            for (int y = 0; y < got.height(); ++y)
                for (int x = 0; x < got.width(); ++x) {
                    const bool line = size > 64 && (x / r % 32 % 31 == 0 || y / r % 32 % 31 == 0);
                    QCOMPARE(got.pixel(x, y), line ? qRgb(128, 0, 0) : want.pixel(x, y));
                }
        }
    }

    void sourceViewGestures() {
        // Steps at window points, the view's own: m a move; L, R a left, right press and l, r its
        // release; D a left double click; S a left press and release that reach the window alone,
        // no move before them (as when a window that covered the view has gone). Then the cursor
        // cell as each drag started, the cursor after, and slot 27 after a drop of each drag.
        const char *rows[][3] = {
            {"a move", "m100,40", "drags , cursor 3,1, slot /0"},
            {"moves off the view, a button held", "m100,40 R100,40 m40,300 m-40,20 m300,10 r300,10",
             "drags , cursor 3,1, slot /0"},
            {"a left press off the view, the right held",
             "m100,20 R100,20 m40,300 L40,300 m296,32 l296,32 r296,32",
             "drags , cursor 3,0, slot /0"},
            {"a left press on the view, the right held", "R100,20 L200,100 l200,100 r200,100",
             "drags 6,3, cursor 6,3, slot 108/21"},
            {"a double click", "D100,40", "drags 3,1 3,1, cursor 3,1, slot 38/21"},
            {"a press with no move before it", "m100,40 S200,200",
             "drags 6,6, cursor 6,6, slot 204/21"},
            {"grid lines crossing at (31, 31)", "m100,40 L31,31 l31,31",
             "drags 0,0, cursor 0,0, slot 0/21"},
            {"grid lines crossing at (32, 32)", "L32,32 l32,32",
             "drags 1,1, cursor 1,1, slot 34/21"},
            {"grid lines crossing at (0, 0)", "m100,40 S0,0", "drags 0,0, cursor 0,0, slot 0/21"},
            {"a left press at x == 256, the right held",
             "m100,20 R100,20 m256,20 L256,20 l256,20 r256,20", "drags , cursor 3,0, slot /0"},
            {"a left press at y == 256, the right held",
             "m20,100 R20,100 m20,256 L20,256 l20,256 r20,256", "drags , cursor 0,3, slot /0"},
            {"grid lines crossing at (255, 255)", "L255,255 l255,255",
             "drags 7,7, cursor 7,7, slot 238/21"}};
        for (const auto &[row, steps, expected] : rows) {
            restart(true);
            const DragWatch drags(*this, form->Picture1);
            for (const QString &step : QString(steps).split(' ')) {
                const QStringList xy = step.mid(1).split(',');
                const QPoint at(xy[0].toInt(), xy[1].toInt());
                const Qt::MouseButton button =
                    QString("LlDS").contains(step[0]) ? Qt::LeftButton : Qt::RightButton;
                if (step[0] == 'm') QTest::mouseMove(win(), at);
                if (step[0].isUpper() && step[0] != 'D' && step[0] != 'S')
                    QTest::mousePress(win(), button, {}, at);
                if (step[0].isLower() && step[0] != 'm') QTest::mouseRelease(win(), button, {}, at);
                if (step[0] == 'D') QTest::mouseDClick(win(), button, {}, at);
                for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                    QMouseEvent bare(type, at, form->mapToGlobal(at), button,
                                     type == QEvent::MouseButtonPress ? button : Qt::NoButton, {});
                    if (step[0] == 'S') QApplication::sendEvent(win(), &bare);
                }
            }
            for (qsizetype n = 0; n < drags.started.size(); ++n) drop(27, "Picture1");
            QCOMPARE(in(row, QString("drags %1, cursor %2, slot %3")
                                 .arg(drags.started.join(' '), cursor(), state(27))),
                     in(row, expected));
        }
    }

    void dropFromAnotherProgram() {
        // Offscreen Qt names no source for a drag, as for one from another program: refused as
        // it enters, though it carries a control's name (routed drops: xcb_test.cpp).
        restart(true);
        QMimeData data;
        data.setData(controlMimeType(), "Picture1");
        QDragEnterEvent enter({32, 32}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(view(27), &enter);
        QVERIFY(!enter.isAccepted());
    }

    void originButton() {
        // A left press drags it and never clicks it; Return neither.
        restart(true);
        QCOMPARE(form->Command4->toolTip(), QStringLiteral("Origin"));
        const DragWatch drags(*this, form->Command4);
        QSignalSpy clicks(form->Command4, &QAbstractButton::clicked);
        click(form->Command4->geometry().center());
        QTest::mouseDClick(win(), Qt::LeftButton, {}, form->Command4->geometry().center());
        QCOMPARE(drags.started.size(), 3);
        QCOMPARE(clicks.size(), 0);
    }

    void keysOnFocusedButtons() {
        // The focused button, the key (with its keypad or other modifier); what it did.
        const std::tuple<const char *, const char *, Qt::Key, Qt::KeyboardModifiers, const char *>
            rows[] = {
                {"Load Image, Return", "Command1", Qt::Key_Return, {}, "dialog"},
                {"Load Image, Enter", "Command1", Qt::Key_Enter, Qt::KeypadModifier, "dialog"},
                {"Load Image, Space", "Command1", Qt::Key_Space, {}, "dialog"},
                {"Load Image, Ctrl+Return", "Command1", Qt::Key_Return, Qt::ControlModifier, ""},
                {"export, Return", "Command3", Qt::Key_Return, {}, "export"},
                {"export, Enter", "Command3", Qt::Key_Enter, Qt::KeypadModifier, "export"},
                {"export, Space", "Command3", Qt::Key_Space, {}, "export"},
                {"export, Shift+Enter", "Command3", Qt::Key_Enter, Qt::ShiftModifier, ""},
                {"export, Escape", "Command3", Qt::Key_Escape, {}, ""}};
        for (const auto &[row, button, key, modifiers, acted] : rows) {
            restart(false);
            form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(form.get()));
            form->findChild<QWidget *>(button)->setFocus(Qt::TabFocusReason);
            QGuiApplication::clipboard()->setText("earlier text");
            int dialogs = 0;
            const ScopedDialogFunctions dialog(
                [&dialogs](OPENFILENAMEA *) { return ++dialogs, 0; });
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            const bool exported = clipboard() == "DC.w $0000\r\n";
            QCOMPARE(in(row, QString("dialog").repeated(dialogs) + (exported ? "export" : "")),
                     in(row, acted));
            QCOMPARE(in(row, QApplication::focusWidget()->objectName()), in(row, button));
        }
    }

    void loadWhileItsDialogWaits() {
        // The dialog has no owner: while it waits the window works, a second press loads on a
        // dialog of its own, and cancelling the first one afterwards takes nothing back. Each
        // starts from the images filter and an empty name.
        restart(false);
        const QByteArray fresh("Images\0*.gif;*.jpg;*.bmp\0", 26); // the filter, then the name
        QList<QByteArray> records;
        const ScopedDialogFunctions dialog([&](OPENFILENAMEA *rec) {
            records << QByteArray(rec->lpstrFilter, fresh.size()) + rec->lpstrFile;
            if (records.size() > 1) return answerWithPath(rec, name("sheet.bmp"));
            click(slotAt(5));
            QTest::mouseClick(form->Command1, Qt::LeftButton);
            return 0;
        });
        QCOMPARE(reportDuring([&] { QTest::mouseClick(form->Command1, Qt::LeftButton); }),
                 QString());
        QCOMPARE(records, QList<QByteArray>({fresh, fresh}));
        QCOMPARE(form->ImagePath, dir.filePath("sheet.bmp"));
        QCOMPARE(imageOf(form->grid.source), viewOf(sheet));
        QCOMPARE(state(5), QStringLiteral("/61"));
    }

    void loading() {
        // Row, a sheet loaded first, the dialog's answer, the report, what the view shows after.
        // (Loads and refusals of each kind of file, the view and the slots kept: the random
        // session's hostile files.)
        const std::tuple<const char *, bool, QByteArray, QString, QImage> rows[] = {
            {"64x64, NUL", true, name("small.bmp") + "/x.bmp", "", lopsidedSheet(64, 64)},
            {"no NUL", false, longName, "", sheet},
            {"cancelled after a load", true, {}, "", sheet},
            {"text", true, name("text.gif"),
             "Mosaikon: Run-time error '481':\n\nInvalid picture: Unsupported image format",
             sheet}};
        for (const auto &[row, before, answer, report, shows] : rows) {
            restart(before);
            dragTile({100, 40}, 3);
            SlotGrid grid = form->grid;
            QCOMPARE(in(row, load(answer)), in(row, report));
            const QByteArray given = answer.isNull() && before ? name("sheet.bmp") : answer;
            QCOMPARE(in(row, form->ImagePath), in(row, QString::fromLocal8Bit(given.constData())));
            QVERIFY2(imageOf(form->grid.source) == viewOf(shows), row);
            for (int i = 0; i < ViewSize * ViewSize; ++i) // opaque, whatever the reader left
                QVERIFY2(qAlpha(form->grid.source.pixel(i % ViewSize, i / ViewSize)) == 255, row);
            grid.source = form->grid.source;
            QVERIFY2(form->grid == grid, row); // the slots keep theirs
            dragTile({100, 40}, 5);
            QCOMPARE(in(row, state(5)), in(row, "38/21"));
            QVERIFY2(slotImage(5) == slotTile(shows, 38), row);
        }
    }

    void cornerOverBlack() {
        // Whatever format a reader gives, the loaded corner is the picture drawn over black, as
        // QPainter draws it, every pixel opaque; at most the top-left 128 x 128 pixels are kept.
        QImage argb(200, 150, QImage::Format_ARGB32), junk = lopsidedSheet(200, 150);
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x) {
                argb.setPixel(x, y, qRgba(x, y, x ^ y, (x * 7 + y * 3) & 0xFF));
                reinterpret_cast<QRgb *>(junk.scanLine(y))[x] &= 0x00FFFFFFu | uint(x) << 24;
            }
        QImage indexed = lopsidedSheet(130, 140, true);
        QList<QRgb> table = indexed.colorTable();
        for (qsizetype i = 0; i < table.size(); i += 3)
            table[i] &= uint(i * 5 % 256) << 24 | 0xFFFFFF;
        indexed.setColorTable(table);
        const std::pair<const char *, QImage> rows[] = {
            {"rgb32 with a top byte", junk},
            {"argb32", argb},
            {"premultiplied", argb.convertToFormat(QImage::Format_ARGB32_Premultiplied)},
            {"indexed, some entries transparent", indexed},
            {"indexed, opaque", lopsidedSheet(100, 60, true)},
            {"grey", junk.convertToFormat(QImage::Format_Grayscale8)},
            {"mono", junk.convertToFormat(QImage::Format_Mono)},
            {"rgb16", junk.convertToFormat(QImage::Format_RGB16)},
            {"rgba64", argb.convertToFormat(QImage::Format_RGBA64)},
            {"small argb32", argb.copy(10, 10, 50, 40)}};
        for (const auto &[row, image] : rows) {
            QImage want(std::min(image.width(), 128), std::min(image.height(), 128),
                        QImage::Format_RGB32);
            want.fill(Qt::black);
            QPainter(&want).drawImage(QPoint(0, 0), image, want.rect());
            const PixelSurface got = opaqueCorner(image);
            QCOMPARE(in(row, QString::number(got.width()) + 'x' + QString::number(got.height())),
                     in(row, QString::number(want.width()) + 'x' + QString::number(want.height())));
            for (int y = 0; y < want.height(); ++y)
                for (int x = 0; x < want.width(); ++x)
                    QVERIFY2(got.pixel(x, y) == (0xFF000000u | want.pixel(x, y)), row);
        }
    }

    void accessibleTexts() {
        // What assistive technology reads, after each gesture of one session: the description of
        // the source view (-1) or of a slot view, and the slot views' names.
        restart(false);
        const auto text = [](QWidget *w, QAccessible::Text t) {
            return QAccessible::queryAccessibleInterface(w)->text(t);
        };
        for (int i : {0, 27, 63})
            QCOMPARE(text(view(i), QAccessible::Name),
                     QStringLiteral("Slot %1, column %2, row %3").arg(i).arg(i % 8).arg(i / 8));
        QCOMPARE(text(form->Picture1, QAccessible::Name), QStringLiteral("Sprite sheet"));
        const QString sheetPath = dir.filePath("sheet.bmp");
        const std::tuple<const char *, std::function<void()>, int, QString> rows[] = {
            {"start", [] {}, -1, "No picture loaded; drag a tile onto a slot"},
            {"start", [] {}, 0, "Empty, origin"},
            {"drop", [&] { dragTile(QPoint(100, 40), 27); }, 27, "Tile 38, not flipped"},
            {"click", [&] { click(slotAt(27)); }, 27, "Tile 38, flipped left to right"},
            {"origin", [&] { drop(27, OriginButtonName); }, 27,
             "Tile 38, flipped left to right, origin"},
            {"origin", [] {}, 0, "Empty"},
            {"failed load", [&] { load(name("missing.bmp")); }, -1,
             "No picture loaded; drag a tile onto a slot"},
            {"load", [&] { load(name("sheet.bmp")); }, -1,
             sheetPath + ": its top-left 128 by 128 pixels, enlarged twice"},
            {"right click", [&] { click(slotAt(27), 2); }, 27, "Empty, origin"}};
        for (const auto &[gesture, act, target, description] : rows) {
            act();
            QWidget *widget = target < 0 ? form->Picture1 : static_cast<QWidget *>(view(target));
            QCOMPARE(in(gesture, text(widget, QAccessible::Description)), in(gesture, description));
        }
    }

    void exportOverflowKeepsTheClipboard() {
        // A tile number no gesture gives raises Overflow: the clipboard keeps its text, and the
        // program goes on. (The tables: the core's BuildSpriteTable, the random session reading
        // the clipboard, realwindow.sh through the assembler.)
        restart(true);
        dragTile({16, 16}, 0);
        dragTile({48, 48}, 9);
        QGuiApplication::clipboard()->setText("earlier text");
        form->grid.slots[0].Tag = "256";
        const SlotGrid grid = form->grid;
        QCOMPARE(reportDuring([&] { exportNow(); }), "Mosaikon: Run-time error '6':\n\nOverflow");
        QCOMPARE(clipboard(), "earlier text");
        QVERIFY(form->grid == grid);
        click(slotAt(0), 2);
        exportNow();
        QCOMPARE(clipboard(), "DC.w $0001\r\nDC.b $10,$80,$10,$22,$21\r\n");
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"

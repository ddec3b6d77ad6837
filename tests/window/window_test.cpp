// The window in-process. Offscreen: gestures routed through it, real files, the real clipboard, a
// fake dialog. On xcb under tests/with-xvfb, no clipboard manager (window.xcb names the functions,
// which skip elsewhere): drops Qt routes during a real drag; what the program keeps on the
// clipboard for after its end (realwindow.sh: the rest); the export while another client holds
// CLIPBOARD, taken after the program's last X event, so that the server ignores the program's older
// time: it must report 521, change nothing, leave the text, and work once caught up.

#include "adjustmentbox.h"
#include "clipboard.h"
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
#include <QDir>
#include <QDrag>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cstring>
#include <unistd.h>

#include <X11/Xlib.h> // after Qt's headers: its macros would break them

using namespace mosaikon;
using namespace mosaikon::testing;

class WindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    const QImage sheet = lopsidedSheet(300, 280);
    QByteArray longName; // 261 bytes: fills the dialog's name buffer, leaving no NUL
    std::unique_ptr<Form1> form;
    // A connection of the test's own: the program's would answer only as the program runs.
    const std::unique_ptr<Display, int (*)(Display *)> dpy{XOpenDisplay(nullptr), XCloseDisplay};
    // Processes started from here inherit this variable: a keeper is one of them.
    const QByteArray markerName = "MOSAIKON_KEEPCLIPBOARD_TEST",
                     markerValue = QByteArray::number(getpid());

    // The other processes that carry the marker.
    QStringList keepers() const {
        QStringList found;
        for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile variables(QStringLiteral("/proc/%1/environ").arg(pid));
            if (pid.toInt() == getpid() || !variables.open(QIODevice::ReadOnly)) continue;
            if (variables.readAll().split('\0').contains(markerName + '=' + markerValue))
                found << pid;
        }
        return found;
    }
    // The X window that owns CLIPBOARD, 0 for none.
    unsigned long owner() const {
        return XGetSelectionOwner(dpy.get(), XInternAtom(dpy.get(), "CLIPBOARD", 0));
    }
    // Another client (xclip, no keeper: unmarked) takes the clipboard, fed without an event loop:
    // the program handles no event meanwhile, so Qt still believes it owns it. The wait is bounded
    // only against a hang.
    void takeUnseen(QProcess &xclip) {
        const unsigned long before = owner();
        xclip.start(QStringLiteral("env"),
                    {"-u", markerName, "xclip", "-quiet", "-selection", "clipboard"});
        QVERIFY(xclip.waitForStarted() && xclip.write("another program's text") > 0);
        QVERIFY(xclip.waitForBytesWritten());
        xclip.closeWriteChannel();
        for (int i = 0; i < 2500 && (owner() == before || owner() == 0); ++i) QThread::msleep(2);
        QVERIFY(owner() != before && owner() != 0);
    }

    static QString in(const char *row, const QString &value) { return row + (": " + value); }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
    QByteArray name(const char *file) const { return dir.filePath(file).toLocal8Bit() + '\0'; }
    void restart(bool withSheet) {
        form = startWindow();
        drags.clear();
        if (withSheet) QCOMPARE(load(name("sheet.bmp")), QString());
    }
    QWindow *win() const { return form->windowHandle(); }
    PictureArea *view(int i) const { return form->SpritePicture1.at(std::size_t(i)); }
    QPoint slotAt(int i) const { return view(i)->mapTo(form.get(), QPoint(32, 32)); }
    QString state(int i) const { // "Tag/attr in hex", as "38/61"
        return QString::fromStdString(form->grid.slots.at(std::size_t(i)).Tag) + '/' +
               QString::number(form->grid.SlotAttr.at(std::size_t(i)), 16);
    }
    void click(QPoint at, int b = 1) { QTest::mouseClick(win(), Qt::MouseButton(b), {}, at); }
    void exportNow() { click(form->Command3->geometry().center()); }
    void drop(int slot, const QByteArray &source) { dropControl(view(slot), source); }
    QString cursor() const {
        return QString("%1,%2").arg(form->grid.CursorCol).arg(form->grid.CursorRow);
    }
    // The tile cursor as each drag from a control this filters started, since the window started:
    // a drag makes its QDrag, no widget, a child of the control dragged.
    QStringList drags;
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::ChildAdded &&
            !static_cast<QChildEvent *>(e)->child()->isWidgetType())
            drags << cursor();
        return false;
    }
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

    static bool onXcb() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(qputenv(markerName, markerValue));
        longName = dir.filePath("long").toLocal8Bit().leftJustified(261 - 4, 'x') + ".bmp";
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
            const QImage shown = view(i)->grab().toImage();
            for (QPoint p : {QPoint(32, 32), QPoint(0, 0), QPoint(63, 30), QPoint(30, 63)})
                QCOMPARE(shown.pixel(p) != 0xFF404040, i == 0 && p.x() != 32); // grey, or a border
        }

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
        QCOMPARE(form->Check1->value() + form->Check2->value(), 0);
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
            {"a left press off the view, the right held",
             "m100,20 R100,20 m40,300 L40,300 m296,32 l296,32 r296,32",
             "drags , cursor 3,0, slot /0"},
            {"a left press on the view, the right held", "R100,20 L200,100 l200,100 r200,100",
             "drags 6,3, cursor 6,3, slot 108/21"},
            {"a double click", "D100,40", "drags 3,1 3,1, cursor 3,1, slot 38/21"},
            {"a press with no move before it", "m100,40 S200,200",
             "drags 6,6, cursor 6,6, slot 204/21"},
            {"grid lines crossing at (0, 0)", "m100,40 S0,0", "drags 0,0, cursor 0,0, slot 0/21"},
            {"a left press at x == 256, the right held",
             "m100,20 R100,20 m256,20 L256,20 l256,20 r256,20", "drags , cursor 3,0, slot /0"},
            {"a left press at y == 256, the right held",
             "m20,100 R20,100 m20,256 L20,256 l20,256 r20,256", "drags , cursor 0,3, slot /0"},
            {"grid lines crossing at (255, 255)", "L255,255 l255,255",
             "drags 7,7, cursor 7,7, slot 238/21"}};
        for (const auto &[row, steps, expected] : rows) {
            restart(true);
            form->Picture1->installEventFilter(this);
            for (const QString &step : QString(steps).split(' ')) {
                const QStringList xy = step.mid(1).split(',');
                const QPoint at(xy[0].toInt(), xy[1].toInt());
                const char c = step[0].toLatin1();
                const auto button = std::strchr("LlDS", c) ? Qt::LeftButton : Qt::RightButton;
                if (c == 'm') QTest::mouseMove(win(), at);
                if (c == 'L' || c == 'R') QTest::mousePress(win(), button, {}, at);
                if (c == 'l' || c == 'r') QTest::mouseRelease(win(), button, {}, at);
                if (c == 'D') QTest::mouseDClick(win(), button, {}, at);
                for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                    QMouseEvent bare(type, at, form->mapToGlobal(at), button,
                                     type == QEvent::MouseButtonPress ? button : Qt::NoButton, {});
                    if (c == 'S') QApplication::sendEvent(win(), &bare);
                }
            }
            for (qsizetype n = 0; n < drags.size(); ++n) drop(27, "Picture1");
            QCOMPARE(in(row, QString("drags %1, cursor %2, slot %3")
                                 .arg(drags.join(' '), cursor(), state(27))),
                     in(row, expected));
        }
    }

    void originButton() {
        // A left press drags it and never clicks it; Return neither.
        restart(true);
        QCOMPARE(form->Command4->toolTip(), QStringLiteral("Origin"));
        form->Command4->installEventFilter(this);
        QSignalSpy clicks(form->Command4, &QAbstractButton::clicked);
        click(form->Command4->geometry().center());
        QTest::mouseDClick(win(), Qt::LeftButton, {}, form->Command4->geometry().center());
        QCOMPARE(drags.size(), 3);
        QCOMPARE(clicks.size(), 0);
    }

    void keysOnFocusedButtons() {
        // The focused button, the key (with its keypad or other modifier); what it did.
        restart(false);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        int dialogs = 0;
        const ScopedDialogFunctions dialog([&dialogs](OPENFILENAMEA *) { return ++dialogs, 0; });
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
            form->findChild<QWidget *>(button)->setFocus(Qt::TabFocusReason);
            QGuiApplication::clipboard()->setText("earlier text");
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            const QString exported = clipboard() == "DC.w $0000\r\n" ? "export" : "";
            QCOMPARE(in(row, QString("dialog").repeated(std::exchange(dialogs, 0)) + exported),
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
        QCOMPARE(reportDuring([&] { click(form->Command1->geometry().center()); }), QString());
        QCOMPARE(records, QList<QByteArray>({fresh, fresh}));
        QCOMPARE(imageOf(form->grid.source), viewOf(sheet));
        QCOMPARE(state(5), QStringLiteral("/61"));
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
        for (int i = 0; i < indexed.colorCount(); i += 3) // some entries transparent, some not
            indexed.setColor(i, indexed.color(i) & (uint(i * 5 % 256) << 24 | 0xFFFFFF));
        const std::pair<const char *, QImage> rows[] = {
            {"rgb32 with a top byte", junk},
            {"argb32", argb},
            {"premultiplied", argb.convertToFormat(QImage::Format_ARGB32_Premultiplied)},
            {"indexed, some entries transparent", indexed},
            {"indexed, opaque", lopsidedSheet(100, 60, true)},
            {"grey", junk.convertToFormat(QImage::Format_Grayscale8)},
            {"mono", junk.convertToFormat(QImage::Format_Mono)},
            {"rgb16", junk.convertToFormat(QImage::Format_RGB16)},
            {"rgba64", argb.convertToFormat(QImage::Format_RGBA64)}};
        for (const auto &[row, image] : rows) {
            QImage want(std::min(image.width(), 128), std::min(image.height(), 128),
                        QImage::Format_RGB32);
            want.fill(Qt::black);
            QPainter(&want).drawImage(QPoint(0, 0), image, want.rect());
            QImage got = imageOf(opaqueCorner(image)); // as stored, the top byte too: 0xFF
            QVERIFY(got.reinterpretAsFormat(QImage::Format_ARGB32));
            QVERIFY2(got == want.convertToFormat(QImage::Format_ARGB32), row);
        }
    }

    void accessibleTexts() {
        // What assistive technology reads, after each gesture of one session, and the report it
        // showed: the description of the source view (-1) or of a slot view, and the slot views'
        // names. A load names its sheet by the dialog's answer up to its NUL, or by all 261 bytes.
        restart(false);
        const auto text = [](QWidget *w, QAccessible::Text t) {
            return QAccessible::queryAccessibleInterface(w)->text(t);
        };
        for (int i : {0, 27, 63})
            QCOMPARE(text(view(i), QAccessible::Name),
                     QStringLiteral("Slot %1, column %2, row %3").arg(i).arg(i % 8).arg(i / 8));
        QCOMPARE(text(form->Picture1, QAccessible::Name), QStringLiteral("Sprite sheet"));
        const QString none = "No picture loaded; drag a tile onto a slot",
                      loaded = ": its top-left 128 by 128 pixels, enlarged twice",
                      small = dir.filePath("small.bmp") + loaded;
        QString report;
        const std::tuple<const char *, std::function<void()>, int, QString, QString> rows[] = {
            {"start", [] {}, -1, "", none},
            {"start", [] {}, 0, "", "Empty, origin"},
            {"drop", [&] { dragTile(QPoint(100, 40), 27); }, 27, "", "Tile 38, not flipped"},
            {"click", [&] { click(slotAt(27)); }, 27, "", "Tile 38, flipped left to right"},
            {"origin", [&] { drop(27, OriginButtonName); }, 27, "",
             "Tile 38, flipped left to right, origin"},
            {"origin", [] {}, 0, "", "Empty"},
            {"no picture", [&] { report = load(name("text.gif")); }, -1,
             "Mosaikon: Run-time error '481':\n\nInvalid picture: Unsupported image format", none},
            {"NUL", [&] { report = load(name("small.bmp") + "/x.bmp"); }, -1, "", small},
            {"cancel", [&] { report = load({}); }, -1, "", small},
            {"no NUL", [&] { report = load(longName); }, -1, "", longName + loaded},
            {"right click", [&] { click(slotAt(27), 2); }, 27, "", "Empty, origin"}};
        for (const auto &[gesture, act, target, shown, description] : rows) {
            act();
            QWidget *widget = target < 0 ? form->Picture1 : static_cast<QWidget *>(view(target));
            QCOMPARE(in(gesture, text(widget, QAccessible::Description)), in(gesture, description));
            QCOMPARE(in(gesture, std::exchange(report, {})), in(gesture, shown));
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

    void drops_data() {
        // What the drag carries (a control's name, or text), the window point it is released at;
        // whether it was taken, slot 27 and the origin after. Only the origin button's exact
        // name moves the origin; any other control's name drops the tile under the cursor. The
        // same data from no drag of this program (Qt names no source) is refused as it enters.
        QTest::addColumn<QString>("carries");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QString>("expected");
        const std::tuple<const char *, const char *, QPointF, const char *> rows[] = {
            {"tile, slot's top-left", "Picture1", {456, 192}, "taken 38/21 @0"},
            {"tile, slot's bottom-right", "Picture1", {519, 255}, "taken 38/21 @0"},
            {"tile, slot's left edge", "Picture1", {456.4, 253.5}, "taken 38/21 @0"},
            {"origin on a slot", OriginButtonName, {461, 252}, "taken /0 @27"},
            {"origin's name in lower case", "command4", {488, 224}, "taken 38/21 @0"},
            {"origin's name and more", "Command44", {488, 224}, "taken 38/21 @0"},
            {"text from this program", "text", {488, 224}, "refused /0 @0"},
            {"origin on Load Image", OriginButtonName, {9, 265}, "refused /0 @0"},
            {"origin on a box", OriginButtonName, {17, 377}, "refused /0 @0"},
            {"origin on the source view", OriginButtonName, {9, 9}, "refused /0 @0"},
            {"origin on the window", OriginButtonName, {220, 470}, "refused /0 @0"},
            {"origin on itself", OriginButtonName, {169, 377}, "refused /0 @0"}};
        for (const auto &[row, carries, at, expected] : rows)
            QTest::newRow(row) << carries << at << expected;
    }
    void drops() {
        QFETCH(QString, carries);
        QFETCH(QPointF, at);
        QFETCH(QString, expected);
        if (!onXcb()) QSKIP("a real drag: window.xcb");
        restart(false);
        QMimeData data;
        data.setData(carries == "text" ? "text/plain" : controlMimeType(), carries.toLatin1());
        QString taken;
        QTest::mouseMove(win(), {100, 40});
        QTimer::singleShot(0, [&] { // in the drag's own event loop: Qt names the drag's source
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
            QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            for (QEvent *e : std::initializer_list<QEvent *>{&enter, &move, &drop})
                QApplication::sendEvent(win(), e);
            taken = drop.isAccepted() ? "taken " : "refused ";
            QDrag::cancel();
        });
        QTest::mousePress(win(), Qt::LeftButton, {}, {100, 40});
        QTest::mouseRelease(win(), Qt::LeftButton, {}, {100, 40});
        QDragEnterEvent outside(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(win(), &outside); // no drag runs, as for one from another program
        QVERIFY(!outside.isAccepted());
        const int origin = form->grid.OriginRow * 8 + form->grid.OriginCol;
        QCOMPARE(taken + state(27) + " @" + QString::number(origin), expected);
    }

    void keepsOnlyTheExportItStillOwns_data() {
        // Only the last export is kept, only while the program still owns CLIPBOARD, also when Qt
        // has not yet seen another client take it.
        QTest::addColumn<QString>("after"); // what happens between the export and the end
        QTest::addColumn<bool>("kept");
        QTest::newRow("no export") << "none" << false;
        QTest::newRow("nothing") << "" << true;
        QTest::newRow("own other text") << "copied path" << false;
        QTest::newRow("taken, not yet seen") << "taken" << false;
    }
    void keepsOnlyTheExportItStillOwns() {
        QFETCH(QString, after);
        QFETCH(bool, kept);
        if (!onXcb()) QSKIP("a real clipboard: window.xcb");
        restart(false);
        form->SpritePicture1_DragDrop(9, QStringLiteral("Picture1"), 0, 0);
        QTest::qWait(100); // the program knows the server's time again, and so around the export
        if (after != QLatin1String("none")) form->Command3_Click();
        QTest::qWait(100);
        QProcess other;
        if (after == QLatin1String("copied path"))
            QGuiApplication::clipboard()->setText(QStringLiteral("/home/user/sheet.gif"));
        if (after == QLatin1String("taken")) {
            takeUnseen(other);
            QVERIFY(QGuiApplication::clipboard()->ownsClipboard());
        }
        const unsigned long before = owner();
        keepClipboardAfterExit();
        QCOMPARE(keepers().size(), kept ? 1 : 0);
        if (!kept) {
            QCOMPARE(owner(), before);
            return;
        }
        // A keeper slowed by a loaded machine takes over later: only then may another client
        // take the clipboard from it, or the keeper would take it back.
        QTRY_VERIFY_WITH_TIMEOUT(owner() != before && owner() != 0, 10000);
        takeUnseen(other); // the keeper gives way and ends
        QTRY_VERIFY_WITH_TIMEOUT(keepers().isEmpty(), 10000);
    }

    void exportFailsWhileAnotherClientHoldsTheClipboard() {
        if (!onXcb()) QSKIP("a real clipboard: window.xcb");
        restart(false); // something to export: a flipped tile, the origin elsewhere
        form->SpritePicture1_DragDrop(0, QStringLiteral("Picture1"), 0, 0);
        form->SpritePicture1_Click(0);
        form->SpritePicture1_DragDrop(9, QString::fromLatin1(OriginButtonName), 0, 0);
        QCOMPARE(reportedError([&] { exportNow(); }), 0);
        QTest::qWait(100); // the program handles what the server sent: it knows its time again
        const unsigned long program = owner();
        QVERIFY(program != 0);
        QProcess xclip;
        takeUnseen(xclip);
        const SlotGrid before = form->grid;
        QCOMPARE(reportedError([&] { exportNow(); }), 521);
        QVERIFY(form->grid == before);
        QCOMPARE(clipboard(), QStringLiteral("another program's text"));
        QTest::qWait(100); // a later export works
        QCOMPARE(reportedError([&] { exportNow(); }), 0);
        QTest::qWait(100);
        QCOMPARE(owner(), program);
        QCOMPARE(clipboard(), "DC.w $0001\r\nDC.b $F0,$81,$F0,$00,$61\r\n");
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"

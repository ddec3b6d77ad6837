#pragma once

// What the reliability tests share: the window, the error a gesture reports, and a session of
// random gestures told to a small model of what the window must show.

#include "adjustmentbox.h"
#include "controldrag.h"
#include "dialogseam.h"
#include "error.h"
#include "form1.h"
#include "hostilefiles.h"
#include "imagefiles.h"
#include "module1.h"
#include "picturearea.h"
#include "picturecompare.h"
#include "spritetable.h"

#include <QtTest>
#include <QtWidgets>

#include <optional>
#include <random>

namespace mosaikon::testing {

inline std::unique_ptr<Form1> startWindow() {
    auto form = Module1::Main();
    if (!QTest::qWaitForWindowExposed(form->windowHandle())) qWarning("the window was not exposed");
    return form;
}

// Runs `gesture`, closing each report it shows as a user would. Returns the error number the
// last one names: 0 when none showed, -1 for a box that is not the program's error report.
inline int reportedError(const std::function<void()> &gesture) {
    int error = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&error] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        static const QRegularExpression report(QStringLiteral("^Run-time error '(\\d+)':\n\n\\S"));
        const QRegularExpressionMatch match = report.match(box->text());
        const bool ours = match.hasMatch() && box->objectName() == QLatin1String("errorReport");
        error = ours ? match.captured(1).toInt() : -1;
        box->done(QMessageBox::Ok);
    });
    closer.start(5);
    gesture();
    return error;
}

// A sheet as the view shows it: its top-left 128 x 128 pixels doubled, over black.
inline QImage viewOf(const QImage &sheet) {
    const QImage over = sheet.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage view(ViewSize, ViewSize, QImage::Format_RGB32);
    for (int y = 0; y < ViewSize; ++y)
        for (int x = 0; x < ViewSize; ++x)
            view.setPixel(x, y, over.valid(x / 2, y / 2) ? over.pixel(x / 2, y / 2) : 0);
    return view;
}

// What the export would write now, or "error N"; asking changes nothing.
inline QString exportText(const Form1 &form) {
    try {
        return QString::fromStdString(
            BuildSpriteTable(form.grid, form.Check2->value() == 1, form.Check1->value() == 1));
    } catch (const Error &e) {
        return QStringLiteral("error %1").arg(e.number());
    }
}

constexpr int View = -1, Elsewhere = -2; // what a point is on, if not a slot (its index)

inline QImage emptySlot() {
    QImage grey(SlotSize, SlotSize, QImage::Format_RGB32);
    grey.fill(qRgb(64, 64, 64));
    return grey;
}

struct Session {
    Form1 &form;
    std::mt19937_64 random;
    QList<std::pair<QString, int>> files; // to load, with what loading must end as (hostilefiles.h)
    // The model, from the rules the user relies on alone; tiles as dropped, before any flip.
    QList<QString> tags = QList<QString>(SlotCount);
    QList<int> attrs = QList<int>(SlotCount, 0);
    // A null picture is one the test cannot know (see load) and is not compared.
    QList<QImage> tiles = QList<QImage>(SlotCount, emptySlot());
    int origin = 0;
    QPoint cursor = {};
    QImage view = viewOf({});
    std::optional<QPoint> last = {}; // where the platform last saw the pointer

    int below(int n) { return int(random() % quint64(n)); }
    PictureArea *slotView(int i) const { return form.SpritePicture1.at(std::size_t(i)); }
    int hitAt(QPoint p) const {
        for (int i = 0; i < SlotCount; ++i)
            if (slotView(i)->geometry().contains(p)) return i;
        return form.Picture1->geometry().contains(p) ? View : Elsewhere;
    }
    // On the view, a slot or beside the window: not on a button or box (dialogs, drags) nor (0, 0).
    QPoint anyPoint() {
        const QPoint p(below(form.width() + 40) - 20, below(form.height() + 40) - 20);
        return p.isNull() || (hitAt(p) == Elsewhere && form.rect().contains(p)) ? anyPoint() : p;
    }

    // One random gesture; returns the error number its report must name, 0 for none.
    int gesture() {
        QPoint p = anyPoint();
        const auto button = Qt::MouseButton(1 << below(3)); // left, right or middle
        const int pick = below(10);
        if (pick < 2) QTest::mouseMove(form.windowHandle(), p);
        if (pick < 2) return moved(p, hitAt(p));
        if (pick < 4) return pressRelease(p, p, button);
        if (pick < 5) return pressRelease(p, anyPoint(), button);
        if (pick < 6) return doubleClick(p, button);
        if (pick < 7) return drop(below(SlotCount), below(4) == 0);
        if (pick < 8) return load(files.value(below(int(files.size()) + 1))); // or cancel it
        if (pick < 9) return exportTable();
        for (int i = 0; i < SlotCount; ++i)
            if (tags[i].toInt() < 0 || tags[i].toInt() > 255) p = slotView(i)->geometry().center();
        return pressRelease(p, p, Qt::RightButton); // tidying up a slot the export refuses
    }

    // A move to `p` reaching `control`, reported only when the position changes (and ahead of a
    // press or release elsewhere). The cursor takes the cell under a pointer on the view; a move
    // off the view, which reaches it while a button pressed there is held, leaves the cursor.
    int moved(QPoint p, int control) {
        if (last != p && control == View) pointAt(p);
        last = p;
        return 0;
    }
    void pointAt(QPoint p) {
        const QPoint pixel = p - form.Picture1->pos();
        if (QRect(0, 0, ViewSize, ViewSize).contains(pixel))
            cursor = {pixel.x() / CellSize, pixel.y() / CellSize};
    }
    int pressRelease(QPoint from, QPoint to, Qt::MouseButton button) {
        QTest::mousePress(form.windowHandle(), button, {}, from);
        QTest::mouseRelease(form.windowHandle(), button, {}, to);
        return pressed(from, to, button, false);
    }
    int doubleClick(QPoint p, Qt::MouseButton button) { // the second press as a double click
        QTest::mouseDClick(form.windowHandle(), button, {}, p);
        return pressed(p, p, button, false) + pressed(p, p, button, true);
    }
    // A press on the view puts the cursor on the cell under it, moved there or not; a left one
    // drags, the second of a double click too. The right button clears the slot it presses. The
    // release goes to the pressed control: the view follows it unless the left button dragged
    // (offscreen a drag ends at once); a slot flips (0x21, 0x61, 0xA1, 0xE1, 0x21; 0 to 0x61) but
    // for the middle button or a left double click.
    int pressed(QPoint from, QPoint to, Qt::MouseButton button, bool again) {
        const int hit = hitAt(from);
        moved(from, hit);
        if (hit == View) pointAt(from);
        moved(to, button == Qt::LeftButton && hit == View ? Elsewhere : hit);
        if (hit < 0) return 0;
        if (button == Qt::RightButton) tags[hit].clear();
        if (button == Qt::RightButton) tiles[hit] = emptySlot();
        if (hitAt(to) == hit && button != Qt::MiddleButton && !(again && button == Qt::LeftButton))
            attrs[hit] = attrs[hit] == 0xE1 ? 0x21 : (attrs[hit] | 0x21) + 0x40;
        return 0;
    }
    // Straight to the slot's view: offscreen no drag enters. A tile is the cursor's cell, a view
    // pixel a 2 x 2 block.
    int drop(int slot, bool isOrigin) {
        QMimeData data;
        data.setData(controlMimeType(), isOrigin ? "Command4" : "Picture1");
        QDropEvent event(QPointF(32, 32), Qt::CopyAction, &data, Qt::LeftButton, {});
        static_cast<QObject *>(slotView(slot))->event(&event);
        origin = isOrigin ? slot : origin;
        if (isOrigin) return 0;
        tiles[slot] = view.isNull() ? QImage() : emptySlot();
        for (int y = 0; y < SlotSize && !view.isNull(); ++y)
            for (int x = 0; x < SlotSize; ++x)
                tiles[slot].setPixel(x, y, view.pixel(cursor * CellSize + QPoint(x / 2, y / 2)));
        attrs[slot] = 0x21;
        tags[slot] = QString::number((cursor.y() * 16 + cursor.x()) * 2);
        return 0;
    }
    // "Load Image" (an empty path cancels). The view shows the picture as the test decodes it
    // itself; one it cannot (a header claiming more than a whole decode may take) leaves the view
    // unknown, and with it the tiles dropped from it, until they are replaced.
    int load(const std::pair<QString, int> &file) {
        const auto &[path, expect] = file;
        const ScopedDialogFunctions dialog([record = toRecordText(path)](OPENFILENAMEA *rec) {
            return record.isEmpty() ? 0 : answerWithPath(rec, record);
        });
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        if (path.isEmpty()) return 0;
        const QImage read = expect <= Loads ? decodedPicture(path) : QImage(); // never a FIFO
        const int error = expect == AsQtReads && read.isNull() ? 481 : qMax(expect, 0);
        if (error == 0) view = read.isNull() ? QImage() : viewOf(read);
        return error;
    }
    int exportTable() { // with the boxes checked, grayed or not
        form.Check2->setCheckState(Qt::CheckState(below(3)));
        form.Check1->setCheckState(Qt::CheckState(below(3)));
        QTest::mouseClick(form.Command3, Qt::LeftButton);
        return table().startsWith(QLatin1String("error")) ? 6 : 0;
    }

    // A slot shows its tile mirrored left to right by attribute bit 6, top to bottom by bit 7.
    QImage shown(int i) const { return tiles[i].mirrored(attrs[i] & 0x40, attrs[i] & 0x80); }
    // The export: a count, then each used slot's offset from the origin (16 pixels a slot, less 8
    // where a box is checked, not grayed); "error 6" for a tile number outside 0..255.
    QString table() const {
        const QPoint adjust(form.Check2->checkState() == Qt::Checked ? 8 : 0,
                            form.Check1->checkState() == Qt::Checked ? 8 : 0);
        QString text = QString::asprintf("DC.w $%04X\r\n", int(SlotCount - tags.count(QString())));
        for (int i = 0; i < SlotCount; ++i) {
            const int tile = tags[i].toInt();
            const QPoint d = QPoint(i % 8 - origin % 8, i / 8 - origin / 8) * 16 - adjust;
            if (!tags[i].isEmpty() && (tile < 0 || tile > 255)) return QStringLiteral("error 6");
            if (!tags[i].isEmpty())
                text += QString::asprintf("DC.b $%02X,$%02X,$%02X,$%02X,$%02X\r\n", d.x() & 0xFF,
                                          d.x() < 0 ? 0x81 : 0x80, d.y() & 0xFF, tile, attrs[i]);
        }
        return text;
    }
};

// How the window differs from the model. (Outside the class: moc takes `slots` there for Qt's.)
inline QString difference(const Session &s) {
    for (int i = 0; i < SlotCount; ++i) {
        const Slot &slot = s.form.grid.slots.at(std::size_t(i));
        if (slot.BorderStyle != (i == s.origin) ||
            s.slotView(i)->BorderStyle() != (i == s.origin) ||
            QString::fromStdString(slot.Tag) != s.tags[i] ||
            (!s.tiles[i].isNull() && imageOf(slot.picture) != s.shown(i)) ||
            s.form.grid.SlotAttr.at(std::size_t(i)) != s.attrs[i])
            return QStringLiteral("slot %1").arg(i);
    }
    if (!s.view.isNull() && imageOf(s.form.grid.source) != s.view)
        return QStringLiteral("source view");
    return exportText(s.form) == s.table() ? QString() : QStringLiteral("export text");
}

// One random gesture; how the window then differs from the model, in words, or nothing.
inline QString step(Session &session) {
    int expected = 0;
    const int shown = reportedError([&] { expected = session.gesture(); });
    return shown != expected ? QStringLiteral("report %1").arg(shown) : difference(session);
}

} // namespace mosaikon::testing

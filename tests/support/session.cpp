#include "session.h"

#include "adjustmentbox.h"
#include "controldrag.h"
#include "dialogseam.h"
#include "hostilefiles.h"
#include "imagefiles.h"
#include "picturearea.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QPushButton>
#include <QTest>

namespace mosaikon::testing {

int Session::hitAt(QPoint p) const {
    for (int i = 0; i < SlotCount; ++i)
        if (slotView(i)->geometry().contains(p)) return i;
    return form.Picture1->geometry().contains(p) ? View : Elsewhere;
}

// On the view, a slot or beside the window: not on a button or box (dialogs, drags) nor (0, 0).
QPoint Session::anyPoint() {
    const QPoint p(below(form.width() + 40) - 20, below(form.height() + 40) - 20);
    return p.isNull() || (hitAt(p) == Elsewhere && form.rect().contains(p)) ? anyPoint() : p;
}

int Session::gesture() {
    const QPoint p = anyPoint();
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
    return pressRelease(p, p, Qt::RightButton);
}

// A move to `p` reaching `control`, reported only when the position changes (and ahead of a
// press or release elsewhere). The cursor takes the cell under a pointer on the view; a move off
// the view, which reaches it while a button pressed there is held, leaves the cursor.
int Session::moved(QPoint p, int control) {
    if (last != p && control == View) pointAt(p);
    last = p;
    return 0;
}

void Session::pointAt(QPoint p) {
    const QPoint pixel = p - form.Picture1->pos();
    if (QRect(0, 0, ViewSize, ViewSize).contains(pixel))
        cursor = {pixel.x() / CellSize, pixel.y() / CellSize};
}

int Session::pressRelease(QPoint from, QPoint to, Qt::MouseButton button) {
    QTest::mousePress(form.windowHandle(), button, {}, from);
    QTest::mouseRelease(form.windowHandle(), button, {}, to);
    return pressed(from, to, button, false);
}

int Session::doubleClick(QPoint p, Qt::MouseButton button) { // the second press a double click
    QTest::mouseDClick(form.windowHandle(), button, {}, p);
    return pressed(p, p, button, false) + pressed(p, p, button, true);
}

// A press on the view puts the cursor on the cell under it, moved there or not; a left one drags,
// the second of a double click too. The right button clears the slot it presses. The release goes
// to the pressed control: the view follows it unless the left button dragged (offscreen a drag
// ends at once); a slot flips (0x21, 0x61, 0xA1, 0xE1, 0x21; 0 to 0x61) but for the middle
// button or a left double click.
int Session::pressed(QPoint from, QPoint to, Qt::MouseButton button, bool again) {
    const int hit = hitAt(from);
    moved(from, hit);
    if (hit == View) pointAt(from);
    moved(to, button == Qt::LeftButton && hit == View ? Elsewhere : hit);
    if (hit < 0) return 0;
    if (button == Qt::RightButton) tags[hit].clear(), tiles[hit] = emptySlot();
    if (hitAt(to) == hit && button != Qt::MiddleButton && !(again && button == Qt::LeftButton))
        attrs[hit] = attrs[hit] == 0xE1 ? 0x21 : (attrs[hit] | 0x21) + 0x40;
    return 0;
}

// Straight to the slot's view: offscreen no drag enters. A tile is the cursor's cell, each view
// pixel a 2 x 2 block.
int Session::drop(int slot, bool isOrigin) {
    dropControl(slotView(slot), isOrigin ? OriginButtonName : "Picture1");
    origin = isOrigin ? slot : origin;
    if (isOrigin) return 0;
    const QPoint cell = cursor * CellSize;
    tiles[slot] = view.isNull() ? QImage() : enlarged(view, cell.x(), cell.y(), 2, SlotSize);
    attrs[slot] = 0x21;
    tags[slot] = QString::number((cursor.y() * 16 + cursor.x()) * 2);
    return 0;
}

int Session::load(const std::pair<QString, int> &file) {
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

int Session::exportTable() { // with the boxes checked, grayed or not
    form.Check2->setCheckState(Qt::CheckState(below(3)));
    form.Check1->setCheckState(Qt::CheckState(below(3)));
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    exported = table(); // tiles are dropped ones: their numbers fit, and the export never fails
    return 0;
}

// A count, then each used slot's offset from the origin (16 pixels a slot, less 8 where a box is
// checked, not grayed), tile number and attribute byte.
QString Session::table() const {
    const QPoint adjust(form.Check2->checkState() == Qt::Checked ? 8 : 0,
                        form.Check1->checkState() == Qt::Checked ? 8 : 0);
    QString text = QString::asprintf("DC.w $%04X\r\n", int(SlotCount - tags.count(QString())));
    for (int i = 0; i < SlotCount; ++i) {
        const QPoint d = QPoint(i % 8 - origin % 8, i / 8 - origin / 8) * 16 - adjust;
        if (!tags[i].isEmpty())
            text +=
                QString::asprintf("DC.b $%02X,$%02X,$%02X,$%02X,$%02X\r\n", d.x() & 0xFF,
                                  d.x() < 0 ? 0x81 : 0x80, d.y() & 0xFF, tags[i].toInt(), attrs[i]);
    }
    return text;
}

QString difference(const Session &s) {
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
    const bool pasted = s.exported.isNull() || QGuiApplication::clipboard()->text() == s.exported;
    return pasted ? QString() : QStringLiteral("clipboard");
}

QString step(Session &session, const std::pair<QString, int> *file) {
    int expected = 0;
    const int shown =
        reportedError([&] { expected = file ? session.load(*file) : session.gesture(); });
    return shown != expected ? QStringLiteral("report %1").arg(shown) : difference(session);
}

} // namespace mosaikon::testing

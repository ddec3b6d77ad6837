// The gestures of a session and the window's routing of pointer events, told to the model.

#include "sessiondriver.h"

#include "window/adjustmentbox.h"
#include "window/controldrag.h"
#include "window/picturearea.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

namespace mosaikon::reliability {

namespace {

int buttonCode(Qt::MouseButton button) {
    return button == Qt::LeftButton ? 1 : button == Qt::RightButton ? 2 : 4;
}

const char *buttonName(Qt::MouseButton button) {
    return button == Qt::LeftButton ? "left" : button == Qt::RightButton ? "right" : "middle";
}

QString pointText(QPoint p) {
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

Qt::CheckState boxState(int value) {
    return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

} // namespace

// ---- gestures ---------------------------------------------------------------------------------

void SessionDriver::moveByHandler() {
    const float x = anyCoordinate();
    const float y = anyCoordinate();
    note(QStringLiteral("Picture1_MouseMove(%1, %2)").arg(double(x)).arg(double(y)));
    form_.Picture1_MouseMove(below(8), below(8), x, y);
    model_.pointerAt(x, y);
}

void SessionDriver::moveRouted() {
    const QPoint p = anyPoint();
    note(QStringLiteral("move to %1").arg(pointText(p)));
    move(p);
}

void SessionDriver::dropByEvent() {
    const int index = below(SlotCount);
    const QString name = below(5) == 0 ? QStringLiteral("Command4") : anyTileSourceName();
    const QPointF at(below(80) - 8, below(80) - 8);
    note(QStringLiteral("drop of \"%1\" on slot %2").arg(name).arg(index));
    QMimeData data;
    data.setData(controlMimeType(), name.toUtf8());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    // Straight to the view's event handling: the application hands a drop only to the target
    // whose drag enter it accepted during a drag, and offscreen no drag ever enters.
    static_cast<QObject *>(form_.SpritePicture1[std::size_t(index)])->event(&drop);
    expectReport(name == QLatin1String("Command4") ? model_.dropOrigin(index)
                                                   : model_.dropTile(index));
}

void SessionDriver::dropByHandler() {
    const int index = anySlotIndex();
    const bool origin = below(3) == 0;
    const QString name = origin ? QStringLiteral("Command4") : anyTileSourceName();
    const QString what = QStringLiteral("SpritePicture1_DragDrop(%1, \"%2\")").arg(index).arg(name);
    note(what);
    const Outcome outcome = callHandler(
        [&] { form_.SpritePicture1_DragDrop(index, name, anyCoordinate(), anyCoordinate()); });
    expectDirect(origin ? model_.dropOrigin(index) : model_.dropTile(index), outcome, what);
}

void SessionDriver::clickRouted() {
    const QPoint p = anyPoint();
    const Qt::MouseButton button = anyButton();
    note(QStringLiteral("%1 click at %2").arg(QLatin1String(buttonName(button)), pointText(p)));
    press(p, button);
    release(p, button);
}

// A right click on a slot whose tile number the export refuses (one dropped with the cursor off
// the view), as a user tidies up; a random slot when there is none.
void SessionDriver::clearOddSlot() {
    int index = below(SlotCount);
    for (int i = 0; i < SlotCount; ++i) {
        const QString &tag = model_.tag(i);
        if (!tag.isEmpty() && (tag.toLongLong() < 0 || tag.toLongLong() > 255)) index = i;
    }
    const QPoint p = form_.SpritePicture1[std::size_t(index)]->geometry().center();
    note(QStringLiteral("right click to tidy at %1").arg(pointText(p)));
    press(p, Qt::RightButton);
    release(p, Qt::RightButton);
}

void SessionDriver::doubleClickRouted() {
    const QPoint p = anyPoint();
    const Qt::MouseButton button = anyButton();
    note(QStringLiteral("%1 double click at %2")
             .arg(QLatin1String(buttonName(button)), pointText(p)));
    QTest::mouseDClick(form_.windowHandle(), button, {}, p);
    // Press and release, then the second press as a double click, and its release.
    if (lastPos_ != p) pointerMovedTo(p);
    const Hit hit = hitAt(p);
    for (const bool second : {false, true}) {
        grab_ = hit;
        pressed(hit, button, second);
        if (hit.kind == Hit::Slot && button == clickButton_) expectReport(model_.click(hit.slot));
        clickButton_ = Qt::NoButton;
        dragging_ = false;
        grab_.reset();
    }
}

void SessionDriver::pressMoveRelease() {
    const QPoint from = anyPoint();
    const QPoint to = below(2) == 0 ? from : anyPoint();
    const Qt::MouseButton button = anyButton();
    note(QStringLiteral("%1 press at %2, moves, release at %3")
             .arg(QLatin1String(buttonName(button)), pointText(from), pointText(to)));
    press(from, button);
    for (int moves = below(4); moves > 0; --moves) move(anyPoint());
    release(to, button);
}

void SessionDriver::slotByHandler() {
    const int index = anySlotIndex();
    if (below(2) == 0) {
        const QString what = QStringLiteral("SpritePicture1_Click(%1)").arg(index);
        note(what);
        const Outcome outcome = callHandler([&] { form_.SpritePicture1_Click(index); });
        expectDirect(model_.click(index), outcome, what);
        return;
    }
    static constexpr int buttons[] = {0, 1, 2, 2, 2, 3, 4, 8, -1};
    const int button = buttons[below(int(std::size(buttons)))];
    const QString what = QStringLiteral("SpritePicture1_MouseDown(%1, %2)").arg(index).arg(button);
    note(what);
    const Outcome outcome = callHandler([&] {
        form_.SpritePicture1_MouseDown(index, button, below(8), anyCoordinate(), anyCoordinate());
    });
    expectDirect(model_.mouseDown(index, button), outcome, what);
}

void SessionDriver::load() {
    const int pick = below(int(files_.size()) + 1);
    const bool cancel = pick == files_.size();
    const SheetFile file = cancel ? SheetFile{} : files_[pick];
    const bool byClick = below(2) == 0;
    const QString what =
        QStringLiteral("load \"%1\" by %2")
            .arg(file.path, byClick ? QStringLiteral("button") : QStringLiteral("handler"));
    note(what);
    if (byClick) {
        const ScopedDialogFunctions dialog = dialogAnswering(file.path);
        const QPoint at = form_.Command1->geometry().center();
        press(at, Qt::LeftButton);
        release(at, Qt::LeftButton);
        expectReport(file.error);
    } else {
        expectDirect(file.error, loadByHandler(form_, file.path), what);
    }
    if (cancel) return;
    if (file.error == NoError)
        model_.loaded(file.path, file.view);
    else
        model_.loadFailed(file.path);
}

void SessionDriver::exportTable() {
    const int horizontal = below(3);
    const int vertical = below(3);
    const int way = below(3);
    const QString what = QStringLiteral("export with boxes %1/%2 by %3")
                             .arg(horizontal)
                             .arg(vertical)
                             .arg(way == 0   ? "button"
                                  : way == 1 ? "handler"
                                             : "click()");
    note(what);
    form_.Check2->setCheckState(boxState(horizontal));
    form_.Check1->setCheckState(boxState(vertical));
    const QString before = QStringLiteral("on the clipboard before export %1").arg(gestures_);
    QGuiApplication::clipboard()->setText(before);
    const SessionModel::Table table = model_.table(horizontal == 1, vertical == 1);
    ++kinds_[table.error == NoError ? QStringLiteral("exports-written")
                                    : QStringLiteral("exports-refused")];
    if (way == 0) {
        const QPoint at = form_.Command3->geometry().center();
        press(at, Qt::LeftButton);
        release(at, Qt::LeftButton);
        expectReport(table.error);
    } else if (way == 1) {
        expectDirect(table.error, callHandler([&] { form_.Command3_Click(); }), what);
    } else {
        form_.Command3->click();
        expectReport(table.error);
    }
    const QString expected = table.error == NoError ? table.text : before;
    if (QGuiApplication::clipboard()->text() != expected)
        clipboardMismatch_ = QStringLiteral("clipboard holds \"%1\", expected \"%2\"")
                                 .arg(QGuiApplication::clipboard()->text(), expected);
}

// ---- pointer events through the window --------------------------------------------------------

SessionDriver::Hit SessionDriver::hitAt(QPoint p) const {
    if (form_.Picture1->geometry().contains(p))
        return {Hit::View, -1, p - form_.Picture1->geometry().topLeft()};
    for (int i = 0; i < SlotCount; ++i) {
        const QRect area = form_.SpritePicture1[std::size_t(i)]->geometry();
        if (area.contains(p)) return {Hit::Slot, i, p - area.topLeft()};
    }
    return {Hit::Other, -1, p};
}

// The platform moves the pointer to where a press or release happens before it reports the
// button, and reports no move that changes no position. A move goes to the control holding the
// pointer grab (the one pressed while a button is down), else to the control under the pointer;
// only the source view follows it, and not while a drag from it is in progress.
void SessionDriver::pointerMovedTo(QPoint p) {
    lastPos_ = p;
    if (dragging_) return;
    const Hit hit = grab_ ? *grab_ : hitAt(p);
    if (hit.kind != Hit::View) return;
    const QPoint local = p - form_.Picture1->geometry().topLeft();
    model_.pointerAt(float(local.x()), float(local.y()));
}

void SessionDriver::move(QPoint p) {
    QTest::mouseMove(form_.windowHandle(), p);
    if (lastPos_ != p) pointerMovedTo(p);
}

void SessionDriver::press(QPoint p, Qt::MouseButton button) {
    QTest::mousePress(form_.windowHandle(), button, {}, p);
    if (lastPos_ != p) pointerMovedTo(p);
    grab_ = hitAt(p);
    pressed(*grab_, button, false);
}

// A press on a picture area: the left button drags the source view (offscreen the drag ends at
// once, without a drop); the second left press of a double click does nothing; any other press
// raises mouseDown and may become a click with the left or right button.
void SessionDriver::pressed(const Hit &hit, Qt::MouseButton button, bool doubleClick) {
    clickButton_ = Qt::NoButton;
    if (button == Qt::LeftButton && !doubleClick && hit.kind == Hit::View) dragging_ = true;
    if (button == Qt::LeftButton && (doubleClick || hit.kind == Hit::View)) return;
    if (button == Qt::LeftButton || button == Qt::RightButton) clickButton_ = button;
    if (hit.kind == Hit::Slot) expectReport(model_.mouseDown(hit.slot, buttonCode(button)));
}

void SessionDriver::release(QPoint p, Qt::MouseButton button) {
    QTest::mouseRelease(form_.windowHandle(), button, {}, p);
    if (lastPos_ != p) pointerMovedTo(p);
    const Hit hit = grab_.value_or(Hit{});
    const bool over =
        hit.kind == Hit::Slot && hitAt(p).kind == Hit::Slot && hitAt(p).slot == hit.slot;
    if (over && button == clickButton_) expectReport(model_.click(hit.slot));
    clickButton_ = Qt::NoButton;
    dragging_ = false;
    grab_.reset();
}

} // namespace mosaikon::reliability

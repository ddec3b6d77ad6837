#include "sessiondriver.h"

#include "core/spritetable.h"
#include "window/adjustmentbox.h"
#include "window/controldrag.h"
#include "window/originbutton.h"
#include "window/picturearea.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

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

bool sameCell(float a, float b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool samePixels(const PixelSurface &surface, const QImage &image) {
    if (surface.width() != image.width() || surface.height() != image.height()) return false;
    const auto rowBytes = std::size_t(surface.width()) * sizeof(Rgb);
    for (int y = 0; y < surface.height(); ++y)
        if (std::memcmp(surface.row(y), image.constScanLine(y), rowBytes) != 0) return false;
    return true;
}

} // namespace

SessionDriver::SessionDriver(Form1 &form, ReportCatcher &reports, QList<SheetFile> files,
                             quint64 seed)
    : form_(form)
    , reports_(reports)
    , files_(std::move(files))
    , random_(seed) {}

QString SessionDriver::step() {
    using Gesture = void (SessionDriver::*)();
    struct Weighted {
        int weight;
        Gesture gesture;
    };
    static constexpr Weighted mix[] = {
        {12, &SessionDriver::moveByHandler}, {12, &SessionDriver::moveRouted},
        {12, &SessionDriver::dropByEvent},   {6, &SessionDriver::dropByHandler},
        {16, &SessionDriver::clickRouted},   {6, &SessionDriver::doubleClickRouted},
        {3, &SessionDriver::clearOddSlot},   {8, &SessionDriver::pressMoveRelease},
        {8, &SessionDriver::slotByHandler},  {3, &SessionDriver::load},
        {5, &SessionDriver::exportTable},
    };
    int total = 0;
    for (const Weighted &w : mix) total += w.weight;
    int pick = below(total);
    expectedReports_.clear();
    directMismatch_.clear();
    clipboardMismatch_.clear();
    reports_.take();
    for (const Weighted &w : mix) {
        if (pick < w.weight) {
            (this->*w.gesture)();
            break;
        }
        pick -= w.weight;
    }
    ++gestures_;

    std::vector<int> shown;
    for (const QString &text : reports_.take()) shown.push_back(parseReport(text).error);
    if (shown != expectedReports_) {
        QStringList said, wanted;
        for (int n : shown) said.append(QString::number(n));
        for (int n : expectedReports_) wanted.append(QString::number(n));
        return QStringLiteral("reports [%1], expected [%2]")
            .arg(said.join(QLatin1Char(' ')), wanted.join(QLatin1Char(' ')));
    }
    if (reports_.strangers() != 0) return QStringLiteral("a report that is not the error report");
    if (!directMismatch_.isEmpty()) return directMismatch_;
    if (!clipboardMismatch_.isEmpty()) return clipboardMismatch_;
    return disagreement();
}

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

// ---- random choices ---------------------------------------------------------------------------

int SessionDriver::below(int n) {
    return int(random_() % quint64(n));
}

QPoint SessionDriver::anyPoint() {
    const QWidget *controls[] = {form_.Command1, form_.Command3, form_.Check1, form_.Check2,
                                 form_.Command4};
    for (;;) {
        QPoint p;
        const int kind = below(20);
        if (kind < 5) {
            p = {below(256), below(256)};
        } else if (kind < 17) {
            const QRect area = form_.SpritePicture1[std::size_t(below(SlotCount))]->geometry();
            p = area.topLeft() + QPoint(below(area.width()), below(area.height()));
        } else if (kind < 19) {
            p = {below(form_.width()), below(form_.height())};
        } else {
            p = {below(form_.width() + 200) - 100, below(form_.height() + 200) - 100};
        }
        bool onControl = p.isNull(); // a null point would mean the window's centre
        for (const QWidget *control : controls) onControl |= control->geometry().contains(p);
        if (!onControl) return p;
    }
}

float SessionDriver::anyCoordinate() {
    static constexpr float odd[] = {-0.5f,
                                    0.5f,
                                    1.5f,
                                    31.5f,
                                    32.5f,
                                    -31.5f,
                                    -32.5f,
                                    255.5f,
                                    256.0f,
                                    -1e6f,
                                    1e9f,
                                    -1e12f,
                                    6.7e7f,
                                    3e38f,
                                    -3e38f,
                                    std::numeric_limits<float>::infinity(),
                                    -std::numeric_limits<float>::infinity(),
                                    std::numeric_limits<float>::quiet_NaN()};
    const int kind = below(20);
    if (kind == 0) return odd[below(int(std::size(odd)))];
    if (kind < 3) return float(below(2000) - 1000) / 4.0f;
    return float(below(256));
}

int SessionDriver::anySlotIndex() {
    static constexpr int odd[] = {-1, 64, 65, 1000, INT_MIN, INT_MAX};
    return below(10) == 0 ? odd[below(int(std::size(odd)))] : below(SlotCount);
}

QString SessionDriver::anyTileSourceName() {
    static const QString names[] = {
        QStringLiteral("Picture1"),       QStringLiteral("command4"),
        QStringLiteral("Command4 "),      QStringLiteral(" Command4"),
        QStringLiteral("COMMAND4"),       QString(),
        QStringLiteral("SpritePicture1"), QStringLiteral("Command4") + QChar(0),
    };
    return below(3) == 0 ? names[below(int(std::size(names)))] : names[0];
}

Qt::MouseButton SessionDriver::anyButton() {
    const int pick = below(10);
    return pick < 5 ? Qt::LeftButton : pick < 9 ? Qt::RightButton : Qt::MiddleButton;
}

// ---- comparison -------------------------------------------------------------------------------

QString SessionDriver::summary() const {
    QStringList parts;
    for (const auto &[kind, count] : kinds_)
        parts.append(QStringLiteral("%1 %2").arg(count).arg(kind));
    for (const auto &[error, count] : errors_)
        parts.append(QStringLiteral("%1 ended with %2").arg(count).arg(error));
    return parts.join(QLatin1String(", "));
}

void SessionDriver::note(const QString &gesture) {
    ++kinds_[gesture.section(QLatin1Char(' '), 0, 0).section(QLatin1Char('('), 0, 0)];
    log_.append(QStringLiteral("%1: %2").arg(gestures_ + 1).arg(gesture));
    if (log_.size() > 12) log_.removeFirst();
}

void SessionDriver::expectReport(int error) {
    if (error == NoError) return;
    expectedReports_.push_back(error);
    ++errors_[error];
}

void SessionDriver::expectDirect(int error, const Outcome &outcome, const QString &what) {
    if (error != NoError) ++errors_[error];
    if (outcome.error != error && directMismatch_.isEmpty())
        directMismatch_ = QStringLiteral("%1 ended with error %2 (%3), expected %4")
                              .arg(what)
                              .arg(outcome.error)
                              .arg(outcome.description)
                              .arg(error);
}

QString SessionDriver::disagreement() const {
    const SlotGrid &grid = form_.grid;
    for (int i = 0; i < SlotCount; ++i) {
        const auto s = std::size_t(i);
        const int border = i == model_.origin() ? 1 : 0;
        if (grid.slots[s].BorderStyle != border || form_.SpritePicture1[s]->BorderStyle() != border)
            return QStringLiteral(
                       "border of slot %1 is %2 in the grid and %3 on the view, origin %4")
                .arg(i)
                .arg(grid.slots[s].BorderStyle)
                .arg(form_.SpritePicture1[s]->BorderStyle())
                .arg(model_.origin());
        if (QString::fromStdString(grid.slots[s].Tag) != model_.tag(i))
            return QStringLiteral("Tag of slot %1 is \"%2\", expected \"%3\"")
                .arg(i)
                .arg(QString::fromStdString(grid.slots[s].Tag), model_.tag(i));
        if (grid.SlotAttr[s] != model_.attr(i))
            return QStringLiteral("SlotAttr of slot %1 is %2, expected %3")
                .arg(i)
                .arg(grid.SlotAttr[s])
                .arg(model_.attr(i));
        if (!samePixels(grid.slots[s].picture, model_.picture(i)))
            return QStringLiteral("picture of slot %1").arg(i);
    }
    if (grid.OriginCol != model_.origin() % 8 || grid.OriginRow != model_.origin() / 8)
        return QStringLiteral("OriginCol/OriginRow");
    if (!sameCell(grid.CursorCol, model_.cursorCol()) ||
        !sameCell(grid.CursorRow, model_.cursorRow()))
        return QStringLiteral("cursor %1/%2, expected %3/%4")
            .arg(double(grid.CursorCol))
            .arg(double(grid.CursorRow))
            .arg(double(model_.cursorCol()))
            .arg(double(model_.cursorRow()));
    if (!samePixels(grid.source, model_.view())) return QStringLiteral("source view");
    if (form_.ImagePath != model_.imagePath())
        return QStringLiteral("ImagePath \"%1\", expected \"%2\"")
            .arg(form_.ImagePath, model_.imagePath());
    for (const bool flags : {false, true}) {
        const SessionModel::Table expected = model_.table(flags, flags);
        const Outcome built = callHandler([&] { (void)BuildSpriteTable(grid, flags, flags); });
        if (built.error != expected.error)
            return QStringLiteral("export error %1, expected %2")
                .arg(built.error)
                .arg(expected.error);
        if (expected.error == NoError &&
            QString::fromStdString(BuildSpriteTable(grid, flags, flags)) != expected.text)
            return QStringLiteral("export text with both flags %1").arg(flags);
    }
    return {};
}

} // namespace mosaikon::reliability

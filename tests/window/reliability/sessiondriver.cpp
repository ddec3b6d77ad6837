// A session's course: picking gestures, random choices, and comparing the window with the model.

#include "sessiondriver.h"

#include "core/spritetable.h"
#include "window/adjustmentbox.h"
#include "window/originbutton.h"
#include "window/picturearea.h"

#include <QPushButton>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace mosaikon::reliability {

namespace {

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

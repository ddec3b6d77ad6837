#include "sessionmodel.h"

#include <cmath>
#include <optional>

namespace mosaikon::reliability {

namespace {

QImage filledImage(int size, QRgb colour) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The cell under a pointer coordinate: rounded to the nearest whole number (halves to even),
// then 32 pixels a cell, the quotient cut toward zero.
float cellOf(float v) {
    return float(std::trunc(std::nearbyint(double(v)) / 32.0));
}

// The view pixel where a cell starts, or nothing when it is no 32-bit number.
std::optional<long long> pixelOf(float cell) {
    const double pixel = std::nearbyint(double(cell) * 32.0);
    if (!(pixel >= -2147483648.0 && pixel <= 2147483647.0)) return std::nullopt;
    return static_cast<long long>(pixel);
}

// `tile` mirrored left to right and/or top to bottom.
QImage mirrored(const QImage &tile, bool leftRight, bool topBottom) {
    QImage out(tile.size(), QImage::Format_RGB32);
    const int w = tile.width();
    const int h = tile.height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.setPixel(x, y, tile.pixel(leftRight ? w - 1 - x : x, topBottom ? h - 1 - y : y));
    return out;
}

int nextAttr(int attr) {
    switch (attr) {
    case 0x21:
        return 0x61;
    case 0x61:
        return 0xA1;
    case 0xA1:
        return 0xE1;
    case 0xE1:
        return 0x21;
    default:
        return 0x61;
    }
}

} // namespace

SessionModel::SessionModel()
    : view_(filledImage(256, ViewBlack)) {
    tiles_.fill(filledImage(64, SlotGrey));
    stale_.fill(true);
}

void SessionModel::setTile(int index, const QImage &tile) {
    tiles_[slot(index)] = tile;
    stale_[slot(index)] = true;
}

const QImage &SessionModel::picture(int index) const {
    const std::size_t s = slot(index);
    if (stale_[s]) {
        shown_[s] = mirrored(tiles_[s], attrs_[s] & 0x40, attrs_[s] & 0x80);
        stale_[s] = false;
    }
    return shown_[s];
}

void SessionModel::pointerAt(float x, float y) {
    cursorCol_ = cellOf(x);
    cursorRow_ = cellOf(y);
}

int SessionModel::dropTile(int index) {
    if (!isSlot(index)) return OutOfRangeError;
    // The attribute byte is set first; from then on the slot shows its tile unmirrored, so what
    // it shows now is the tile wherever the copy below draws nothing.
    QImage tile = picture(index);
    attrs_[slot(index)] = 0x21;
    setTile(index, tile);
    const std::optional<long long> left = pixelOf(cursorCol_);
    const std::optional<long long> top = pixelOf(cursorRow_);
    if (!left || !top) return OverflowError;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const long long sx = *left + x / 2;
            const long long sy = *top + y / 2;
            if (sx >= 0 && sx < 256 && sy >= 0 && sy < 256)
                tile.setPixel(x, y, view_.pixel(int(sx), int(sy)));
        }
    setTile(index, tile);
    const float number = (cursorRow_ * 16.0f + cursorCol_) * 2.0f;
    const double whole = std::nearbyint(double(number));
    if (!(whole >= -9223372036854775808.0 && whole < 9223372036854775808.0)) return OverflowError;
    tags_[slot(index)] = QString::number(static_cast<qint64>(whole));
    return NoError;
}

int SessionModel::dropOrigin(int index) {
    if (!isSlot(index)) return OutOfRangeError;
    origin_ = index;
    return NoError;
}

int SessionModel::click(int index) {
    if (!isSlot(index)) return OutOfRangeError;
    attrs_[slot(index)] = nextAttr(attrs_[slot(index)]);
    stale_[slot(index)] = true;
    return NoError;
}

int SessionModel::mouseDown(int index, int button) {
    if (button != 2) return NoError;
    if (!isSlot(index)) return OutOfRangeError;
    tags_[slot(index)].clear();
    setTile(index, filledImage(64, SlotGrey));
    return NoError;
}

void SessionModel::loaded(const QString &path, const QImage &view) {
    imagePath_ = path;
    view_ = view;
}

void SessionModel::loadFailed(const QString &path) {
    imagePath_ = path;
}

SessionModel::Table SessionModel::table(bool horizontal, bool vertical) const {
    Table table;
    int count = 0;
    for (int i = 0; i < 64; ++i) {
        if (tags_[slot(i)].isEmpty()) continue;
        const qint64 tile = tags_[slot(i)].toLongLong();
        if (tile < 0 || tile > 255) return {OverflowError, {}};
        ++count;
        const int dx = (i % 8 - origin_ % 8) * 16 - (horizontal ? 8 : 0);
        const int dy = (i / 8 - origin_ / 8) * 16 - (vertical ? 8 : 0);
        table.text +=
            QString::asprintf("DC.b $%02X,$%02X,$%02X,$%02X,$%02X\r\n", dx & 0xFF,
                              dx < 0 ? 0x81 : 0x80, dy & 0xFF, int(tile), attrs_[slot(i)]);
    }
    table.text.prepend(QString::asprintf("DC.w $%04X\r\n", count));
    return table;
}

} // namespace mosaikon::reliability

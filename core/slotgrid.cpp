#include "slotgrid.h"

#include "error.h"
#include "numbers.h"

#include <algorithm>
#include <cmath>

namespace mosaikon {

namespace {

void checkIndex(int index) {
    if (index < 0 || index >= SlotCount) raiseError(SubscriptOutOfRange);
}

bool onView(float v) {
    const double pixel = roundHalfEven(static_cast<double>(v));
    return pixel >= 0 && pixel < ViewSize; // false for NaN
}

} // namespace

float cursorCellFromPixel(float v) {
    return static_cast<float>(std::trunc(roundHalfEven(static_cast<double>(v)) / CellSize));
}

float tileNumber(float col, float row) {
    return (row * 16.0f + col) * 2.0f;
}

std::string tileNumberText(float number) {
    return std::to_string(narrowRounded<long long>(static_cast<double>(number)));
}

void SlotGrid::moveCursor(float x, float y) {
    if (!onView(x) || !onView(y)) return;
    CursorCol = cursorCellFromPixel(x);
    CursorRow = cursorCellFromPixel(y);
}

void SlotGrid::placeTile(int index) {
    checkIndex(index);
    Slot &slot = slots[static_cast<std::size_t>(index)];
    SlotAttr[static_cast<std::size_t>(index)] = AttrPlain;
    const int sx = narrowRounded<int>(static_cast<double>(CursorCol) * CellSize);
    const int sy = narrowRounded<int>(static_cast<double>(CursorRow) * CellSize);
    StretchBlt(slot.picture, 0, 0, SlotSize, SlotSize, source, sx, sy, CellSize, CellSize);
    slot.Tag = tileNumberText(tileNumber(CursorCol, CursorRow));
}

void SlotGrid::cycleFlip(int index) {
    checkIndex(index);
    std::uint8_t &attr = SlotAttr[static_cast<std::size_t>(index)];
    bool vertical = false;
    switch (attr) {
    case AttrPlain:
        attr = AttrH;
        break;
    case AttrH:
        attr = AttrV;
        vertical = true;
        break;
    case AttrV:
        attr = AttrHV;
        break;
    case AttrHV:
        attr = AttrPlain;
        vertical = true;
        break;
    default:
        attr = AttrH;
        break;
    }
    constexpr int last = SlotSize - 1;
    PixelSurface &pic = slots[static_cast<std::size_t>(index)].picture;
    if (vertical)
        StretchBlt(pic, 0, 0, SlotSize, SlotSize, pic, last, last, -SlotSize, -SlotSize);
    else
        StretchBlt(pic, 0, 0, SlotSize, SlotSize, pic, last, 0, -SlotSize, SlotSize);
}

void SlotGrid::clear(int index) {
    checkIndex(index);
    Slot &slot = slots[static_cast<std::size_t>(index)];
    slot.Tag.clear();
    slot.picture.fill(SlotBackground);
}

void SlotGrid::setOrigin(int index) {
    checkIndex(index);
    OriginRow = narrow<std::uint8_t>(index / SlotColumns);
    OriginCol = narrow<std::uint8_t>(index % SlotColumns);
    for (Slot &slot : slots) slot.BorderStyle = 0;
    slots[static_cast<std::size_t>(index)].BorderStyle = 1;
}

void SlotGrid::showSheet(const PixelSurface &sheet) {
    // Drawing the sheet and then enlarging the view's top-left quarter in place leaves the view
    // holding that quarter of the sheet enlarged over background: drawn here in one transfer.
    const int w = std::min(sheet.width(), SheetShown);
    const int h = std::min(sheet.height(), SheetShown);
    for (int y = 0; y < ViewSize; ++y) { // background only where the sheet will not be
        Rgb *row = source.row(y);
        std::fill(row + (y < 2 * h ? 2 * w : 0), row + ViewSize, SourceBackground);
    }
    StretchBlt(source, 0, 0, 2 * w, 2 * h, sheet, 0, 0, w, h);
}

} // namespace mosaikon

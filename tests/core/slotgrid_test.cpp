#include "core/slotgrid.h"
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

namespace mosaikon {
namespace {

using test::coord;
using test::errorOf;
using test::flipped;
using test::lopsided;

Slot &slotOf(SlotGrid &g, int index) {
    return g.slots[static_cast<std::size_t>(index)];
}
std::uint8_t &attrOf(SlotGrid &g, int index) {
    return g.SlotAttr[static_cast<std::size_t>(index)];
}

PixelSurface blankSlot() {
    return PixelSurface(SlotSize, SlotSize, SlotBackground);
}

// The cell (col, row) of the grid's source view enlarged twice, read pixel by pixel.
PixelSurface cellEnlarged(const SlotGrid &g, int col, int row) {
    PixelSurface out(SlotSize, SlotSize, 0);
    for (int y = 0; y < SlotSize; ++y)
        for (int x = 0; x < SlotSize; ++x)
            out.setPixel(x, y, g.source.pixel(col * CellSize + x / 2, row * CellSize + y / 2));
    return out;
}

int borderCount(const SlotGrid &g) {
    return static_cast<int>(
        std::count_if(g.slots.begin(), g.slots.end(), [](const Slot &s) { return s.BorderStyle; }));
}

// A grid whose slot `index` holds a tile whose 64 x 64 pixels are all distinct, attribute 0x21.
SlotGrid gridWithLopsidedTile(int index) {
    SlotGrid g;
    g.placeTile(index);
    slotOf(g, index).picture = lopsided(SlotSize, SlotSize);
    return g;
}

TEST(SlotGrid, StartsEmptyWithOriginAndCursorAtZero) {
    const SlotGrid g;
    for (const Slot &s : g.slots) {
        EXPECT_EQ(s.Tag, "");
        EXPECT_TRUE(s.picture == blankSlot());
    }
    for (std::uint8_t a : g.SlotAttr) EXPECT_EQ(a, 0);
    EXPECT_EQ(g.CursorCol, 0.0f);
    EXPECT_EQ(g.CursorRow, 0.0f);
    EXPECT_EQ(g.OriginCol, 0);
    EXPECT_EQ(g.OriginRow, 0);
    EXPECT_TRUE(g.source == PixelSurface(ViewSize, ViewSize, SourceBackground));
}

TEST(SlotGrid, CursorCellFromPixelRoundsHalfEvenThenTruncates) {
    const struct {
        float pixel, cell;
    } cases[] = {{0, 0},     {255, 7}, {31, 0},  {32, 1},   {31.5f, 1}, {32.5f, 1},
                 {30.5f, 0}, {-1, 0},  {-31, 0}, {-32, -1}, {-63, -1},  {-64, -2},
                 {256, 8},   {287, 8}, {100, 3}, {40, 1},   {63.5f, 2}, {-31.5f, -1}};
    for (const auto &c : cases) EXPECT_EQ(cursorCellFromPixel(c.pixel), c.cell) << c.pixel;
}

// Every drop lands on the same slot, flipped before, so each one also replaces a used slot.
TEST(SlotGrid, PlaceTileStoresTheCursorsCellAndTileNumberAndResetsTheAttribute) {
    const struct {
        float x, y;
        int col, row;
        const char *tag;
    } cases[] = {{0, 0, 0, 0, "0"},     {100, 40, 3, 1, "38"}, {255, 255, 7, 7, "238"},
                 {31, 32, 0, 1, "32"},  {32, 31, 1, 0, "2"},   {200, 10, 6, 0, "12"},
                 {10, 230, 0, 7, "224"}};
    SlotGrid g;
    g.source = lopsided(ViewSize, ViewSize);
    for (const auto &c : cases) {
        g.moveCursor(c.x, c.y);
        EXPECT_EQ(g.CursorCol, static_cast<float>(c.col));
        EXPECT_EQ(g.CursorRow, static_cast<float>(c.row));
        attrOf(g, 20) = AttrHV;
        g.placeTile(20);
        EXPECT_EQ(slotOf(g, 20).Tag, c.tag);
        EXPECT_EQ(attrOf(g, 20), AttrPlain);
        EXPECT_TRUE(slotOf(g, 20).picture == cellEnlarged(g, c.col, c.row)) << c.tag;
    }
}

// After each step the picture is the placed tile mirrored by the new value's two flip bits.
TEST(SlotGrid, CycleFlipWalksTheFourValuesMirroringThePicture) {
    const struct {
        std::uint8_t attr;
        bool h, v;
    } steps[] = {{AttrH, true, false},
                 {AttrV, false, true},
                 {AttrHV, true, true},
                 {AttrPlain, false, false},
                 {AttrH, true, false}};
    SlotGrid g = gridWithLopsidedTile(13);
    const PixelSurface tile = slotOf(g, 13).picture;
    for (const auto &s : steps) {
        g.cycleFlip(13);
        EXPECT_EQ(attrOf(g, 13), s.attr);
        EXPECT_TRUE(slotOf(g, 13).picture == flipped(tile, s.h, s.v)) << int(s.attr);
    }
}

// A value outside the cycle, 0 in a slot that never held a tile among them, steps to 0x61 with a
// left-right mirror; a blank picture stays blank.
TEST(SlotGrid, CycleFlipFromAnyOtherValueGivesLeftRightMirror) {
    for (int before : {0x00, 0x05, 0x20, 0x60, 0xE0, 0xFF}) {
        SlotGrid g = gridWithLopsidedTile(40);
        const PixelSurface tile = slotOf(g, 40).picture;
        attrOf(g, 40) = static_cast<std::uint8_t>(before);
        attrOf(g, 7) = static_cast<std::uint8_t>(before);
        g.cycleFlip(40);
        g.cycleFlip(7);
        EXPECT_EQ(attrOf(g, 40), AttrH) << before;
        EXPECT_TRUE(slotOf(g, 40).picture == flipped(tile, true, false)) << before;
        EXPECT_EQ(attrOf(g, 7), AttrH) << before;
        EXPECT_TRUE(slotOf(g, 7).picture == blankSlot()) << before;
    }
}

TEST(SlotGrid, ClearKeepsTheAttributeAndTheNextDropResetsIt) {
    SlotGrid g;
    g.source = lopsided(ViewSize, ViewSize);
    g.moveCursor(100, 40);
    g.placeTile(30);
    g.cycleFlip(30);
    g.cycleFlip(30);
    g.clear(30);
    EXPECT_EQ(attrOf(g, 30), AttrV);
    EXPECT_EQ(slotOf(g, 30).Tag, "");
    EXPECT_TRUE(slotOf(g, 30).picture == blankSlot());

    g.placeTile(30);
    EXPECT_EQ(attrOf(g, 30), AttrPlain);
    EXPECT_EQ(slotOf(g, 30).Tag, "38");
    EXPECT_TRUE(slotOf(g, 30).picture == cellEnlarged(g, 3, 1));
}

TEST(SlotGrid, SetOriginMovesTheOnlyMarker) {
    const struct {
        int index;
        std::uint8_t col, row;
    } cases[] = {{8, 0, 1}, {63, 7, 7}, {27, 3, 3}, {27, 3, 3}, {0, 0, 0}, {7, 7, 0}, {56, 0, 7}};
    SlotGrid g;
    for (const auto &c : cases) {
        g.setOrigin(c.index);
        EXPECT_EQ(g.OriginCol, c.col) << c.index;
        EXPECT_EQ(g.OriginRow, c.row) << c.index;
        EXPECT_EQ(borderCount(g), 1) << c.index;
        EXPECT_EQ(slotOf(g, c.index).BorderStyle, 1) << c.index;
    }
}

TEST(SlotGrid, IndexOutsideTheGridRaisesSubscriptOutOfRangeAndChangesNothing) {
    const std::function<void(SlotGrid &, int)> ops[] = {&SlotGrid::placeTile, &SlotGrid::cycleFlip,
                                                        &SlotGrid::clear, &SlotGrid::setOrigin};
    SlotGrid g = gridWithLopsidedTile(9);
    g.setOrigin(9);
    g.moveCursor(100, 40);
    for (const auto &op : ops) {
        for (int index : {-1, 64, -64, 1000}) {
            const SlotGrid before = g;
            EXPECT_EQ(errorOf([&] { op(g, index); }), SubscriptOutOfRange) << index;
            EXPECT_TRUE(g == before) << index;
        }
    }
}

// One grid shows several sheets in turn, so each must replace the previous view completely.
TEST(SlotGrid, ShowSheetEnlargesTheTopLeftQuarterOverBackground) {
    const struct {
        int w, h;
    } sheets[] = {{300, 300}, {64, 64}, {200, 40}, {100, 150}, {128, 128}, {1, 1}};
    SlotGrid g;
    int salt = 1;
    for (const auto &s : sheets) {
        const PixelSurface sheet = lopsided(s.w, s.h, ++salt);
        g.showSheet(sheet);
        for (int y = 0; y < ViewSize; ++y) {
            for (int x = 0; x < ViewSize; ++x) {
                const bool onSheet = x / 2 < s.w && y / 2 < s.h;
                ASSERT_EQ(g.source.pixel(x, y),
                          onSheet ? coord(x / 2, y / 2, salt) : SourceBackground)
                    << s.w << "x" << s.h << " at " << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace mosaikon

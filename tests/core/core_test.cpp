// The core's rules as tables, judged against references computed pixel by pixel. StretchBlt meets
// its reference over any rectangles in fuzz/stretchblt_fuzz.cpp and its seeds; drops, clears,
// the origin and the sheet view meet an independent model in the random session (session.h).

#include "error.h"
#include "numbers.h"
#include "slotgrid.h"
#include "spritetable.h"
#include "surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace mosaikon {
namespace {

// The error number `f` raises, 0 when it returns.
int errorOf(const std::function<void()> &f) try { return f(), 0; } catch (const Error &e) {
    return e.number();
}

// All pixels distinct (x, y and salt in separate bits), none a background colour: a swapped
// axis, a shifted row or a mirror about the wrong line shows as a wrong pixel.
PixelSurface lopsided(int w, int h, int salt = 1) {
    PixelSurface s(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.setPixel(x, y, 0xFF000000u | Rgb(salt) << 18 | Rgb(y) << 9 | Rgb(x));
    return s;
}

PixelSurface flipped(const PixelSurface &p, bool h, bool v) {
    PixelSurface out = p;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            out.setPixel(x, y, p.pixel(h ? p.width() - 1 - x : x, v ? p.height() - 1 - y : y));
    return out;
}

using Used = std::tuple<std::size_t, const char *, int>; // index, Tag, attribute byte

SlotGrid gridWith(const std::vector<Used> &used, int origin) {
    SlotGrid g;
    for (auto [i, tag, attr] : used) g.slots[i].Tag = tag, g.SlotAttr[i] = std::uint8_t(attr);
    g.setOrigin(origin);
    return g;
}

TEST(BuildSpriteTable, WholeText) {
    // Used slots, origin, adjustments, the text or nullptr when it raises Overflow.
    const std::tuple<std::vector<Used>, int, bool, bool, const char *> rows[] = {
        // clang-format off
        {{{0, "0", 0x21}, {9, "34", 0x61}, {18, "238", 0xE1}}, 9, true, false,
         "DC.w $0003\r\nDC.b $E8,$81,$F0,$00,$21\r\nDC.b $F8,$81,$00,$22,$61\r\n"
         "DC.b $08,$80,$10,$EE,$E1\r\n"},
        {{{0, "0", 0x21}, {1, "2", 0x21}, {2, "4", 0x21}, {8, "32", 0x21}, {9, "34", 0x21},
          {10, "36", 0x21}, {16, "64", 0x21}, {17, "66", 0x21}, {18, "68", 0x21}}, 9, true, true,
         "DC.w $0009\r\nDC.b $E8,$81,$E8,$00,$21\r\nDC.b $F8,$81,$E8,$02,$21\r\n"
         "DC.b $08,$80,$E8,$04,$21\r\nDC.b $E8,$81,$F8,$20,$21\r\nDC.b $F8,$81,$F8,$22,$21\r\n"
         "DC.b $08,$80,$F8,$24,$21\r\nDC.b $E8,$81,$08,$40,$21\r\nDC.b $F8,$81,$08,$42,$21\r\n"
         "DC.b $08,$80,$08,$44,$21\r\n"},
        // Offsets -120, -24, -16, -8, 0, 8 and 112: one byte, the sign in the high byte of X.
        {{{0, "2", 5}}, 63, true, true, "DC.w $0001\r\nDC.b $88,$81,$88,$02,$05\r\n"},
        {{{0, "2", 5}}, 9, true, true, "DC.w $0001\r\nDC.b $E8,$81,$E8,$02,$05\r\n"},
        {{{0, "2", 5}}, 9, false, false, "DC.w $0001\r\nDC.b $F0,$81,$F0,$02,$05\r\n"},
        {{{0, "2", 5}}, 0, true, false, "DC.w $0001\r\nDC.b $F8,$81,$00,$02,$05\r\n"},
        {{{0, "2", 5}}, 0, false, true, "DC.w $0001\r\nDC.b $00,$80,$F8,$02,$05\r\n"},
        {{{9, "2", 5}}, 0, true, true, "DC.w $0001\r\nDC.b $08,$80,$08,$02,$05\r\n"},
        {{{63, "2", 5}}, 0, false, false, "DC.w $0001\r\nDC.b $70,$80,$70,$02,$05\r\n"},
        {{}, 0, false, false, "DC.w $0000\r\n"},
        {{}, 63, true, true, "DC.w $0000\r\n"},
        {{{0, "0", 0x21}, {20, "256", 0x21}, {30, "4", 0x21}}, 0, false, false, nullptr},
        // clang-format on
    };
    for (const auto &[used, origin, h, v, want] : rows) {
        std::string text;
        const int error = errorOf([&text, &used = used, origin = origin, h = h, v = v] {
            text = BuildSpriteTable(gridWith(used, origin), h, v);
        });
        EXPECT_EQ(std::pair(text, error), std::pair(std::string(want ? want : ""), want ? 0 : 6))
            << origin << h << v;
    }
    SlotGrid full;
    for (Slot &s : full.slots) s.Tag = "238";
    const std::string text = BuildSpriteTable(full, false, false);
    EXPECT_EQ(text.size(), 1676u);
    EXPECT_EQ(text.substr(0, 12), "DC.w $0040\r\n");
    EXPECT_EQ(text.substr(1650), "DC.b $70,$80,$70,$EE,$00\r\n");
}

// The error numbers users read in a report, each with its description.
TEST(Error, NumbersCarryTheirStandardDescriptions) {
    const std::pair<int, const char *> rows[] = {
        {5, "Invalid procedure call or argument"},
        {6, "Overflow"},
        {7, "Out of memory"},
        {9, "Subscript out of range"},
        {51, "Internal error"},
        {53, "File not found"},
        {75, "Path/File access error"},
        {481, "Invalid picture"},
        {521, "Can't open Clipboard"},
        {32755, "Cancel was selected"},
        {76, "Application-defined or object-defined error"}};
    for (auto [number, text] : rows) EXPECT_EQ(Error(number).description(), text) << number;
}

TEST(Numbers, ReadTileNumberRoundsHalfToEvenAndOverflowsInsteadOfWrapping) {
    const std::pair<const char *, int> rows[] = {
        // -1: raises Overflow. Last, leading zeros and values that wrap to 38 in 32 or 64 bits.
        // clang-format off
        {" 38", 38}, {"\t 12", 12}, {"", 0},     {"abc", 0},  {"  7x", 7}, {"255", 255},
        {"2.5", 2},  {"3.5", 4},    {"-0.5", 0}, {"256", -1}, {"-1", -1},  {"255.5", -1},
        {"0000000000000000000000000038", 38}, {"4294967334", -1}, {"18446744073709551654", -1}};
    // clang-format on
    for (auto [tag, value] : rows) {
        int got = -1;
        const int error = errorOf([&got, tag = tag] { got = readTileNumber(tag); });
        EXPECT_EQ(std::pair(got, error), std::pair(value, value < 0 ? 6 : 0)) << tag;
    }
    EXPECT_EQ(errorOf([] { (void)narrow<std::uint8_t>(256); }), 6);
    EXPECT_EQ(errorOf([] { (void)narrowRounded<long long>(0x1p63); }), 6);
}

TEST(SlotGrid, CursorCellFromPixelRoundsHalfToEvenThenTruncates) {
    const std::pair<float, float> rows[] = {
        {0, 0},   {31, 0},  {32, 1},   {31.5f, 1},   {32.5f, 1}, {30.5f, 0}, {255, 7},
        {256, 8}, {-31, 0}, {-32, -1}, {-31.5f, -1}, {-63, -1},  {-64, -2}};
    for (auto [pixel, cell] : rows) EXPECT_EQ(cursorCellFromPixel(pixel), cell) << pixel;
}

// Moves in turn and the cursor after each: a position that rounds off the view leaves it.
TEST(SlotGrid, MoveCursorTakesOnlyCellsOfTheView) {
    const std::tuple<float, float, float, float> moves[] = {
        {100, 40, 3, 1},     {-1, 40, 3, 1},   {40, 300, 3, 1},     {-32, -32, 3, 1},
        {255.4f, 255, 7, 7}, {-0.5f, 0, 0, 0}, {255.5f, 100, 0, 0}, {NAN, 9, 0, 0}};
    SlotGrid g;
    for (auto [x, y, col, row] : moves) {
        g.moveCursor(x, y);
        EXPECT_EQ(std::pair(g.CursorCol, g.CursorRow), std::pair(col, row)) << x << "," << y;
    }
}

// The value set before the step (-1: none), the value after it, and the whole picture then as
// the tile mirrored: outside the cycle, the value goes to 0x61 with a left-right mirror.
TEST(SlotGrid, CycleFlipMirrorsThePictureAtEveryStep) {
    const std::tuple<int, int, bool, bool> steps[] = {
        {-1, 0x61, true, false},  {-1, 0xA1, false, true}, {-1, 0xE1, true, true},
        {-1, 0x21, false, false}, {5, 0x61, true, false},  {0xFF, 0x61, false, false},
        {0, 0x61, true, false}};
    SlotGrid g;
    g.placeTile(13);
    const PixelSurface tile = g.slots[13].picture = lopsided(SlotSize, SlotSize);
    for (auto [set, attr, h, v] : steps) {
        if (set >= 0) g.SlotAttr[13] = std::uint8_t(set);
        g.cycleFlip(13);
        EXPECT_EQ(g.SlotAttr[13], attr) << set;
        EXPECT_TRUE(g.slots[13].picture == flipped(tile, h, v)) << attr << " " << set;
    }
}

TEST(SlotGrid, IndexOutsideTheGridRaisesSubscriptOutOfRangeAndChangesNothing) {
    SlotGrid g = gridWith({{9, "34", 0xE1}}, 9);
    g.moveCursor(100, 40);
    for (auto op :
         {&SlotGrid::placeTile, &SlotGrid::cycleFlip, &SlotGrid::clear, &SlotGrid::setOrigin})
        for (int index : {-1, 64, 1000}) {
            const SlotGrid before = g;
            EXPECT_EQ(errorOf([&] { (g.*op)(index); }), 9) << index;
            EXPECT_TRUE(g == before) << index;
        }
}

// A surface holds no pixels until one is written, and no reader can tell: every row, pixel and
// comparison sees the fill colour. Each step acts on a new surface of A; then whether it is blank
// and its pixels at (4, 2) and (0, 0). It must equal the same pixels written one by one, either
// way round, and differ from them once one of them changes.
TEST(PixelSurface, BlankUntilWrittenAndReadAsItsFillColourMeanwhile) {
    constexpr Rgb A = rgb(1, 2, 3), B = rgb(9, 8, 7);
    const std::tuple<const char *, std::function<void(PixelSurface &)>, bool, Rgb, Rgb> steps[] = {
        {"new", [](PixelSurface &) {}, true, A, A},
        {"fill", [](PixelSurface &s) { s.fill(B); }, true, B, B},
        {"blank copy, one colour",
         [](PixelSurface &s) { StretchBlt(s, 0, 0, 5, 3, PixelSurface(5, 3, A), 0, 0, 5, 3); },
         true, A, A},
        {"mirror in place", [](PixelSurface &s) { StretchBlt(s, 0, 0, 5, 3, s, 4, 0, -5, 3); },
         true, A, A},
        {"blank copy, other colour",
         [](PixelSurface &s) { StretchBlt(s, 0, 0, 2, 2, PixelSurface(5, 3, B), 0, 0, 2, 2); },
         false, A, B},
        {"setPixel", [](PixelSurface &s) { s.setPixel(4, 2, B); }, false, B, A},
        {"writable row", [](PixelSurface &s) { (void)s.row(1); }, false, A, A},
        {"setPixel, fill", [](PixelSurface &s) { s.setPixel(4, 2, B), s.fill(A); }, false, A, A}};
    for (const auto &[name, step, blank, corner, origin] : steps) {
        PixelSurface s(5, 3, A), written(5, 3, B);
        step(s);
        EXPECT_EQ(s.isBlank(), blank) << name;
        EXPECT_EQ(std::pair(s.pixel(4, 2), s.pixel(0, 0)), std::pair(corner, origin)) << name;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                EXPECT_EQ(std::as_const(s).row(y)[x], s.pixel(x, y)) << name;
                written.setPixel(x, y, s.pixel(x, y));
            }
        EXPECT_TRUE(s == written && written == s) << name;
        written.setPixel(2, 1, rgb(5, 5, 5));
        EXPECT_FALSE(s == written || written == s) << name;
    }
    EXPECT_FALSE(PixelSurface(5, 3, A) == PixelSurface(5, 3, B));
    EXPECT_FALSE(PixelSurface(5, 4, A) == PixelSurface(5, 3, A));
    EXPECT_TRUE(PixelSurface(0, 3, A) == PixelSurface(0, 3, B));
}

} // namespace
} // namespace mosaikon

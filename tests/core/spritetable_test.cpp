#include "core/slotgrid.h"
#include "core/spritetable.h"
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace mosaikon {
namespace {

using test::errorOf;

struct Used {
    int index;
    const char *tag;
    std::uint8_t attr;
};

SlotGrid gridWith(const std::vector<Used> &used, int origin) {
    SlotGrid g;
    for (const Used &u : used) {
        g.slots[static_cast<std::size_t>(u.index)].Tag = u.tag;
        g.SlotAttr[static_cast<std::size_t>(u.index)] = u.attr;
    }
    g.setOrigin(origin);
    return g;
}

std::string entryLine(int xl, int xh, int y, int tile, int attr) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "DC.b $%02X,$%02X,$%02X,$%02X,$%02X\r\n", xl, xh, y, tile, attr);
    return buf;
}

constexpr std::size_t HeaderLength = 12;
constexpr std::size_t EntryLength = 26;

// The tile field of every entry line, in order.
std::vector<int> tileFields(const std::string &text) {
    std::vector<int> tiles;
    for (std::size_t at = HeaderLength; at + EntryLength <= text.size(); at += EntryLength)
        tiles.push_back(std::stoi(text.substr(at + 18, 2), nullptr, 16));
    return tiles;
}

TEST(BuildSpriteTable, WorkedExamples) {
    const SlotGrid three = gridWith({{0, "0", 0x21}, {9, "34", 0x61}, {18, "238", 0xE1}}, 9);
    EXPECT_EQ(BuildSpriteTable(three, true, false), "DC.w $0003\r\n"
                                                    "DC.b $E8,$81,$F0,$00,$21\r\n"
                                                    "DC.b $F8,$81,$00,$22,$61\r\n"
                                                    "DC.b $08,$80,$10,$EE,$E1\r\n");
    EXPECT_EQ(BuildSpriteTable(three, true, false).size(), 90u);

    const SlotGrid block = gridWith({{0, "0", 0x21},
                                     {1, "2", 0x21},
                                     {2, "4", 0x21},
                                     {8, "32", 0x21},
                                     {9, "34", 0x21},
                                     {10, "36", 0x21},
                                     {16, "64", 0x21},
                                     {17, "66", 0x21},
                                     {18, "68", 0x21}},
                                    9);
    EXPECT_EQ(BuildSpriteTable(block, true, true), "DC.w $0009\r\n"
                                                   "DC.b $E8,$81,$E8,$00,$21\r\n"
                                                   "DC.b $F8,$81,$E8,$02,$21\r\n"
                                                   "DC.b $08,$80,$E8,$04,$21\r\n"
                                                   "DC.b $E8,$81,$F8,$20,$21\r\n"
                                                   "DC.b $F8,$81,$F8,$22,$21\r\n"
                                                   "DC.b $08,$80,$F8,$24,$21\r\n"
                                                   "DC.b $E8,$81,$08,$40,$21\r\n"
                                                   "DC.b $F8,$81,$08,$42,$21\r\n"
                                                   "DC.b $08,$80,$08,$44,$21\r\n");
}

// One used slot each; the wanted bytes are the offsets' known wrapped values.
TEST(BuildSpriteTable, OffsetsWrapToOneByteWithTheSignInTheHighByteOfX) {
    const struct {
        int origin, slot;
        bool h, v;
        int xl, xh, y;
    } cases[] = {
        {63, 0, true, true, 0x88, 0x81, 0x88},   // -120
        {9, 0, true, true, 0xE8, 0x81, 0xE8},    // -24
        {9, 0, false, false, 0xF0, 0x81, 0xF0},  // -16
        {0, 0, true, true, 0xF8, 0x81, 0xF8},    // -8
        {0, 0, false, false, 0x00, 0x80, 0x00},  // 0
        {0, 9, true, true, 0x08, 0x80, 0x08},    // 8
        {0, 63, false, false, 0x70, 0x80, 0x70}, // 112
        {0, 0, true, false, 0xF8, 0x81, 0x00},    {0, 0, false, true, 0x00, 0x80, 0xF8},
        {36, 32, false, false, 0xC0, 0x81, 0x00}, {4, 60, true, false, 0xF8, 0x81, 0x70},
    };
    for (const auto &c : cases) {
        const SlotGrid g = gridWith({{c.slot, "2", 0x05}}, c.origin);
        EXPECT_EQ(BuildSpriteTable(g, c.h, c.v),
                  "DC.w $0001\r\n" + entryLine(c.xl, c.xh, c.y, 0x02, 0x05))
            << c.origin << " " << c.slot << " " << c.h << c.v;
    }
}

TEST(BuildSpriteTable, EmptyGridGivesTheHeaderAlone) {
    for (bool h : {false, true})
        for (bool v : {false, true})
            EXPECT_EQ(BuildSpriteTable(SlotGrid{}, h, v), "DC.w $0000\r\n");
}

TEST(BuildSpriteTable, FullGridHasSixtyFiveLines) {
    SlotGrid g;
    for (Slot &s : g.slots) s.Tag = "238";
    const std::string text = BuildSpriteTable(g, false, false);
    EXPECT_EQ(text.size(), 1676u);
    EXPECT_EQ(text.substr(0, HeaderLength), "DC.w $0040\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 65);
    EXPECT_EQ(text.find("\r\n\r\n"), std::string::npos);
}

// Random grids: length, count, and each entry's tile and attribute in index order, upper-case
// and zero-filled.
TEST(BuildSpriteTable, RandomGridsListUsedSlotsInIndexOrder) {
    std::mt19937 rng(20240613);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        SlotGrid g;
        std::vector<std::string> tails;
        for (std::size_t i = 0; i < SlotCount; ++i) {
            g.SlotAttr[i] = static_cast<std::uint8_t>(byte(rng));
            if (byte(rng) < 128) continue;
            const int tile = byte(rng);
            g.slots[i].Tag = std::to_string(tile);
            char tail[16];
            std::snprintf(tail, sizeof tail, ",$%02X,$%02X\r\n", tile, g.SlotAttr[i]);
            tails.push_back(tail);
        }
        g.setOrigin(byte(rng) % SlotCount);
        const std::string text = BuildSpriteTable(g, round % 2 == 1, round % 3 == 1);
        ASSERT_EQ(text.size(), HeaderLength + EntryLength * tails.size());
        char header[16];
        std::snprintf(header, sizeof header, "DC.w $%04X\r\n", static_cast<unsigned>(tails.size()));
        EXPECT_EQ(text.substr(0, HeaderLength), header);
        for (std::size_t n = 0; n < tails.size(); ++n)
            EXPECT_EQ(text.substr(HeaderLength + EntryLength * n + 16, 10), tails[n]) << n;
    }
}

TEST(BuildSpriteTable, PlacementOrderDoesNotMatterAndClearedSlotsAreLeftOut) {
    // Each slot gets the tile under the cell of the same column and row, so its tile number
    // (row * 16 + col) * 2 grows with the index.
    const int slots[] = {40, 5, 63, 12, 0, 33};
    SlotGrid forward;
    SlotGrid backward;
    for (std::size_t n = 0; n < std::size(slots); ++n) {
        const int s = slots[n];
        const int r = slots[std::size(slots) - 1 - n];
        forward.moveCursor(static_cast<float>(s % 8 * 32), static_cast<float>(s / 8 * 32));
        forward.placeTile(s);
        backward.moveCursor(static_cast<float>(r % 8 * 32), static_cast<float>(r / 8 * 32));
        backward.placeTile(r);
    }
    const std::string text = BuildSpriteTable(forward, true, false);
    EXPECT_EQ(text, BuildSpriteTable(backward, true, false));
    EXPECT_EQ(tileFields(text), (std::vector<int>{0, 10, 40, 130, 160, 238}));

    forward.cycleFlip(12);
    forward.cycleFlip(12);
    forward.clear(12);
    forward.clear(63);
    EXPECT_EQ(forward.SlotAttr[12], AttrV);
    EXPECT_EQ(tileFields(BuildSpriteTable(forward, true, false)),
              (std::vector<int>{0, 10, 130, 160}));
}

TEST(BuildSpriteTable, ReadTileNumber) {
    const struct {
        const char *tag;
        int value; // -1: raises Overflow
    } cases[] = {{" 38", 38},  {"38", 38},          {"", 0},
                 {"abc", 0},   {"255", 255},        {"0", 0},
                 {"238", 238}, {"  7x", 7},         {"\t12", 12},
                 {"+12", 12},  {"-0", 0},           {"2.5", 2},
                 {"3.5", 4},   {"254.5", 254},      {"1.4", 1},
                 {"1.6", 2},   {"0.5", 0},          {"007", 7},
                 {"256", -1},  {"-1", -1},          {"255.5", -1},
                 {"1000", -1}, {"99999999999", -1}, {"-99999999999", -1}};
    for (const auto &c : cases) {
        std::uint8_t got = 0;
        const int error = errorOf([&] { got = readTileNumber(c.tag); });
        if (c.value < 0) {
            EXPECT_EQ(error, Overflow) << '"' << c.tag << '"';
        } else {
            EXPECT_EQ(error, 0) << '"' << c.tag << '"';
            EXPECT_EQ(got, c.value) << '"' << c.tag << '"';
        }
    }
    EXPECT_EQ(errorOf([] { (void)readTileNumber(std::string(400, '9')); }), Overflow);
}

TEST(BuildSpriteTable, TileNumberOutOfByteRangeRaisesOverflow) {
    for (const char *tag : {"256", "-2", "1000", "255.5"}) {
        const SlotGrid g = gridWith({{0, "0", 0x21}, {20, tag, 0x21}, {30, "4", 0x21}}, 0);
        EXPECT_EQ(errorOf([&] { (void)BuildSpriteTable(g, false, false); }), Overflow) << tag;
    }
}

} // namespace
} // namespace mosaikon

// BuildSpriteTable over any Tag texts (any bytes, NULs and endless digit strings included), any
// attribute bytes and any origin bytes 0..255, not only the 0..7 a gesture can set.
//
// A table that comes back is 12 + 26 * count characters of printable ASCII in CR LF ended lines:
// the count of used slots in the header, then one line per used slot in index order whose fields
// are the slot's offsets from the origin, its tile number and its attribute byte. A table that
// does not come back failed with an overflow error, and only for a tile number out of 0..255.

#include "error.h"
#include "fuzzcheck.h"
#include "numbers.h"
#include "slotgrid.h"
#include "spritetable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace mosaikon;

namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// The value of `digits` hexadecimal digits at `text[at]`, after the "$" in front of them.
unsigned hexField(std::string_view text, std::size_t at, int digits) {
    FUZZ_CHECK(text[at] == '$');
    unsigned value = 0;
    for (int k = 1; k <= digits; ++k) {
        const char c = text[at + static_cast<std::size_t>(k)];
        FUZZ_CHECK(isHexDigit(c));
        value = value * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : c - 'A' + 10);
    }
    return value;
}

// What a Tag of plain decimal digits after leading spaces reads as, and 0 for one with nothing
// like a number in front; nullopt for any other text. Values past 255 come back as 256.
std::optional<unsigned> plainTileNumber(std::string_view tag) {
    std::size_t i = 0;
    while (i < tag.size() && tag[i] == ' ') ++i;
    if (i == tag.size()) return 0;
    const char first = tag[i];
    const bool numberLike = (first >= '0' && first <= '9') || first == '+' || first == '-' ||
                            first == '.' || first == '\t';
    if (!numberLike) return 0;
    unsigned value = 0;
    for (; i < tag.size(); ++i) {
        if (tag[i] < '0' || tag[i] > '9') return std::nullopt;
        value = std::min(value * 10 + static_cast<unsigned>(tag[i] - '0'), 256u);
    }
    return value;
}

bool tileNumberFails(std::string_view tag) {
    try {
        readTileNumber(tag);
        return false;
    } catch (const Error &e) {
        FUZZ_CHECK(e.number() == Overflow);
        return true;
    }
}

void checkTable(const SlotGrid &grid, bool horizontal, bool vertical, const std::string &text) {
    std::vector<int> used;
    for (int i = 0; i < SlotCount; ++i)
        if (!grid.slots[static_cast<std::size_t>(i)].Tag.empty()) used.push_back(i);

    FUZZ_CHECK(text.size() == 12 + 26 * used.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        const bool lineEnd = (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ||
                             (c == '\n' && k > 0 && text[k - 1] == '\r');
        FUZZ_CHECK(lineEnd || (c >= 0x20 && c <= 0x7E));
    }
    FUZZ_CHECK(text.ends_with("\r\n"));

    const std::string_view all(text);
    FUZZ_CHECK(all.starts_with("DC.w "));
    FUZZ_CHECK(hexField(all, 5, 4) == used.size());
    FUZZ_CHECK(all.substr(10, 2) == "\r\n");

    const int hAdjust = horizontal ? 8 : 0;
    const int vAdjust = vertical ? 8 : 0;
    for (std::size_t n = 0; n < used.size(); ++n) {
        const std::string_view line = all.substr(12 + 26 * n, 26);
        const int i = used[n];
        const Slot &slot = grid.slots[static_cast<std::size_t>(i)];
        FUZZ_CHECK(line.starts_with("DC.b "));
        FUZZ_CHECK(line.substr(24) == "\r\n");
        unsigned fields[5];
        for (std::size_t f = 0; f < 5; ++f) {
            if (f > 0) FUZZ_CHECK(line[5 + 4 * f - 1] == ',');
            fields[f] = hexField(line, 5 + 4 * f, 2);
        }
        const int dx = (i % SlotColumns - grid.OriginCol) * 16 - hAdjust;
        const int dy = (i / SlotColumns - grid.OriginRow) * 16 - vAdjust;
        FUZZ_CHECK(fields[0] == wrap8(dx));
        FUZZ_CHECK(fields[1] == (fields[0] <= 0x7F ? 0x80u : 0x81u));
        FUZZ_CHECK(fields[2] == wrap8(dy));
        FUZZ_CHECK(fields[3] == readTileNumber(slot.Tag));
        if (const auto plain = plainTileNumber(slot.Tag)) FUZZ_CHECK(fields[3] == *plain);
        FUZZ_CHECK(fields[4] == grid.SlotAttr[static_cast<std::size_t>(i)]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // One grid for all runs: its 64 slot pictures are large and the export never looks at them.
    static SlotGrid grid;
    for (Slot &slot : grid.slots) slot.Tag.clear();
    grid.SlotAttr.fill(0);

    FuzzedDataProvider in(data, size);
    const bool horizontal = in.ConsumeBool();
    const bool vertical = in.ConsumeBool();
    grid.OriginCol = in.ConsumeIntegral<std::uint8_t>();
    grid.OriginRow = in.ConsumeIntegral<std::uint8_t>();
    for (int k = 0; k < 2 * SlotCount && in.remaining_bytes() > 0; ++k) {
        const auto index = in.ConsumeIntegralInRange<std::size_t>(0, SlotCount - 1);
        grid.SlotAttr[index] = in.ConsumeIntegral<std::uint8_t>();
        grid.slots[index].Tag = in.ConsumeRandomLengthString(400);
    }

    std::string text;
    try {
        text = BuildSpriteTable(grid, horizontal, vertical);
    } catch (const Error &e) {
        FUZZ_CHECK(e.number() == Overflow);
        bool someTagFails = false;
        for (const Slot &slot : grid.slots)
            if (!slot.Tag.empty() && tileNumberFails(slot.Tag)) someTagFails = true;
        FUZZ_CHECK(someTagFails);
        for (const Slot &slot : grid.slots)
            if (const auto plain = plainTileNumber(slot.Tag); !slot.Tag.empty() && plain)
                FUZZ_CHECK(*plain <= 255 || tileNumberFails(slot.Tag));
        return 0;
    }
    for (const Slot &slot : grid.slots) {
        if (slot.Tag.empty()) continue;
        FUZZ_CHECK(!tileNumberFails(slot.Tag));
        if (const auto plain = plainTileNumber(slot.Tag)) FUZZ_CHECK(*plain <= 255);
    }
    checkTable(grid, horizontal, vertical, text);
    // Nothing is kept from one export to the next.
    FUZZ_CHECK(BuildSpriteTable(grid, horizontal, vertical) == text);
    return 0;
}

// BuildSpriteTable over any Tag texts (any bytes, NULs and endless digit strings included), any
// attribute bytes and any origin bytes 0..255, not only the 0..7 a gesture can set. The text must
// be the count of used slots, then one line per used slot in index order: its offsets from the
// origin as wrapped bytes (the X high byte $81 when the low byte's sign bit is set), its tile
// number and attribute byte; or error 6, exactly when some used slot's tile number is outside
// 0..255.

#include "error.h"
#include "fuzzcheck.h"
#include "numbers.h"
#include "slotgrid.h"
#include "spritetable.h"

#include <optional>
#include <string>

using namespace mosaikon;

namespace {

// The tile number of a used slot's Tag, or nothing where reading it raises 6 (and only 6).
std::optional<unsigned> tileNumber(const std::string &tag) try {
    return readTileNumber(tag);
} catch (const Error &e) {
    FUZZ_CHECK(e.number() == 6);
    return std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static SlotGrid grid; // one for all runs: its slot pictures are large and never exported
    for (Slot &slot : grid.slots) slot.Tag.clear();
    grid.SlotAttr.fill(0);
    FuzzedDataProvider in(data, size);
    const bool horizontal = in.ConsumeBool(), vertical = in.ConsumeBool();
    grid.OriginCol = in.ConsumeIntegral<std::uint8_t>();
    grid.OriginRow = in.ConsumeIntegral<std::uint8_t>();
    for (int k = 0; k < 2 * SlotCount && in.remaining_bytes() > 0; ++k) {
        const auto index = in.ConsumeIntegralInRange<std::size_t>(0, SlotCount - 1);
        grid.SlotAttr[index] = in.ConsumeIntegral<std::uint8_t>();
        grid.slots[index].Tag = in.ConsumeRandomLengthString(400);
    }
    std::optional<std::string> lines = "";
    int count = 0;
    for (std::size_t i = 0; i < SlotCount; ++i) {
        if (grid.slots[i].Tag.empty()) continue;
        const std::optional<unsigned> tile = tileNumber(grid.slots[i].Tag);
        const int dx = (int(i % 8) - grid.OriginCol) * 16 - (horizontal ? 8 : 0);
        const int dy = (int(i / 8) - grid.OriginRow) * 16 - (vertical ? 8 : 0);
        char line[32];
        std::snprintf(line, sizeof line, "DC.b $%02X,$%02X,$%02X,$%02X,$%02X\r\n", dx & 255,
                      dx & 0x80 ? 0x81 : 0x80, dy & 255, tile.value_or(0), grid.SlotAttr[i]);
        if (!tile) lines.reset();
        if (lines) *lines += line;
        ++count;
    }
    char header[16];
    std::snprintf(header, sizeof header, "DC.w $%04X\r\n", count);
    for (int run = 0; run < 2; ++run) { // nothing is kept from one export to the next
        std::string text;
        int error = 0;
        try {
            text = BuildSpriteTable(grid, horizontal, vertical);
        } catch (const Error &e) {
            error = e.number();
        }
        FUZZ_CHECK(lines ? error == 0 && text == header + *lines : error == 6);
    }
    return 0;
}

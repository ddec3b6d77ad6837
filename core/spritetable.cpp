#include "spritetable.h"

#include "error.h"
#include "numbers.h"
#include "slotgrid.h"

namespace mosaikon {

std::uint8_t readTileNumber(std::string_view tag) {
    std::size_t i = 0;
    while (i < tag.size() && (tag[i] == ' ' || tag[i] == '\t')) ++i;
    bool negative = false;
    if (i < tag.size() && (tag[i] == '-' || tag[i] == '+')) negative = tag[i++] == '-';
    // Accumulating in double keeps any number of digits from overflowing; past 2^53 the value is
    // no longer exact but far out of range anyway.
    double value = 0;
    for (; i < tag.size() && tag[i] >= '0' && tag[i] <= '9'; ++i)
        value = value * 10 + (tag[i] - '0');
    if (i < tag.size() && tag[i] == '.') {
        double scale = 0.1;
        for (++i; i < tag.size() && tag[i] >= '0' && tag[i] <= '9'; ++i, scale /= 10)
            value += (tag[i] - '0') * scale;
    }
    return narrowRounded<std::uint8_t>(negative ? -value : value);
}

namespace {

// One entry of the sprite table, for one used slot.
struct SpriteEntry {
    std::uint16_t X = 0;   // 0x80 or 0x81 in the high byte (0x81 for a negative offset), offset low
    std::uint8_t Y = 0;    // vertical offset wrapped to 8 bits
    std::uint8_t Tile = 0; // the slot's tile number
    std::uint8_t Attr = 0; // the slot's attribute byte
};

constexpr char hexDigits[] = "0123456789ABCDEF";

void appendHex(std::string &out, unsigned value, int digits) {
    out += '$';
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += hexDigits[(value >> shift) & 0xFu];
}

void appendEntryLine(std::string &out, const SpriteEntry &e) {
    out += "DC.b ";
    appendHex(out, e.X & 0xFFu, 2);
    for (unsigned field : {unsigned(e.X >> 8), unsigned(e.Y), unsigned(e.Tile), unsigned(e.Attr)}) {
        out += ',';
        appendHex(out, field, 2);
    }
    out += "\r\n";
}

constexpr std::size_t HeaderLength = 12; // "DC.w $0000" and CR LF
constexpr std::size_t EntryLength = 26;  // "DC.b $00,$00,$00,$00,$00" and CR LF

} // namespace

std::string BuildSpriteTable(const SlotGrid &grid, bool horizontal, bool vertical) {
    const std::int16_t HAdjust = horizontal ? 8 : 0;
    const std::int16_t VAdjust = vertical ? 8 : 0;
    std::int16_t count = 0;
    // The count is known only at the end; the header keeps its place in front of the entries
    // and gets its digits last, so the text is built in one buffer.
    std::string text;
    text.reserve(HeaderLength + EntryLength * SlotCount);
    text += "DC.w ";
    appendHex(text, 0, 4);
    text += "\r\n";
    for (int i = 0; i < SlotCount; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (grid.slots[slot].Tag.empty()) continue;
        ++count;
        SpriteEntry e;
        e.Tile = readTileNumber(grid.slots[slot].Tag);
        e.Attr = grid.SlotAttr[slot];
        const int dy = (i / SlotColumns - grid.OriginRow) * 16 - VAdjust;
        e.Y = wrap8(dy);
        const int dx = (i % SlotColumns - grid.OriginCol) * 16 - HAdjust;
        const std::uint8_t b = wrap8(dx);
        e.X = static_cast<std::uint16_t>((b <= 127 ? 0x8000u : 0x8100u) + b);
        appendEntryLine(text, e);
    }
    std::string header = "DC.w ";
    appendHex(header, static_cast<unsigned>(count), 4);
    text.replace(0, header.size(), header);
    return text;
}

} // namespace mosaikon

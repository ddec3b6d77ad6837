#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mosaikon {

class SlotGrid;

// One entry of the sprite table, for one used slot.
struct SpriteEntry {
    std::uint16_t X = 0;   // 0x80 or 0x81 in the high byte (0x81 for a negative offset), offset low
    std::uint8_t Y = 0;    // vertical offset wrapped to 8 bits
    std::uint8_t Tile = 0; // the slot's tile number
    std::uint8_t Attr = 0; // the slot's attribute byte
};

// The tile number a slot's Tag text holds: leading blanks skipped, then an optionally signed
// decimal number (a fraction is rounded half to even); a text with no number in front reads 0.
// Raises Overflow for a value outside 0..255.
std::uint8_t readTileNumber(std::string_view tag);

// The sprite table for the grid, as clipboard text: "DC.w $" and the count of used slots in four
// hex digits, then "DC.b $XL,$XH,$YY,$TT,$AA" for each used slot in index order, every line
// ended by CR LF. Offsets are measured from the origin slot, 16 pixels a slot, less 8 on an axis
// whose flag is set. Only reads the grid; raises Overflow for a tile number outside 0..255, and
// then produces nothing.
std::string BuildSpriteTable(const SlotGrid &grid, bool horizontal, bool vertical);

} // namespace mosaikon

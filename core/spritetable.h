#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mosaikon {

class SlotGrid;

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

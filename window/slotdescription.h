#pragma once

#include <QString>

namespace mosaikon {

class SlotGrid;

// What assistive technology says about slot view `index`: its name ("Slot 9, column 1, row 1")
// and a description of its content ("Tile 38, flipped left to right, origin" or "Empty").
QString slotAccessibleName(int index);
QString slotAccessibleDescription(const SlotGrid &grid, int index);

} // namespace mosaikon

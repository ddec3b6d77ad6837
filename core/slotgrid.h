#pragma once

#include "surface.h"

#include <array>
#include <cstdint>
#include <string>

namespace mosaikon {

inline constexpr int SlotCount = 64;
inline constexpr int SlotColumns = 8;
inline constexpr int SlotSize = 64;  // a slot picture is 64 x 64 pixels
inline constexpr int ViewSize = 256; // the source view is 256 x 256 pixels
inline constexpr int CellSize = 32;  // one 16 x 16 tile of the sheet, enlarged twice
inline constexpr int SheetShown = ViewSize / 2;

inline constexpr Rgb SourceBackground = rgb(0, 0, 0);
inline constexpr Rgb SlotBackground = rgb(64, 64, 64);

// Attribute bytes, in the SNES object attribute layout: bit 6 mirrors left to right, bit 7 top
// to bottom; the low six bits are always 0x21.
inline constexpr std::uint8_t MirrorLeftRight = 0x40; // bit 6
inline constexpr std::uint8_t MirrorTopBottom = 0x80; // bit 7
inline constexpr std::uint8_t AttrPlain = 0x21;
inline constexpr std::uint8_t AttrH = AttrPlain | MirrorLeftRight;
inline constexpr std::uint8_t AttrV = AttrPlain | MirrorTopBottom;
inline constexpr std::uint8_t AttrHV = AttrPlain | MirrorLeftRight | MirrorTopBottom;

// The cursor cell under a source-view pixel coordinate: rounded half to even, then divided by the
// cell size truncating toward zero. 31 -> 0, 32 -> 1, -32 -> -1, 256 -> 8.
float cursorCellFromPixel(float v);

// Tile number of a cursor cell: (row * 16 + col) * 2, formed in single precision.
float tileNumber(float col, float row);

// Plain decimal text of a whole number: "0", "38", "-2".
std::string tileNumberText(float number);

// One slot: its tile number text (empty = empty slot), whether its view shows the origin
// marker (a BorderStyle of 1), and its 64 x 64 picture.
struct Slot {
    std::string Tag;
    int BorderStyle = 0;
    PixelSurface picture{SlotSize, SlotSize, SlotBackground};

    bool operator==(const Slot &) const = default;
};

// The whole model of the sprite being composed: 64 slots (index = row * 8 + column), their
// attribute bytes, the tile cursor, the origin, and the source view's surface that tiles are
// copied from. Every gesture's whole effect, state and pixels, happens here; the window only
// shows it.
//
// Operations that take a slot index raise SubscriptOutOfRange for an index outside 0..63 before
// changing anything.
class SlotGrid {
public:
    std::array<Slot, SlotCount> slots;
    std::array<std::uint8_t, SlotCount> SlotAttr{};
    float CursorCol = 0;
    float CursorRow = 0;
    std::uint8_t OriginCol = 0;
    std::uint8_t OriginRow = 0;
    PixelSurface source{ViewSize, ViewSize, SourceBackground};

    // The pointer moved to view pixel (x, y): the cursor follows the cell under it. A position off
    // the view (rounded outside 0..255 on either axis) leaves the cursor as it was: a button held
    // on the view brings it moves from anywhere on the screen, and the cursor only ever holds one
    // of the view's cells, 0..7 each way.
    void moveCursor(float x, float y);

    // Tile drop: attribute 0x21, the cursor's cell enlarged into the slot picture, Tag = the
    // cursor's tile number.
    void placeTile(int index);

    // Next attribute of the cycle 0x21 -> 0x61 -> 0xA1 -> 0xE1 -> 0x21 (anything else -> 0x61),
    // mirroring the picture in place by the bits that change. Looks at neither Tag nor picture.
    void cycleFlip(int index);

    // Right-button press: Tag emptied, picture cleared; the attribute byte stays.
    void clear(int index);

    // Origin drop: OriginRow/OriginCol from the index, the marker on this slot and no other.
    void setOrigin(int index);

    // A loaded sheet becomes the view's picture: drawn at its own size at (0, 0) and clipped to
    // the view, background where it does not reach; then its top-left 128 x 128 pixels are
    // enlarged twice over the whole view. `sheet` holds opaque pixels.
    void showSheet(const PixelSurface &sheet);

    bool operator==(const SlotGrid &) const = default;
};

} // namespace mosaikon

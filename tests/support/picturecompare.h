#pragma once

// Comparing the program's pictures with the ones a test expects, and those expected pictures.

#include "surface.h"

#include <QImage>

namespace mosaikon::testing {

// A drawing surface as an RGB32 image, pixel for pixel.
QImage imageOf(const PixelSurface &surface);

// The largest difference of any colour channel between two pictures of the same size, or 256
// when the sizes differ.
int largestDifference(const QImage &a, const QImage &b);

// A size x size picture of `from` from pixel (left, top) on, each pixel a factor x factor block,
// drawn over black as the views show it (a transparent pixel blends into black); black past the
// edges of `from`, and all black for a null picture.
QImage enlarged(const QImage &from, int left, int top, int factor, int size);

// A sheet as the source view shows it: its top-left 128 x 128 pixels doubled.
QImage viewOf(const QImage &sheet);

// The picture a slot shows, unmirrored, for the tile number `tag` of `sheet`: that 16 x 16 tile
// enlarged four times.
QImage slotTile(const QImage &sheet, int tag);

// The picture of an empty slot: grey.
QImage emptySlot();

} // namespace mosaikon::testing

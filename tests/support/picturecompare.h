#pragma once

// Comparing the program's pictures with the ones a test expects.

#include "surface.h"

#include <QImage>

namespace mosaikon::testing {

// A drawing surface as an RGB32 image, pixel for pixel.
QImage imageOf(const PixelSurface &surface);

// The largest difference of any colour channel between two pictures of the same size, or 256
// when the sizes differ.
int largestDifference(const QImage &a, const QImage &b);

} // namespace mosaikon::testing

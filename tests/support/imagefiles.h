#pragma once

// Pictures for tests: sheets and picture files written as a test needs them, and the program's
// pictures compared with the ones a test expects.

#include "surface.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace mosaikon::testing {

// A sheet whose every pixel differs from its neighbours in both directions, so a copy from the
// wrong place, a swapped axis or an off-by-one mirror shows: red = x, green = y, blue = a mix.
// With `paletted`, the colours come from 256 entries instead (for GIF), still distinct within
// every 16 x 16 tile.
QImage lopsidedSheet(int width, int height, bool paletted = false);

// The picture in the file at `path` as the test reads it, apart from the program's loader: Qt's
// decoder for the file's content, the whole picture within Qt's default allocation limit, into
// a transparent picture, so what a cut-off file never reaches stays transparent. Null when the
// decoder reads nothing.
QImage decodedPicture(const QString &path);

// Writes `bytes` to `path`; false when it cannot.
bool writeFile(const QString &path, const QByteArray &bytes);

// Writes `image` to `path` in the format its suffix names: gif, jpg or bmp.
bool writeSheet(const QString &path, const QImage &image);

// A drawing surface as an RGB32 image, pixel for pixel.
QImage imageOf(const PixelSurface &surface);

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

#pragma once

// Pictures for tests: sheets and picture files written as a test needs them, and the program's
// pictures compared with the ones a test expects.

#include "surface.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <array>

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

// A BMP file as a writer other than Qt's may lay it out; pixels, colours and gap are random.
struct BmpShape {
    int bits = 24;
    int infoSize = 40;
    int compression = 0;
    int width = 256, height = 256;     // a positive height stores the rows bottom-up
    int colours = 0;                   // the header's count of colours used; 0 means all
    std::array<quint32, 4> masks = {}; // red, green, blue, alpha; after a 40-byte header or in it
    int gap = 0;                       // bytes between the tables and the pixels
    int offsetShift = 0;               // added to the pixels' offset the file header states
    int cut = 0;                       // bytes cut off the end
    quint32 reserved = 0;              // the last field of a 124-byte header, 0 in a good file
};
QByteArray bmpFile(const BmpShape &shape);

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

#pragma once

#include <QByteArray>

class QIODevice;

namespace mosaikon {

// The top-left corner, at most `side` x `side` pixels, of the uncompressed BMP file `file`, as a
// BMP file of its own for a decoder to read in place of the whole file: headers, masks and colour
// table byte for byte, the width, height and sizes made the corner's, and of the pixel rows only
// the bytes that hold the corner. No pixel of an uncompressed BMP depends on another, so decoding
// it gives, pixel for pixel, the corner of what decoding the whole file gives. For a 256 x 256
// sheet that is a quarter of the decoding.
//
// Empty, the device's position then unspecified, wherever decoding the whole file could come out
// otherwise or nothing is saved: RLE pixels, an info header other than the 40, 108 or 124 byte
// ones, bit counts the decoder refuses, a colour table of more than 256 entries, pixel data that
// starts inside the tables or more than 4 KiB into the file, a file cut off before its last row,
// a picture no larger than the corner, and one the decoder refuses as too large: over 16384 x
// 16384 pixels, or over `limitBytes` at 32 bits a pixel. Whatever else the decoder refuses in the
// whole file (bit fields of all 32 bits, for one) it refuses in the corner: a caller that decodes
// the whole file when the corner fails reports just what the whole file gives.
//
// Example: a 24-bit 256 x 256 bottom-up file of 196662 bytes gives 128 x 128 pixels in 49206
// bytes, the file's last 128 rows, each cut to its first 384 bytes.
QByteArray bmpCorner(QIODevice &file, int side, qint64 limitBytes);

} // namespace mosaikon

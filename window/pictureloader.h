#pragma once

#include "surface.h"

#include <QImage>
#include <QString>

namespace mosaikon {

// The largest picture that is decoded whole: 8192 x 8192 pixels at 32 bits, in megabytes.
inline constexpr int FullDecodeLimitMb = 256;
inline constexpr qint64 FullDecodeLimitBytes = qint64(FullDecodeLimitMb) * 1024 * 1024;

// Reads the picture file at `path` for the source view: its top-left 128 x 128 pixels at most,
// all the view shows of it, transparent parts on black. The bytes the file begins with choose its
// decoder, whatever its name: GIF, JPEG, BMP or PNG, and no other, whatever image plugins are
// installed. Only the corner is decoded where the format allows it (JPEG, uncompressed BMP); other
// pictures are decoded whole up to FullDecodeLimitMb, and a header claiming more is refused before
// anything is allocated, whether or not the corner alone would fit.
//
// Raises FileNotFound (53) for a missing file, PathFileAccessError (75) for one that is no
// regular file (a folder, a FIFO, a device) or cannot be opened, and InvalidPicture (481) for
// one of any other format ("Unsupported image format") or one its decoder cannot read, with the
// decoder's message (a JPEG whose decoding would need more than FullDecodeLimitMb included).
PixelSurface loadSheetPicture(const QString &path);

// The top-left corner of `image`, at most 128 x 128 pixels, as opaque pixels: exactly what
// drawing it with QPainter over black gives, so a partly transparent pixel darkens toward black.
PixelSurface opaqueCorner(const QImage &image);

} // namespace mosaikon

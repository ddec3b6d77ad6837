#pragma once

#include <QByteArray>
#include <QImage>

namespace mosaikon {

// The bytes of a GIF file holding `image` (Qt reads GIF but cannot write it). An image of more
// than 256 colours is reduced to a 256-entry palette first; one of at most 256 colours keeps
// them exactly. With `transparentIndex` >= 0 the file is a GIF89a whose graphic control block
// marks that palette entry transparent; otherwise it is a GIF87a.
//
// The picture data never lets the LZW code table grow: a clear code before every 254 pixels keeps
// every code at 9 bits, which every decoder reads.
QByteArray encodeGif(const QImage &image, int transparentIndex = -1);

} // namespace mosaikon

#pragma once

// Picture files that a careless loader trips over, made from good ones: other encodings of a
// sheet (progressive JPEG, 16-, 24- and 32-bit BMP), cut-off files, and headers that claim sizes
// no sheet has. Everything is built in memory here; nothing is downloaded.

#include <QByteArray>
#include <QImage>

namespace mosaikon::testing {

// JPEG file bytes from Qt's writer; `progressive` writes the scans progressively.
QByteArray jpegBytes(const QImage &image, bool progressive = false, int quality = 90);

// BMP file bytes with a BITMAPINFOHEADER, bottom-up rows: 24 or 32 bits a pixel from Qt's
// writer (32 for an image with alpha), or 16 bits (5-5-5, written here) for `bitsPerPixel` 16.
QByteArray bmpBytes(const QImage &image, int bitsPerPixel);

// `bytes` cut after `length` bytes.
QByteArray truncated(const QByteArray &bytes, qsizetype length);

// A GIF from gifBytes with the logical screen size, or the first image descriptor's size,
// rewritten. The pixel data stays as it was.
QByteArray withGifScreen(QByteArray gif, int width, int height);
QByteArray withGifImageSize(QByteArray gif, int width, int height);

// A BMP with the width and height of its BITMAPINFOHEADER rewritten (signed 32-bit; a negative
// height means top-down rows).
QByteArray withBmpSize(QByteArray bmp, qint32 width, qint32 height);

// A JPEG with the size in its first SOFn frame header rewritten (unsigned 16-bit).
QByteArray withJpegSize(QByteArray jpeg, int width, int height);

// A BMP turned top-down: negative height and the rows in reverse order, the same picture.
QByteArray topDownBmp(const QByteArray &bmp);

// Peak resident memory of this process so far, in kilobytes (VmHWM); -1 when unknown.
qint64 peakResidentKb();

} // namespace mosaikon::testing

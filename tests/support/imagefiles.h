#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace mosaikon::testing {

// A sheet whose every pixel differs from its neighbours in both directions, so a copy from the
// wrong place, a swapped axis or an off-by-one mirror shows: red = x, green = y, blue = a mix.
// With `paletted`, the colours come from 256 entries instead (for GIF), still distinct within
// every 16 x 16 tile.
QImage lopsidedSheet(int width, int height, bool paletted = false);

// GIF87a file bytes for an image of at most 256 colours (converted to Indexed8 if needed). With
// `transparentIndex` >= 0 a graphic control block marks that palette entry transparent.
QByteArray gifBytes(const QImage &image, int transparentIndex = -1);

// The picture in the file at `path` as the test reads it, apart from the program's loader: Qt's
// decoder for the file's content, the whole picture within Qt's default allocation limit, into
// a transparent picture, so what a cut-off file never reaches stays transparent. Null when the
// decoder reads nothing.
QImage decodedPicture(const QString &path);

// Writes `bytes` to `path`; false when it cannot.
bool writeFile(const QString &path, const QByteArray &bytes);

// Writes `image` to `path` in the format its suffix names: gif (through gifBytes), jpg or bmp.
bool writeSheet(const QString &path, const QImage &image);

} // namespace mosaikon::testing

#pragma once

// Pictures as the tests expect them, worked out from the sheets the tests drew, and the
// program's pictures and clipboard read back for comparison.

#include "tests/support/picturecompare.h"

#include <QImage>
#include <QString>

namespace mosaikon::reliability {

// How far a JPEG of a smooth test sheet may stray from the sheet, per colour channel.
inline constexpr int JpegTolerance = 16;

// The file at `path` as Qt's reader reads it, the format told by content; null when it cannot.
QImage qtReads(const QString &path);

// The 256 x 256 source view a loaded sheet gives: the sheet's top-left 128 x 128 pixels, each a
// 2 x 2 block, over black (where the sheet ends and where it is transparent).
QImage viewOf(const QImage &sheet);

QString clipboardText();

} // namespace mosaikon::reliability

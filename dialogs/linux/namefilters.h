#pragma once

// Translation of the record's filter list into the name filters of a Qt file dialog.

#include <QStringList>

namespace mosaikon {

// One Qt name filter per complete description / pattern-list pair of `list` (dialog form: parts
// ending in NUL, the list ending in an empty part; null reads as empty). Each becomes
// "description (patterns)", the patterns separated by spaces instead of ";", blanks around them
// dropped, "*.*" widened to "*" (every file, with or without a dot) and an empty list read as "*".
// A description without a pattern list behind it is dropped.
QStringList nameFiltersFromList(const char *list);

// The 1-based number of the first of `filters` that a dialog reports as `shown`: the filter
// itself, or (with its details hidden) what stands in front of its one trailing "(patterns)".
// 0 when none matches.
qsizetype filterNumber(const QStringList &filters, const QString &shown);

} // namespace mosaikon

#pragma once

// Picture files a careless loader trips over: other encodings, cut-off files, headers claiming
// sizes no sheet has, and paths that are no readable file.

#include <QList>
#include <QString>

#include <utility>

namespace mosaikon::testing {

inline constexpr int Loads = 0;      // what loading a file must end with, if not an error number
inline constexpr int AsQtReads = -1; // loaded when the test's own decode reads it, else 481

// The hostile files made in the folder `dir`, each with what loading it must end as; empty when
// one cannot be made.
QList<std::pair<QString, int>> hostileFiles(const QString &dir);

} // namespace mosaikon::testing

#pragma once

// Picture files a careless loader trips over, made in memory from good sheets: other encodings,
// cut-off files, headers claiming sizes no sheet has, and paths that are no readable file.

#include <QList>
#include <QString>

#include <functional>

namespace mosaikon::testing {

inline constexpr int Loads = 0;      // what loading a file must end with, if not an error number
inline constexpr int AsQtReads = -1; // loaded when the test's own decode reads it, else 481

struct HostileFile {
    const char *name;
    std::function<bool(const QString &path)> make; // false when it cannot
    int expect;
};

QList<HostileFile> hostileFiles();

} // namespace mosaikon::testing

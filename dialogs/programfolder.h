#pragma once

#include <QString>

namespace mosaikon {

// The folder that holds the program's executable, in the platform's own notation ("\" between
// folders on Windows): the application's when there is one, else the system's record of the
// running image; empty when neither tells.
QString programFolder();

} // namespace mosaikon

#pragma once

#include <memory>

namespace mosaikon {

class Form1;

namespace Module1 {

// Start-up: creates the one window and shows it; the window's load handler puts the origin
// marker on slot 0. The caller keeps the window until the program ends and drops it before the
// application object.
std::unique_ptr<Form1> Main();

} // namespace Module1
} // namespace mosaikon

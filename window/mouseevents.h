#pragma once

#include <QMouseEvent>

namespace mosaikon {

// Button codes as the handlers take them: 1 left, 2 right, 4 middle; 0 for any other.
int buttonCode(Qt::MouseButton button);

// The buttons held during a move, as a sum of button codes.
int buttonState(Qt::MouseButtons buttons);

// Shift state: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);

} // namespace mosaikon

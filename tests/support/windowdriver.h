#pragma once

// Driving the program's window in-process: starting it, answering the message boxes a gesture
// shows, and the drops a drag would bring where no drag can run (offscreen).

#include "form1.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace mosaikon::testing {

// The window as the program starts it, exposed; fails the running test function when it never is.
std::unique_ptr<Form1> startWindow();

// Each runs `gesture`, closing every modal message box it shows as a user would (OK), and gives
// the last one: as "caption: text", empty when none showed; or as the error number it names, 0
// when none showed, -1 for a box that is not the program's error report ("Run-time error 'N':",
// a blank line, the description).
QString reportDuring(const std::function<void()> &gesture);
int reportedError(const std::function<void()> &gesture);

// A drag of the control named `source` released on `target`. Offscreen no drag enters, so the
// drop goes straight to the target's handler: the application would hand it only to a widget
// that took the drag in.
void dropControl(QWidget *target, const QByteArray &source);

} // namespace mosaikon::testing

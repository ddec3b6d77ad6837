#pragma once

// Driving the program's window in-process: starting it, answering the message boxes a gesture
// shows, and the drops a drag would bring where no drag can run (offscreen).

#include "form1.h"

#include <QByteArray>
#include <QPointF>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace mosaikon::testing {

// The window as the program starts it, exposed; fails the running test function when it never
// is (outside a test function, warns).
std::unique_ptr<Form1> startWindow();

// What a message box showed: its caption, text and object name.
struct Report {
    QString caption;
    QString text;
    QString name;
};

// Runs `gesture`, closing every modal message box it shows as a user would (OK). Returns the
// last one, or nothing when none showed.
std::optional<Report> lastReport(const std::function<void()> &gesture);

// The last report `gesture` showed as "caption: text", empty when none showed.
QString reportDuring(const std::function<void()> &gesture);

// The error number the last report `gesture` showed names: 0 when none showed, -1 for a box that
// is not the program's error report ("Run-time error 'N':", a blank line, the description).
int reportedError(const std::function<void()> &gesture);

// A drag of the control named `source` released on `target` at `at`. Offscreen no drag enters,
// so the drop goes straight to the target's handler: the application would hand it only to a
// widget that took the drag in.
void dropControl(QWidget *target, const QByteArray &source, QPointF at = {32, 32});

} // namespace mosaikon::testing

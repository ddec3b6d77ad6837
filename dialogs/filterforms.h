#pragma once

// The two forms of a file filter list. The user form separates descriptions and pattern lists
// with "|" ("Images|*.gif;*.jpg;*.bmp"); the dialog form, the one handed to the system dialog,
// separates them with NUL characters and ends in (at least) two NULs.

#include <QString>

namespace mosaikon {

// Every "|" replaced by a NUL, then NULs appended (at most two) until the text ends in two.
QString filterToDialogForm(const QString &userForm);

// Every NUL replaced by "|", then up to two trailing "|" removed. A user form without a
// trailing "|" survives the trip through the dialog form unchanged.
QString filterToUserForm(const QString &dialogForm);

} // namespace mosaikon

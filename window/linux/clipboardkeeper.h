#pragma once

#include <string>

// On X11 a selection's text lives in the client that owns it; these let the last export outlive
// the program.

namespace mosaikon {

// Whether a client owns CLIPBOARD_MANAGER: Qt then hands the clipboard to it as the application
// ends. False when the program does not run on X.
bool clipboardManagerRuns();

// Starts `xclip -i -selection clipboard` on this program's display with `text` on its standard
// input, detached from this program: a session of its own (no terminal, no hangup when ours
// closes), standard output and error on /dev/null, none of our other descriptors, working folder
// "/". xclip takes CLIPBOARD, forks into the background, serves the text in every text form asked
// for and ends when another client takes the clipboard. Waits at most half a second for xclip's
// first process to have done so. Returns false, having done nothing visible, when the program
// does not run on X, when xclip is missing or cannot start, or when `text` is larger than a pipe
// holds (64 KiB, far above any table).
bool startClipboardKeeper(const std::string &text);

} // namespace mosaikon

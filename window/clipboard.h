#pragma once

#include <string>

namespace mosaikon {

// Empties the clipboard, then puts `text` on it as plain text, byte for byte. Raises
// CantOpenClipboard (521) when the clipboard does not hold the text afterwards.
void putClipboardText(const std::string &text);

// Called once as the program ends, while its window system connection is still open, so that the
// text of the last putClipboardText stays pasteable after the program has gone. On Windows the
// system holds the text from the moment it is put, and this does nothing. On X11 a selection
// lives in the client that owns it: when this program still owns the clipboard and it holds that
// text, a running clipboard manager gets it from Qt as the application object ends; without one
// a detached xclip serves it until another client takes the clipboard. Otherwise, and when xclip
// is missing, does nothing and says nothing.
void keepClipboardAfterExit();

} // namespace mosaikon

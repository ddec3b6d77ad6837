#pragma once

#include <string>

namespace mosaikon {

// Empties the clipboard, then puts `text` on it as plain text, byte for byte. Raises
// CantOpenClipboard (521) when the clipboard does not hold the text afterwards.
void putClipboardText(const std::string &text);

// Called once as the program ends, while its X connection is still open. When this program still
// owns the clipboard and it holds the text of the last putClipboardText, the text stays pasteable
// after the program has gone: a running clipboard manager gets it from Qt as the application
// object ends; without one a detached xclip serves it until another client takes the clipboard.
// Otherwise, and when xclip is missing, does nothing and says nothing.
void keepClipboardAfterExit();

} // namespace mosaikon

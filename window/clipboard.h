#pragma once

#include <string>

namespace mosaikon {

// Empties the clipboard, then puts `text` on it as plain text, byte for byte. Raises
// CantOpenClipboard (521) when the clipboard does not hold the text afterwards.
void putClipboardText(const std::string &text);

} // namespace mosaikon

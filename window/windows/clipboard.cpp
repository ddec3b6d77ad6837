// The clipboard on Windows, through the system's own calls rather than Qt's: Qt offers an OLE
// data object that the system copies only when Qt's clipboard window ends, while text set with
// SetClipboardData belongs to the system at once and stays pasteable after the program has gone.

#include "clipboard.h"

#include "error.h"

#include <windows.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace mosaikon {
namespace {

// A message-only window of this program owns what it puts on the clipboard: with no owner,
// EmptyClipboard leaves the clipboard to nobody and SetClipboardData may fail.
HWND clipboardOwner() {
    static const HWND owner =
        CreateWindowExA(0, "STATIC", "Mosaikon clipboard", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    return owner;
}

// Another program (a clipboard viewer, a remote desktop) may hold the clipboard for a moment.
bool openClipboard() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(clipboardOwner())) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

bool setText(const std::string &text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory == nullptr) return false;
    if (void *bytes = GlobalLock(memory)) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        if (SetClipboardData(CF_TEXT, memory) != nullptr) return true; // the system's now
    }
    GlobalFree(memory);
    return false;
}

bool holds(const std::string &text) {
    const HANDLE data = GetClipboardData(CF_TEXT);
    const void *bytes = data != nullptr ? GlobalLock(data) : nullptr;
    if (bytes == nullptr) return false;
    const bool same =
        std::strncmp(static_cast<const char *>(bytes), text.c_str(), text.size() + 1) == 0;
    GlobalUnlock(data);
    return same;
}

} // namespace

void putClipboardText(const std::string &text) {
    if (!openClipboard()) raiseError(CantOpenClipboard);
    const bool put = EmptyClipboard() && setText(text) && holds(text);
    CloseClipboard();
    if (!put) raiseError(CantOpenClipboard);
}

void keepClipboardAfterExit() {}

} // namespace mosaikon

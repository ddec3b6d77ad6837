// A Windows program for the tests under Wine, which sees what another Windows program sees:
//   wintool clip          writes the clipboard's CF_TEXT to standard output, byte for byte
//                         (Wine hands text to X clients with LF line ends; a Windows program
//                         pastes these bytes); status 1 when there is none
//   wintool close TITLE   asks the top-level window titled TITLE to close, as its close box does
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>

namespace {

int printClipboard() {
    if (!OpenClipboard(nullptr)) return 1;
    HANDLE data = GetClipboardData(CF_TEXT);
    const auto *text = data ? static_cast<const char *>(GlobalLock(data)) : nullptr;
    if (text) {
        _setmode(_fileno(stdout), _O_BINARY);
        std::fwrite(text, 1, std::strlen(text), stdout);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc == 2 && std::strcmp(argv[1], "clip") == 0) return printClipboard();
    HWND window =
        argc == 3 && std::strcmp(argv[1], "close") == 0 ? FindWindowA(nullptr, argv[2]) : nullptr;
    if (window) return PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    std::fputs("usage: wintool clip | wintool close TITLE (of a window)\n", stderr);
    return 2;
}

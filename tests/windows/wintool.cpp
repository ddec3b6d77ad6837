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
    int status = 1;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto *text = static_cast<const char *>(GlobalLock(data))) {
            _setmode(_fileno(stdout), _O_BINARY);
            std::fwrite(text, 1, std::strlen(text), stdout);
            GlobalUnlock(data);
            status = 0;
        }
    }
    CloseClipboard();
    return status;
}

int closeWindow(const char *title) {
    HWND window = FindWindowA(nullptr, title);
    return window != nullptr && PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc == 2 && std::strcmp(argv[1], "clip") == 0) return printClipboard();
    if (argc == 3 && std::strcmp(argv[1], "close") == 0) return closeWindow(argv[2]);
    std::fputs("usage: wintool clip | wintool close TITLE\n", stderr);
    return 2;
}

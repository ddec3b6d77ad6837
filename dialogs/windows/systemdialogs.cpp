// The system's open and save dialogs on Windows: the common dialog library's, called with the
// record as it is. What the library leaves to its caller is done here: a path too long for the
// record is refused with a message and the dialog shown again, and a dialog still open when the
// program's last window closes is cancelled, so the program can end.

#include "dialogseam.h"
#include "openfilename.h"

#include <QGuiApplication>

#include <cstring>
#include <string>

namespace mosaikon {
namespace {

// Cancels every dialog box this thread shows (the common dialogs and the message boxes over
// them), as the user's Cancel would.
void cancelDialogsOfThisThread() {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            char name[8] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::strcmp(name, "#32770") == 0) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        },
        0);
}

// The dialogs wait without an owner, so the window stays usable and can be closed meanwhile;
// they must not keep the program alive after it.
void cancelDialogsAtLastWindow() {
    [[maybe_unused]] static const bool connected = [] {
        if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            QObject::connect(app, &QGuiApplication::lastWindowClosed, cancelDialogsOfThisThread);
        return true;
    }();
}

void sayPathTooLong(const OPENFILENAMEA &rec, unsigned needed, bool open) {
    const QByteArray text = toRecordText(pathTooLongText(needed, pathRoom(rec)));
    const char *title = rec.lpstrTitle != nullptr && *rec.lpstrTitle != '\0' ? rec.lpstrTitle
                        : open                                               ? "Open"
                                                                             : "Save As";
    MessageBoxA(static_cast<HWND>(rec.hwndOwner), text.constData(), title, MB_OK | MB_ICONWARNING);
}

template<typename Dialog> int runDialog(OPENFILENAMEA *rec, Dialog dialog, bool open) {
    cancelDialogsAtLastWindow();
    // A refused choice overwrites the start of the file name buffer with the size it needed;
    // each new showing starts from the buffer as the caller filled it.
    const std::string sent(rec->lpstrFile != nullptr ? rec->lpstrFile : "",
                           rec->lpstrFile != nullptr ? rec->nMaxFile : 0);
    for (;;) {
        if (dialog(rec)) return 1;
        if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL || rec->lpstrFile == nullptr) return 0;
        unsigned char size[2];
        std::memcpy(size, rec->lpstrFile, sizeof size);
        // The size counts the path's NUL.
        const unsigned needed = size[0] + 256u * size[1];
        std::memcpy(rec->lpstrFile, sent.data(), sent.size());
        sayPathTooLong(*rec, needed > 0 ? needed - 1 : 0, open);
    }
}

} // namespace

int GetOpenFileNameA(OPENFILENAMEA *rec) {
    return runDialog(rec, ::GetOpenFileNameA, true);
}

int GetSaveFileNameA(OPENFILENAMEA *rec) {
    return runDialog(rec, ::GetSaveFileNameA, false);
}

} // namespace mosaikon

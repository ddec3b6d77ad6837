#pragma once

// The record that the system's open and save dialogs take, the two dialog functions, and the
// 8-bit text that crosses into them.
//
// On Windows these are the common dialog library's own. Elsewhere Mosaikon supplies the record,
// field for field in the same order and of the same kinds, and realises the two functions with a
// Qt file dialog that keeps the same contract (see GetOpenFileNameA below).

#include <QByteArray>
#include <QString>

#include <cstdint>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX // keeps std::min and std::max usable
#endif
#include <windows.h>

#include <commdlg.h>
#endif

namespace mosaikon {

// The platform's longest path in characters (MAX_PATH): the room the file dialog object gives a
// chosen path by default, and the room it declares for the chosen file's name.
inline constexpr std::int16_t MaxPath = 260;

#ifdef _WIN32

using OPENFILENAMEA = ::OPENFILENAMEA;

// The 76-byte form on 32-bit Windows; the same field set laid out for 64-bit pointers there.
inline constexpr std::uint32_t OpenFileNameSize = OPENFILENAME_SIZE_VERSION_400A;

#else

using OfnHookProc = std::uintptr_t (*)(void *, std::uint32_t, std::uintptr_t, std::intptr_t);

// The platform's record in its 76-byte form: twenty fields, nothing after lpTemplateName.
// Text fields are pointers only; whoever fills the record owns the texts and their lengths.
struct OPENFILENAMEA {
    std::uint32_t lStructSize;
    void *hwndOwner;
    void *hInstance;
    const char *lpstrFilter;
    char *lpstrCustomFilter;
    std::uint32_t nMaxCustFilter;
    std::uint32_t nFilterIndex;
    char *lpstrFile;
    std::uint32_t nMaxFile;
    char *lpstrFileTitle;
    std::uint32_t nMaxFileTitle;
    const char *lpstrInitialDir;
    const char *lpstrTitle;
    std::uint32_t Flags;
    std::uint16_t nFileOffset;
    std::uint16_t nFileExtension;
    const char *lpstrDefExt;
    std::intptr_t lCustData;
    OfnHookProc lpfnHook;
    const char *lpTemplateName;
};

// The value lStructSize carries: the size of the record's 32-bit form.
inline constexpr std::uint32_t OpenFileNameSize = 76;

// Option bit: the save dialog asks before it lets the user pick a file that exists.
inline constexpr std::uint32_t OFN_OVERWRITEPROMPT = 0x2;

// Shows a modal open-file dialog and returns when the user has closed it: non-zero for a
// confirmed file, 0 for a cancel or a failure (no QApplication). A choice whose path, as 8-bit
// text, needs more than nMaxFile - 1 bytes is refused while the dialog stays open, with a
// message over it that says so; the user then chooses again or cancels.
//
// Reads lpstrFilter (description / pattern pairs, NUL separated, ending in two NULs; "*.*" means
// every file), nFilterIndex (1-based pair shown first), lpstrFile (start name up to its first
// NUL), lpstrInitialDir, lpstrTitle ("Open" when empty), lpstrDefExt (suffix for a name typed
// without one) and hwndOwner (0: no owner, so the dialog blocks no other window while the
// caller waits; otherwise the native id of a widget, which the dialog then blocks).
// On a confirmed choice writes what answerWithPath (dialogseam.h) writes, plus nFilterIndex;
// on any other outcome writes nothing. Never writes more than nMaxFile bytes to lpstrFile or
// nMaxFileTitle bytes to lpstrFileTitle, and leaves the rest of both buffers as it was.
int GetOpenFileNameA(OPENFILENAMEA *rec);

// The same for a save-file dialog ("Save As" when lpstrTitle is empty). It asks about
// overwriting an existing file only when Flags holds OFN_OVERWRITEPROMPT.
int GetSaveFileNameA(OPENFILENAMEA *rec);

#endif

// 8-bit text of the dialog boundary: the ANSI code page on Windows, UTF-8 elsewhere. Both
// directions convert the whole counted text, NULs included.
inline QByteArray toRecordText(const QString &text) {
    return text.toLocal8Bit();
}
inline QString fromRecordText(const char *text, qsizetype size) {
    return QString::fromLocal8Bit(text, size);
}

// A text that ends at its first NUL; null reads as empty.
inline QString fromRecordText(const char *text) {
    return text == nullptr ? QString()
                           : fromRecordText(text, static_cast<qsizetype>(qstrlen(text)));
}

} // namespace mosaikon

#pragma once

// The record that the system's open and save dialogs take, the two dialog functions, and the
// 8-bit text that crosses into them.
//
// On Windows the record is the common dialog library's own, and the two functions call its
// dialogs. Elsewhere Mosaikon supplies the record, field for field in the same order and of the
// same kinds, and realises the two functions with a Qt file dialog. Both keep the contract below.

#include "openfilenamerecord.h" // the platform's: OPENFILENAMEA, OpenFileNameSize

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace mosaikon {

// The platform's longest path in characters (MAX_PATH): the room the file dialog object gives a
// chosen path by default, and the room it declares for the chosen file's name.
inline constexpr std::int16_t MaxPath = 260;

// Shows a modal open-file dialog and returns when the user has closed it: non-zero for a
// confirmed file, 0 for a cancel or a failure (no QApplication). A choice whose path, as 8-bit
// text, needs more than nMaxFile - 1 bytes is refused with a message that says so, and the user
// chooses again or cancels: Qt's own dialog refuses it while it stays open; a desktop's chooser
// shown through Qt has closed by then, so it is shown again in the refused file's folder with
// the filter in use; Windows' dialog has closed too, and is shown again as it was first shown.
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

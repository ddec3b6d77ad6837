#pragma once

// The one point through which OpenSave reaches the system's open and save dialogs. By default it
// leads to the platform's GetOpenFileNameA and GetSaveFileNameA; a test puts its own functions in
// place for a scope and scripts the user's answer with answerWithPath.
//
//     ScopedDialogFunctions answer([](OPENFILENAMEA *rec) {
//         return answerWithPath(rec, "/pictures/sheet.gif");
//     });
//     OpenSave dialog;
//     dialog.ShowOpen();   // FileName now begins with "/pictures/sheet.gif" and a NUL
//
// Used on the window thread only; nothing here is locked.

#include "openfilename.h"

#include <QByteArray>

#include <functional>

namespace mosaikon {

// A dialog function: shows (or pretends to show) a dialog for the record, writes the outcome into
// it and returns non-zero for a confirmed file, 0 (or less) for a cancel or a failure.
using FileDialogFunction = std::function<int(OPENFILENAMEA *)>;

// Puts other dialog functions in place for its lifetime and restores the ones it replaced when
// it ends. An empty function keeps the one in place for that kind. Scopes nest; end them in the
// reverse order of their start.
class ScopedDialogFunctions {
public:
    explicit ScopedDialogFunctions(FileDialogFunction open, FileDialogFunction save = {});
    ~ScopedDialogFunctions();

    ScopedDialogFunctions(const ScopedDialogFunctions &) = delete;
    ScopedDialogFunctions &operator=(const ScopedDialogFunctions &) = delete;

private:
    FileDialogFunction previousOpen_;
    FileDialogFunction previousSave_;
};

// Calls the open (save) dialog function in place and returns its result.
int runOpenDialog(OPENFILENAMEA *rec);
int runSaveDialog(OPENFILENAMEA *rec);

// Bytes of 8-bit path that the record's file name buffer takes: nMaxFile less one for the NUL
// behind the path, and 0 when there is no room at all.
qsizetype pathRoom(const OPENFILENAMEA &rec);

// What the system dialogs say when a chosen path takes `bytes` bytes of 8-bit text and only
// `room` fit the record: "The path of this file is too long for the program: it takes 300
// bytes, and at most 259 fit." and a second line asking for a shorter path.
QString pathTooLongText(qsizetype bytes, qsizetype room);

// Writes a confirmed choice of `path` (8-bit record text, '/' or '\' between folders) into the
// record the way the system dialogs do, and returns 1:
// - lpstrFile: the path and a NUL; the rest of the buffer is left alone;
// - lpstrFileTitle (when not null): the name behind the last separator and a NUL, cut to fit
//   nMaxFileTitle bytes (at a character boundary), the NUL included;
// - nFileOffset: the position of that name in the path;
// - nFileExtension: the position of the first character behind the name's last ".", or 0 when
//   the name has no extension.
// Both positions count characters of the path as the record's text converts back
// (fromRecordText), not its bytes, so they index the FileName that OpenSave holds.
// When lpstrFile is null, the path needs more than pathRoom bytes or a position exceeds 16
// bits, writes nothing and returns 0, as a dialog that fails. nFilterIndex and Flags are left
// to the caller.
int answerWithPath(OPENFILENAMEA *rec, const QByteArray &path);

} // namespace mosaikon

#include "clipboard.h"

#include "clipboardkeeper.h"
#include "error.h"

#include <QClipboard>
#include <QGuiApplication>

namespace mosaikon {
namespace {

// What the last successful export put on the clipboard; other text this program may own (a path
// copied in the file dialog) is not ours to keep.
std::string lastPut;

QString plainText(const std::string &text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void putClipboardText(const std::string &text) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QString plain = plainText(text);
    clipboard->clear();
    clipboard->setText(plain);
    if (clipboard->text() != plain) raiseError(CantOpenClipboard);
    lastPut = text;
}

void keepClipboardAfterExit() {
    // Qt answers text() from the server's current owner, so a client that took the clipboard
    // just now, before Qt heard of it, is not overwritten.
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard->ownsClipboard()) return;
    if (clipboard->text() != plainText(lastPut)) return;
    if (!clipboardManagerRuns()) startClipboardKeeper(lastPut);
}

} // namespace mosaikon

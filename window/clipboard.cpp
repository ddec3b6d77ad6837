#include "clipboard.h"

#include "core/error.h"

#include <QClipboard>
#include <QGuiApplication>

namespace mosaikon {

void putClipboardText(const std::string &text) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QString plain = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    clipboard->clear();
    clipboard->setText(plain);
    if (clipboard->text() != plain) raise(CantOpenClipboard);
}

} // namespace mosaikon

#include "dialogseam.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace mosaikon {
namespace {

struct DialogFunctions {
    FileDialogFunction open;
    FileDialogFunction save;
};

DialogFunctions &inPlace() {
    // Qualified: on Windows the global names are the library's own, which these wrap.
    static DialogFunctions functions{mosaikon::GetOpenFileNameA, mosaikon::GetSaveFileNameA};
    return functions;
}

// Where the name behind the last '/' or '\' begins: a position in characters of a text, in
// bytes of 8-bit text. Both separators are single bytes, so no character is split.
template<typename Text> qsizetype nameOffset(const Text &path) {
    const auto separator = [](auto c) { return c == '/' || c == '\\'; };
    return std::find_if(path.crbegin(), path.crend(), separator).base() - path.cbegin();
}

// Length of the longest prefix of `text` of at most `limit` bytes that ends between characters.
qsizetype cutAtCharacter(const QByteArray &text, qsizetype limit) {
    if (text.size() <= limit) return text.size();
    qsizetype cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u) --cut;
    return cut;
}

void writeTitle(OPENFILENAMEA *rec, const QByteArray &name) {
    if (rec->lpstrFileTitle == nullptr || rec->nMaxFileTitle == 0) return;
    const auto room = static_cast<qsizetype>(
        std::min<std::uint32_t>(rec->nMaxFileTitle - 1, std::numeric_limits<std::int32_t>::max()));
    const qsizetype size = cutAtCharacter(name, room);
    std::memcpy(rec->lpstrFileTitle, name.constData(), static_cast<std::size_t>(size));
    rec->lpstrFileTitle[size] = '\0';
}

} // namespace

ScopedDialogFunctions::ScopedDialogFunctions(FileDialogFunction open, FileDialogFunction save)
    : previousOpen_(inPlace().open)
    , previousSave_(inPlace().save) {
    if (open) inPlace().open = std::move(open);
    if (save) inPlace().save = std::move(save);
}

ScopedDialogFunctions::~ScopedDialogFunctions() {
    inPlace().open = std::move(previousOpen_);
    inPlace().save = std::move(previousSave_);
}

int runOpenDialog(OPENFILENAMEA *rec) {
    return inPlace().open(rec);
}

int runSaveDialog(OPENFILENAMEA *rec) {
    return inPlace().save(rec);
}

qsizetype pathRoom(const OPENFILENAMEA &rec) {
    return rec.nMaxFile == 0 ? 0 : static_cast<qsizetype>(rec.nMaxFile) - 1;
}

QString pathTooLongText(qsizetype bytes, qsizetype room) {
    return QStringLiteral("The path of this file is too long for the program: it takes %1 bytes, "
                          "and at most %2 fit.\nPlease choose a file with a shorter path.")
        .arg(bytes)
        .arg(room);
}

int answerWithPath(OPENFILENAMEA *rec, const QByteArray &path) {
    const QString text = fromRecordText(path.constData(), path.size());
    const qsizetype name = nameOffset(text);
    const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
    const qsizetype extension = dot >= name && dot + 1 < text.size() ? dot + 1 : 0;
    if (rec->lpstrFile == nullptr || path.size() > pathRoom(*rec) ||
        std::max(name, extension) > std::numeric_limits<std::uint16_t>::max())
        return 0;

    std::memcpy(rec->lpstrFile, path.constData(), static_cast<std::size_t>(path.size()));
    rec->lpstrFile[path.size()] = '\0';
    writeTitle(rec, path.sliced(nameOffset(path)));
    rec->nFileOffset = static_cast<std::uint16_t>(name);
    rec->nFileExtension = static_cast<std::uint16_t>(extension);
    return 1;
}

} // namespace mosaikon

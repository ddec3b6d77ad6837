#include "dialogrecord.h"

#include "error.h"

#include <algorithm>

namespace mosaikon {
namespace {

std::string toBuffer(const QString &text) {
    const QByteArray bytes = toRecordText(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string fileNameBuffer(const QString &fileName, std::int16_t maxFileSize) {
    const qsizetype padding = qsizetype{maxFileSize} - fileName.size() + 1;
    if (padding < 0) raiseError(InvalidProcedureCall);
    return toBuffer(fileName + QString(padding, QChar(0)));
}

std::string titleBuffer(const QString &fileTitle) {
    std::string buffer = toBuffer(fileTitle + QString(256, QChar(' ')));
    if (buffer.size() < DialogRecord::TitleRoom) buffer.resize(DialogRecord::TitleRoom, ' ');
    return buffer;
}

std::uint32_t declaredFileRoom(std::int16_t maxFileSize, const std::string &buffer) {
    const std::size_t room = buffer.empty() ? 0 : buffer.size() - 1;
    return static_cast<std::uint32_t>(std::min<std::size_t>(
        static_cast<std::size_t>(std::max<std::int16_t>(maxFileSize, 0)), room));
}

} // namespace

DialogRecord::DialogRecord(const Request &request)
    : filter_(toBuffer(request.filter))
    , file_(fileNameBuffer(request.fileName, request.maxFileSize))
    , fileLength_(qsizetype{request.maxFileSize} + 1)
    , fileTitle_(titleBuffer(request.fileTitle))
    , initDir_(toBuffer(request.initDir))
    , title_(toBuffer(request.title))
    , defaultExt_(toBuffer(request.defaultExt)) {
    record_.lStructSize = OpenFileNameSize;
    record_.hwndOwner =
        reinterpret_cast<decltype(record_.hwndOwner)>(static_cast<std::intptr_t>(request.owner));
    record_.hInstance = nullptr;
    record_.lpstrFilter = filter_.c_str();
    record_.lpstrCustomFilter = nullptr;
    record_.nMaxCustFilter = 0;
    record_.nFilterIndex =
        static_cast<decltype(record_.nFilterIndex)>(std::int32_t{request.filterIndex});
    record_.lpstrFile = file_.data();
    record_.nMaxFile = declaredFileRoom(request.maxFileSize, file_);
    record_.lpstrFileTitle = fileTitle_.data();
    record_.nMaxFileTitle = TitleRoom;
    record_.lpstrInitialDir = initDir_.c_str();
    record_.lpstrTitle = title_.c_str();
    record_.Flags = static_cast<std::uint32_t>(request.flags);
    record_.nFileOffset = 0;
    record_.nFileExtension = 0;
    record_.lpstrDefExt = defaultExt_.c_str();
    record_.lCustData = 0;
    record_.lpfnHook = nullptr;
    record_.lpTemplateName = templateName_.c_str();
}

QString DialogRecord::fileName() const {
    // A character can take several bytes of 8-bit text, and a path written over part of one
    // leaves its other bytes to come back as characters of their own; the text would then be
    // longer than it was sent, and the next ShowOpen would refuse it as the start name. So it
    // comes back cut or filled with NULs to its sent length. That touches only the buffer's tail
    // behind the chosen path: the dialog writes at most nMaxFile (<= MaxFileSize) bytes, and
    // they come back as no more characters than that.
    QString text = backFrom(file_);
    text.resize(fileLength_, QChar(0));
    return text;
}

QString DialogRecord::backFrom(const std::string &text) {
    return fromRecordText(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace mosaikon

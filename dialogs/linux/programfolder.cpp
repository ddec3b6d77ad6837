#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <filesystem>

namespace mosaikon {

QString programFolder() {
    if (QCoreApplication::instance() != nullptr)
        return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    std::error_code failed;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (failed) return {};
    return QFile::decodeName(QByteArray::fromStdString(exe.parent_path().native()));
}

} // namespace mosaikon

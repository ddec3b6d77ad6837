#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>

#include <windows.h>

#include <string>

namespace mosaikon {

QString programFolder() {
    if (QCoreApplication::instance() != nullptr)
        return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    // Paths may exceed MAX_PATH; grow until the whole one fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (size == 0) return {};
        if (size < path.size()) {
            path.resize(size);
            break;
        }
        path.resize(path.size() * 2);
    }
    const QString exe = QString::fromStdWString(path);
    return exe.left(exe.lastIndexOf(QLatin1Char('\\')));
}

} // namespace mosaikon

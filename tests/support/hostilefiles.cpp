#include "hostilefiles.h"

#include <QDir>

#include <sys/stat.h>

namespace mosaikon::testing {

QList<std::pair<QString, int>> hostileFiles(const QString &dir) {
    // Copies of the files in hostile/, whose folders name the outcome (hostile/README.md).
    const std::pair<const char *, int> outcomes[] = {
        {"loads", Loads}, {"as-qt-reads", AsQtReads}, {"refused", 481}};
    QList<std::pair<QString, int>> files;
    for (const auto &[folder, expect] : outcomes) {
        const QDir from(QStringLiteral(MOSAIKON_HOSTILE_FILES "/") + folder);
        if (from.isEmpty()) return {}; // not found
        for (const QString &name : from.entryList(QDir::Files)) {
            files.append({dir + '/' + name, expect});
            if (!QFile::copy(from.filePath(name), files.back().first)) return {};
        }
    }
    const QString folder = dir + "/folder.gif", fifo = dir + "/fifo.gif";
    // The FIFO once hung for ever: opening one that nobody writes to waits for a writer.
    if (::mkdir(qPrintable(folder), 0700) != 0 || ::mkfifo(qPrintable(fifo), 0600) != 0) return {};
    return files << std::pair(dir + "/missing.gif", 53) << std::pair(folder, 75)
                 << std::pair(fifo, 75);
}

} // namespace mosaikon::testing

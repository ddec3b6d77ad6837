#include "hostilefiles.h"

#include <QFile>

#include <sys/stat.h>

namespace mosaikon::testing {

QList<std::pair<QString, int>> hostileFiles(const QString &dir) {
    // Copies of the files in hostile/: a 128 x 128 sheet as Qt's writers and the GIF writer
    // encode it, the first half of such a file ("cut"), and one whose header claims 60000 x 60000
    // pixels ("huge"; "negative-width": -60000 x 128), its picture data left as it was.
    const std::pair<const char *, int> pictures[] = {
        {"empty.gif", 481},
        {"words.jpg", 481},
        {"cut.gif", AsQtReads},
        {"cut.jpg", AsQtReads},
        {"cut.bmp", AsQtReads},
        {"huge.gif", 481},
        {"huge.bmp", 481},
        {"negative-width.bmp", 481},
        // Only the corner the view shows is decoded, whatever the header claims...
        {"huge.jpg", Loads},
        // ...but a progressive JPEG is decoded whole: this one once exhausted the memory.
        {"huge-progressive.jpg", 481},
        {"one.gif", Loads}, // 1 x 1
        {"paletted.gif", Loads},
        {"transparent.gif", Loads},
        {"progressive.jpg", Loads},
        {"24-bit.bmp", Loads},
        {"sprite sheet \u00e4.gif", Loads},
        {"sheet.png", Loads},
        {"gif-named.bmp", Loads}, // the content chooses, not the name
        // Pictures of formats outside GIF, JPEG, BMP and PNG, which Qt's installed readers know.
        {"sheet.xpm", 481},
        {"sheet.ico", 481},
        {"sheet.ppm", 481},
        {"sheet.xbm", 481},
        {"xpm-named.gif", 481},
    };
    QList<std::pair<QString, int>> files;
    for (const auto &[name, expect] : pictures) {
        files.append({dir + '/' + QString::fromUtf8(name), expect});
        const QString from = QStringLiteral(MOSAIKON_HOSTILE_FILES "/") + QString::fromUtf8(name);
        if (!QFile::copy(from, files.back().first)) return {};
    }
    const QString folder = dir + "/folder.gif", fifo = dir + "/fifo.gif";
    // The FIFO once hung for ever: opening one that nobody writes to waits for a writer.
    if (::mkdir(qPrintable(folder), 0700) != 0 || ::mkfifo(qPrintable(fifo), 0600) != 0) return {};
    return files << std::pair(dir + "/missing.gif", 53) << std::pair(folder, 75)
                 << std::pair(fifo, 75);
}

} // namespace mosaikon::testing

// The real open dialog titled "Pick" in the folder given, with room for a path of ROOM - 1 bytes
// (default 259); prints the result and the chosen path. Usage: pickfile [ROOM] FOLDER

#include "dialogrecord.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    mosaikon::DialogRecord record({.maxFileSize = static_cast<std::int16_t>(
                                       argc > 2 ? std::atoi(argv[1]) : mosaikon::MaxPath),
                                   .initDir = QString::fromLocal8Bit(argv[argc - 1]),
                                   .title = QStringLiteral("Pick")});
    const int result = mosaikon::GetOpenFileNameA(record.record());
    std::printf("%d %s\n", result, record.record()->lpstrFile);
}

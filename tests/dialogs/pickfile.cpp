// The real open dialog titled "Pick" in the folder given; prints the result and the chosen path.

#include "dialogrecord.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    mosaikon::DialogRecord record(
        {.initDir = QString::fromLocal8Bit(argv[argc - 1]), .title = QStringLiteral("Pick")});
    const int result = mosaikon::GetOpenFileNameA(record.record());
    std::printf("%d %s\n", result, record.record()->lpstrFile);
}

// Writes the lopsided test sheet for the real-window tests: red = x, green = y,
// blue = (3x + 5y) mod 256, so every pixel tells where it came from.
// Usage: writesheet PATH WIDTH HEIGHT   (the format follows the suffix: .bmp, .gif or .jpg)

#include "tests/support/imagefiles.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: writesheet PATH WIDTH HEIGHT\n");
        return 2;
    }
    const QImage sheet = mosaikon::testing::lopsidedSheet(std::atoi(argv[2]), std::atoi(argv[3]));
    return mosaikon::testing::writeSheet(QString::fromLocal8Bit(argv[1]), sheet) ? 0 : 1;
}

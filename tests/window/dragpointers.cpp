// Prints a pointer image in one form for the pointer on the X server (XFixes) and for the drag
// images the program makes, so that dragpointers.sh compares the two with cmp: the picture
// cropped to its opaque pixels, one character per pixel ('.' transparent, 'B' opaque black,
// 'W' opaque white, '?' anything else), after a line giving the hot spot within the crop and
// the pixel under it.
// Usage: dragpointers screen            the pointer the X server shows now
//        dragpointers tile|origin X Y   the program's drag image with its hot spot at (X, Y)
#include "controldrag.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <QImage>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Premultiplied ARGB, rows top to bottom.
struct Pointer {
    int width = 0, height = 0, hotX = 0, hotY = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0;
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

char pixelClass(std::uint32_t argb) {
    if (argb == 0) return '.';
    if (argb == 0xFF000000U) return 'B';
    if (argb == 0xFFFFFFFFU) return 'W';
    return '?';
}

void print(const Pointer &p) {
    int left = p.width, top = p.height, right = -1, bottom = -1;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.at(x, y) != 0) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right < 0) {
        std::printf("empty\n");
        return;
    }
    std::printf("hot spot %d %d on %c\n", p.hotX - left, p.hotY - top,
                pixelClass(p.at(p.hotX, p.hotY)));
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) std::putchar(pixelClass(p.at(x, y)));
        std::putchar('\n');
    }
}

bool readScreen(Pointer &p) {
    Display *display = XOpenDisplay(nullptr);
    if (!display) return false;
    int eventBase = 0, errorBase = 0;
    XFixesCursorImage *image = XFixesQueryExtension(display, &eventBase, &errorBase)
                                   ? XFixesGetCursorImage(display)
                                   : nullptr;
    if (image) {
        p = {image->width, image->height, image->xhot, image->yhot, {}};
        // XFixes gives each pixel in the low 32 bits of a long.
        for (int i = 0; i < p.width * p.height; ++i)
            p.pixels.push_back(std::uint32_t(image->pixels[i] & 0xFFFFFFFFUL));
        XFree(image);
    }
    XCloseDisplay(display);
    return image != nullptr;
}

Pointer fromImage(const QImage &drawn, int hotX, int hotY) {
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Pointer p{image.width(), image.height(), hotX, hotY, {}};
    for (int y = 0; y < p.height; ++y) {
        const auto *row = reinterpret_cast<const std::uint32_t *>(image.constScanLine(y));
        p.pixels.insert(p.pixels.end(), row, row + p.width);
    }
    return p;
}

} // namespace

int main(int argc, char *argv[]) {
    Pointer p;
    if (argc == 2 && std::strcmp(argv[1], "screen") == 0) {
        if (!readScreen(p)) {
            std::fprintf(stderr, "dragpointers: no pointer image from the X server\n");
            return 1;
        }
    } else if (argc == 4 && std::strcmp(argv[1], "tile") == 0) {
        p = fromImage(mosaikon::tileDragImage(), std::atoi(argv[2]), std::atoi(argv[3]));
    } else if (argc == 4 && std::strcmp(argv[1], "origin") == 0) {
        p = fromImage(mosaikon::originDragImage(), std::atoi(argv[2]), std::atoi(argv[3]));
    } else {
        std::fprintf(stderr, "usage: dragpointers screen | dragpointers tile|origin X Y\n");
        return 2;
    }
    print(p);
    return 0;
}

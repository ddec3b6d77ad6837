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

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

char pixelClass(const QImage &image, QPoint at) {
    const QRgb argb = image.valid(at) ? image.pixel(at) : 0;
    if (qAlpha(argb) == 0) return '.';
    if (argb == 0xFF000000U) return 'B';
    if (argb == 0xFFFFFFFFU) return 'W';
    return '?';
}

void print(const QImage &image, QPoint hot) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pixelClass(image, {x, y}) != '.') box |= QRect(x, y, 1, 1);
    if (box.isNull()) return void(std::puts("empty"));
    const QPoint at = hot - box.topLeft();
    std::printf("hot spot %d %d on %c\n", at.x(), at.y(), pixelClass(image, hot));
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) std::putchar(pixelClass(image, {x, y}));
        std::putchar('\n');
    }
}

// The pointer the X server shows, premultiplied ARGB as XFixes gives it, and its hot spot.
QImage screenPointer(QPoint &hot) {
    Display *display = XOpenDisplay(nullptr);
    XFixesCursorImage *cursor = display ? XFixesGetCursorImage(display) : nullptr;
    QImage image;
    if (cursor) {
        // Each pixel in the low 32 bits of a long.
        const std::size_t count = std::size_t{cursor->width} * cursor->height;
        std::vector<quint32> pixels(cursor->pixels, cursor->pixels + count);
        image = QImage(reinterpret_cast<const uchar *>(pixels.data()), cursor->width,
                       cursor->height, QImage::Format_ARGB32_Premultiplied)
                    .copy();
        hot = {cursor->xhot, cursor->yhot};
        XFree(cursor);
    }
    if (display) XCloseDisplay(display);
    return image;
}

} // namespace

int main(int argc, char *argv[]) {
    const std::string what = argc > 1 ? argv[1] : "";
    QPoint hot;
    if (argc == 2 && what == "screen") {
        const QImage image = screenPointer(hot);
        if (image.isNull()) {
            std::fprintf(stderr, "dragpointers: no pointer image from the X server\n");
            return 1;
        }
        print(image, hot);
    } else if (argc == 4 && (what == "tile" || what == "origin")) {
        hot = {std::atoi(argv[2]), std::atoi(argv[3])};
        print(what == "tile" ? mosaikon::tileDragImage() : mosaikon::originDragImage(), hot);
    } else {
        std::fprintf(stderr, "usage: dragpointers screen | dragpointers tile|origin X Y\n");
        return 2;
    }
    return 0;
}

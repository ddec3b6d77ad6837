// Prints a pointer image in one form, for the pointer the X server shows (XFixes) and for the
// program's drag images, for realwindow.sh to compare with cmp: the hot spot within the picture
// cropped to its opaque pixels and the pixel under it, then the crop, a character a pixel ('.'
// transparent, 'B' opaque black, 'W' opaque white, '?' else).
// Usage: dragpointers screen | dragpointers tile|origin X Y (the drag image, its hot spot at X, Y)
#include "controldrag.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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
    const QPoint at = hot - box.topLeft();
    std::printf("hot spot %d %d on %c\n", at.x(), at.y(), pixelClass(image, hot));
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) std::putchar(pixelClass(image, {x, y}));
        std::putchar('\n');
    }
}

// XFixes gives premultiplied ARGB, each pixel in the low 32 bits of a long.
QImage screenPointer(QPoint &hot) {
    Display *display = XOpenDisplay(nullptr);
    XFixesCursorImage *cursor = display ? XFixesGetCursorImage(display) : nullptr;
    if (!cursor) return {};
    QImage image(cursor->width, cursor->height, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < cursor->width * cursor->height; ++i)
        image.setPixel(i % cursor->width, i / cursor->width, static_cast<QRgb>(cursor->pixels[i]));
    hot = {cursor->xhot, cursor->yhot};
    XFree(cursor);
    XCloseDisplay(display);
    return image;
}

} // namespace

int main(int argc, char *argv[]) {
    const std::string what = argc > 1 ? argv[1] : "";
    QPoint hot;
    QImage image;
    if (argc == 2 && what == "screen") image = screenPointer(hot);
    if (argc == 4 && (what == "tile" || what == "origin")) {
        hot = {std::atoi(argv[2]), std::atoi(argv[3])};
        image = what == "tile" ? mosaikon::tileDragImage() : mosaikon::originDragImage();
    }
    if (image.isNull()) {
        std::fputs("usage: dragpointers screen | dragpointers tile|origin X Y\n", stderr);
        return 2;
    }
    print(image, hot);
    return 0;
}

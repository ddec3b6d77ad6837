// Prints the pointer image the X server shows right now, as XFixes reports it, so a test can
// read a drag pointer off the real screen.
// Output: a line "WIDTH HEIGHT XHOT YHOT" (the hot spot relative to the image's top-left), then
// one line per image row with one character per pixel: '.' fully transparent, 'B' opaque black,
// 'W' opaque white, '?' anything else (grey, colour or partly transparent).
// Usage: cursorimage
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <string>

namespace {

// XFixes gives premultiplied ARGB in the low 32 bits of each element.
char pixelClass(unsigned long argb) {
    const unsigned long pixel = argb & 0xFFFFFFFFUL;
    if ((pixel >> 24) == 0) return '.';
    if (pixel == 0xFF000000UL) return 'B';
    if (pixel == 0xFFFFFFFFUL) return 'W';
    return '?';
}

} // namespace

int main(int argc, char *[]) {
    if (argc != 1) {
        std::fprintf(stderr, "usage: cursorimage\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cursorimage: cannot open display\n");
        return 1;
    }
    int eventBase = 0, errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase)) {
        std::fprintf(stderr, "cursorimage: the server has no XFixes extension\n");
        XCloseDisplay(display);
        return 1;
    }
    XFixesCursorImage *image = XFixesGetCursorImage(display);
    if (!image) {
        std::fprintf(stderr, "cursorimage: the server gave no pointer image\n");
        XCloseDisplay(display);
        return 1;
    }
    const unsigned width = image->width, height = image->height;
    std::printf("%u %u %u %u\n", width, height, unsigned{image->xhot}, unsigned{image->yhot});
    std::string row;
    for (unsigned y = 0; y < height; ++y) {
        row.clear();
        for (unsigned x = 0; x < width; ++x) row += pixelClass(image->pixels[y * width + x]);
        std::printf("%s\n", row.c_str());
    }
    XFree(image);
    XCloseDisplay(display);
    return 0;
}

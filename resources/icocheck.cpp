// Checks an icon file as the program ships it: exactly nine images, 48, 32 and 16 pixels each at
// 4, 8 and 32 bits per pixel, with a consistent directory and bitmap headers, readable by Qt's
// icon reader as nine images of those sizes, each an opaque light oval centre on transparent
// corners. Prints what is wrong and exits 1 at the first fault; exits 0 when all holds.
// Usage: mosaikon_icocheck FILE.ico

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Fault {
    std::string what;
};

class Bytes {
public:
    explicit Bytes(QByteArray data)
        : data_(std::move(data)) {}
    std::size_t size() const { return static_cast<std::size_t>(data_.size()); }
    std::uint32_t u8(std::size_t at) const {
        if (at >= size()) throw Fault{"file ends at byte " + std::to_string(size())};
        return static_cast<std::uint8_t>(data_[static_cast<qsizetype>(at)]);
    }
    std::uint32_t u16(std::size_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }

private:
    QByteArray data_;
};

struct Entry {
    int size;
    int bits;
    std::uint32_t bytes;
    std::uint32_t offset;
};

void expect(bool condition, const std::string &what) {
    if (!condition) throw Fault{what};
}

std::string describe(const Entry &e) {
    return std::to_string(e.size) + "x" + std::to_string(e.size) + " at " + std::to_string(e.bits) +
           " bpp";
}

std::uint32_t rowBytes(std::uint32_t width, std::uint32_t bits) {
    return (width * bits + 31u) / 32u * 4u;
}

// Whether the AND mask marks pixel (x, y), counted from the top, as transparent.
bool maskSet(const Bytes &file, std::size_t maskStart, std::uint32_t size, std::uint32_t x,
             std::uint32_t y) {
    const std::size_t row = maskStart + std::size_t{size - 1 - y} * rowBytes(size, 1);
    return (file.u8(row + x / 8) & (0x80u >> (x % 8))) != 0;
}

std::vector<Entry> readDirectory(const Bytes &file) {
    expect(file.u16(0) == 0, "ICONDIR reserved word is not 0");
    expect(file.u16(2) == 1, "ICONDIR type is not 1 (icon)");
    const std::uint32_t count = file.u16(4);
    expect(count == 9, "ICONDIR holds " + std::to_string(count) + " images, not 9");

    std::vector<Entry> entries;
    std::set<std::pair<int, int>> seen;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 6 + 16 * i;
        const std::uint32_t width = file.u8(at);
        const std::uint32_t height = file.u8(at + 1);
        const std::uint32_t bits = file.u16(at + 6);
        const Entry e{static_cast<int>(width), static_cast<int>(bits), file.u32(at + 8),
                      file.u32(at + 12)};
        const std::string name = "entry " + std::to_string(i) + " (" + describe(e) + ")";
        expect(width == height, name + ": not square");
        expect(width == 48 || width == 32 || width == 16, name + ": unexpected size");
        expect(bits == 4 || bits == 8 || bits == 32, name + ": unexpected bit count");
        expect(seen.insert({e.size, e.bits}).second, name + ": appears twice");
        expect(file.u8(at + 2) == (bits == 4 ? 16u : 0u), name + ": wrong colour count");
        expect(file.u8(at + 3) == 0, name + ": reserved byte is not 0");
        expect(file.u16(at + 4) == 1, name + ": planes is not 1");
        entries.push_back(e);
    }
    return entries;
}

void checkBitmap(const Bytes &file, const Entry &e) {
    const std::string name = describe(e);
    const auto size = static_cast<std::uint32_t>(e.size);
    const auto bits = static_cast<std::uint32_t>(e.bits);
    expect(e.offset >= 6 + 16 * 9 && e.offset + std::uint64_t{e.bytes} <= file.size(),
           name + ": image data lies outside the file");
    const std::size_t at = e.offset;
    expect(file.u32(at) == 40, name + ": not a BITMAPINFOHEADER");
    expect(file.u32(at + 4) == size, name + ": bitmap width differs from the directory");
    expect(file.u32(at + 8) == 2 * size, name + ": bitmap height is not twice the size");
    expect(file.u16(at + 12) == 1, name + ": bitmap planes is not 1");
    expect(file.u16(at + 14) == bits, name + ": bitmap bit count differs from the directory");
    expect(file.u32(at + 16) == 0, name + ": bitmap is compressed");
    const std::uint32_t used = file.u32(at + 32);
    const std::uint32_t colours = bits == 32 ? 0 : used != 0 ? used : 1u << bits;
    expect(colours <= (bits == 32 ? 0 : 1u << bits), name + ": palette too large");
    const std::uint32_t maskOffset = 40 + 4 * colours + rowBytes(size, bits) * size;
    expect(e.bytes == maskOffset + rowBytes(size, 1) * size,
           name + ": byte count does not match header, palette, colour rows and mask");
    expect(maskSet(file, at + maskOffset, size, 0, 0), name + ": mask keeps a corner opaque");
    expect(!maskSet(file, at + maskOffset, size, size / 2, size / 2),
           name + ": mask makes the centre transparent");
}

void checkLayout(std::vector<Entry> entries) {
    std::sort(entries.begin(), entries.end(),
              [](const Entry &a, const Entry &b) { return a.offset < b.offset; });
    for (std::size_t i = 1; i < entries.size(); ++i)
        expect(entries[i - 1].offset + entries[i - 1].bytes <= entries[i].offset,
               describe(entries[i - 1]) + " overlaps " + describe(entries[i]));
}

void checkWithQt(const QString &path, const std::vector<Entry> &entries) {
    QImageReader reader(path, "ico");
    expect(reader.canRead(),
           "Qt's icon reader refuses the file: " + reader.errorString().toStdString());
    expect(reader.imageCount() == 9,
           "Qt's icon reader counts " + std::to_string(reader.imageCount()) + " images");
    for (int i = 0; i < 9; ++i) {
        const Entry &e = entries[static_cast<std::size_t>(i)];
        expect(reader.jumpToImage(i), "Qt's icon reader cannot go to image " + std::to_string(i));
        const QImage image = reader.read();
        const std::string name = "Qt's reading of " + describe(e);
        expect(!image.isNull(), name + " fails: " + reader.errorString().toStdString());
        expect(image.width() == e.size && image.height() == e.size, name + " has another size");
        const QRgb centre = image.pixel(e.size / 2, e.size / 2);
        expect(qAlpha(centre) == 255 && qGray(centre) >= 128, name + ": centre not light, opaque");
        expect(qAlpha(image.pixel(0, 0)) == 0, name + ": corner not transparent");
    }
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mosaikon_icocheck FILE.ico\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "mosaikon_icocheck: cannot read %s\n", argv[1]);
        return 1;
    }
    try {
        const Bytes file(in.readAll());
        const std::vector<Entry> entries = readDirectory(file);
        for (const Entry &e : entries) checkBitmap(file, e);
        checkLayout(entries);
        checkWithQt(path, entries);
        for (const Entry &e : entries) std::printf("%s: ok\n", describe(e).c_str());
    } catch (const Fault &fault) {
        std::fprintf(stderr, "mosaikon_icocheck: %s: %s\n", argv[1], fault.what.c_str());
        return 1;
    }
    return 0;
}

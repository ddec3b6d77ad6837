#include "gifwriter.h"

namespace mosaikon {

namespace {

void putWord(QByteArray &out, int v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

QByteArray lzwPixels(const QImage &image) {
    QByteArray codes;
    quint32 bits = 0;
    int count = 0;
    auto emitCode = [&](int code) {
        bits |= quint32(code) << count;
        count += 9;
        while (count >= 8) {
            codes.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    int run = 0;
    emitCode(256);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (run == 254) {
                emitCode(256);
                run = 0;
            }
            emitCode(image.pixelIndex(x, y));
            ++run;
        }
    emitCode(257);
    if (count > 0) codes.append(char(bits & 0xFF));
    QByteArray blocks;
    blocks.append(char(8));
    for (qsizetype i = 0; i < codes.size(); i += 255) {
        const QByteArray chunk = codes.mid(i, 255);
        blocks.append(char(chunk.size()));
        blocks.append(chunk);
    }
    blocks.append(char(0));
    return blocks;
}

} // namespace

QByteArray encodeGif(const QImage &source, int transparentIndex) {
    const QImage image = source.format() == QImage::Format_Indexed8
                             ? source
                             : source.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    QByteArray out(transparentIndex >= 0 ? "GIF89a" : "GIF87a");
    putWord(out, image.width());
    putWord(out, image.height());
    out.append(char(0xF7)); // global colour table of 256 entries
    out.append(char(0));
    out.append(char(0));
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < image.colorCount() ? image.color(i) : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    if (transparentIndex >= 0) {
        out.append("\x21\xF9\x04\x01\x00\x00", 6);
        out.append(char(transparentIndex));
        out.append(char(0));
    }
    out.append(char(0x2C));
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, image.width());
    putWord(out, image.height());
    out.append(char(0));
    out.append(lzwPixels(image));
    out.append(char(0x3B));
    return out;
}

} // namespace mosaikon

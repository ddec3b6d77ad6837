#include "bmpcorner.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cstring>

namespace mosaikon {

namespace {

// Offsets within the file: the file header, then the info header.
constexpr int FileSizeAt = 2, DataStartAt = 10, InfoSizeAt = 14, WidthAt = 18, HeightAt = 22,
              PlanesAt = 26, BitsAt = 28, CompressionAt = 30, ImageSizeAt = 34, ColoursUsedAt = 46;
constexpr int FileHeaderSize = 14, InfoHeaderSize = 40;
constexpr qint64 HeadRoom = 4096; // the largest headers and colour table take 1162
constexpr qint64 MostPixels = qint64(16384) * 16384;

template<typename T> T field(const QByteArray &bytes, int at) {
    return qFromLittleEndian<T>(bytes.constData() + at);
}

template<typename T> void setField(QByteArray &bytes, int at, T value) {
    qToLittleEndian<T>(value, bytes.data() + at);
}

qint64 rowBytes(qint64 width, int bits) {
    return (width * bits + 31) / 32 * 4;
}

// Where the pixel rows begin for the header in `head`, or -1 for a file to decode whole: the
// end of the masks and colour table the decoder reads, when the data begins there or after.
qint64 pixelDataStart(const QByteArray &head, int bits, bool bitfields) {
    const auto infoSize = field<quint32>(head, InfoSizeAt);
    qint64 tablesEnd = FileHeaderSize + qint64(infoSize);
    if (bits <= 8) {
        const auto used = field<quint32>(head, ColoursUsedAt);
        const qint64 colours = used != 0 ? qint64(used) : qint64(1) << bits;
        if (colours > 256) return -1;
        tablesEnd += colours * 4;
    } else if (bitfields && infoSize == InfoHeaderSize) {
        tablesEnd += 12; // red, green and blue masks after the short header
    }
    const auto dataStart = qint64(field<quint32>(head, DataStartAt));
    return dataStart >= tablesEnd && dataStart <= head.size() ? dataStart : -1;
}

} // namespace

QByteArray bmpCorner(QIODevice &file, int side, qint64 limitBytes) {
    if (!file.seek(0)) return {};
    const QByteArray head = file.read(HeadRoom);
    if (head.size() < FileHeaderSize + InfoHeaderSize) return {};
    const auto infoSize = field<quint32>(head, InfoSizeAt);
    if (infoSize != 40 && infoSize != 108 && infoSize != 124) return {};
    const auto width = field<qint32>(head, WidthAt), height = field<qint32>(head, HeightAt);
    const int bits = field<quint16>(head, BitsAt);
    const auto compression = field<quint32>(head, CompressionAt);
    const bool bitfields = compression == 3 && (bits == 16 || bits == 32);
    const bool plain = compression == 0 && (bits == 1 || bits == 4 || bits == 8 || bits == 16 ||
                                            bits == 24 || bits == 32);
    if (field<quint16>(head, PlanesAt) != 1 || !(plain || bitfields)) return {};
    if (width <= 0 || height == 0 || height == INT_MIN) return {};
    const qint64 rows = qAbs(qint64(height));
    if (width <= side && rows <= side) return {};
    if (qint64(width) * rows > MostPixels || qint64(width) * rows * 4 > limitBytes) return {};
    const qint64 dataStart = pixelDataStart(head, bits, bitfields);
    const qint64 stride = rowBytes(width, bits);
    if (dataStart < 0 || dataStart + stride * rows > file.size()) return {};

    // A bottom-up file (positive height) holds the top rows last.
    const qint64 cornerRows = std::min<qint64>(rows, side);
    const qint64 cornerStride = rowBytes(std::min<qint64>(width, side), bits);
    const qint64 firstRow = height > 0 ? rows - cornerRows : 0;
    const qint64 span = (cornerRows - 1) * stride + cornerStride;
    if (!file.seek(dataStart + firstRow * stride)) return {};
    const QByteArray source = file.read(span);
    if (source.size() != span) return {};

    QByteArray corner(dataStart + cornerRows * cornerStride, Qt::Uninitialized);
    std::memcpy(corner.data(), head.constData(), std::size_t(dataStart));
    for (qint64 row = 0; row < cornerRows; ++row)
        std::memcpy(corner.data() + dataStart + row * cornerStride,
                    source.constData() + row * stride, std::size_t(cornerStride));
    setField(corner, FileSizeAt, quint32(corner.size()));
    setField(corner, WidthAt, qint32(std::min<qint64>(width, side)));
    setField(corner, HeightAt, qint32(height > 0 ? cornerRows : -cornerRows));
    if (field<quint32>(head, ImageSizeAt) != 0)
        setField(corner, ImageSizeAt, quint32(cornerRows * cornerStride));
    return corner;
}

} // namespace mosaikon

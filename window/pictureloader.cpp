#include "pictureloader.h"

#include "core/error.h"
#include "core/slotgrid.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace mosaikon {

namespace {

[[noreturn]] void raiseInvalidPicture(const QString &readerMessage) {
    std::string description = standardDescription(InvalidPicture);
    if (!readerMessage.isEmpty()) description += ": " + readerMessage.toStdString();
    throw Error(InvalidPicture, ProgramSource, description);
}

PixelSurface opaqueCorner(const QImage &image) {
    const int w = std::min(image.width(), ViewSize);
    const int h = std::min(image.height(), ViewSize);
    QImage corner(w, h, QImage::Format_RGB32);
    corner.fill(Qt::black);
    {
        QPainter p(&corner);
        p.drawImage(QPoint(0, 0), image, QRect(0, 0, w, h));
    }
    PixelSurface surface(w, h, SourceBackground);
    for (int y = 0; y < h; ++y)
        std::memcpy(surface.row(y), corner.constScanLine(y), static_cast<std::size_t>(w) * 4);
    return surface;
}

} // namespace

PixelSurface loadSheetPicture(const QString &path) {
    if (path.isEmpty() || !QFileInfo::exists(path)) raise(FileNotFound);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) raise(PathFileAccessError);

    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(FullDecodeLimitMb);
    const QSize size = reader.size();
    if (size.isValid() && reader.supportsOption(QImageIOHandler::ClipRect))
        reader.setClipRect(QRect(QPoint(0, 0), size.boundedTo(QSize(ViewSize, ViewSize))));
    const QImage image = reader.read();
    if (image.isNull()) raiseInvalidPicture(reader.errorString());
    return opaqueCorner(image);
}

} // namespace mosaikon

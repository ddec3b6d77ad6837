#include "pictures.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>

#include <algorithm>

namespace mosaikon::reliability {

QImage qtReads(const QString &path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

namespace {

// A sheet pixel laid on black.
QRgb overBlack(QRgb c) {
    const int a = qAlpha(c);
    return qRgb(qRed(c) * a / 255, qGreen(c) * a / 255, qBlue(c) * a / 255);
}

} // namespace

QImage viewOf(const QImage &sheet) {
    QImage view(256, 256, QImage::Format_RGB32);
    view.fill(qRgb(0, 0, 0));
    const QImage argb = sheet.convertToFormat(QImage::Format_ARGB32);
    const int w = std::min(argb.width(), 128);
    const int h = std::min(argb.height(), 128);
    for (int y = 0; y < 2 * h; ++y)
        for (int x = 0; x < 2 * w; ++x) view.setPixel(x, y, overBlack(argb.pixel(x / 2, y / 2)));
    return view;
}

QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

} // namespace mosaikon::reliability

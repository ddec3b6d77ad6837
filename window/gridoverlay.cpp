#include "gridoverlay.h"

#include "core/slotgrid.h"

#include <QPainter>

namespace mosaikon {

GridOverlay::GridOverlay(QWidget *parent)
    : QWidget(parent)
    , image_(gridImage()) {
    setObjectName(QStringLiteral("Image1"));
    setGeometry(0, 0, ViewSize, ViewSize);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setEnabled(false);
}

QImage GridOverlay::gridImage() {
    QImage image(ViewSize, ViewSize, QImage::Format_Indexed8);
    image.setColorTable({qRgba(0, 0, 0, 0), qRgb(128, 0, 0)});
    for (int y = 0; y < ViewSize; ++y) {
        uchar *line = image.scanLine(y);
        const bool rowEdge = y % CellSize == 0 || y % CellSize == CellSize - 1;
        for (int x = 0; x < ViewSize; ++x)
            line[x] = rowEdge || x % CellSize == 0 || x % CellSize == CellSize - 1 ? 1 : 0;
    }
    return image;
}

void GridOverlay::paintEvent(QPaintEvent *) {
    QPainter(this).drawImage(QPoint(0, 0), image_);
}

} // namespace mosaikon

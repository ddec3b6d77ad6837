#include "gridoverlay.h"

#include "slotgrid.h"

#include <QPainter>

#include <algorithm>

namespace mosaikon {

GridOverlay::GridOverlay(QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
    setGeometry(0, 0, ViewSize, ViewSize);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setEnabled(false);
}

void GridOverlay::paintEvent(QPaintEvent *) {
    // The lines as opaque fills, no picture to convert and blend. The last line of one cell and
    // the first of the next make one band of two pixels.
    QPainter p(this);
    const QColor line(128, 0, 0);
    for (int at = 0; at <= ViewSize; at += CellSize) {
        const int first = std::max(at - 1, 0);
        const int width = std::min(at, ViewSize - 1) - first + 1;
        p.fillRect(first, 0, width, ViewSize, line);
        p.fillRect(0, first, ViewSize, width, line);
    }
}

} // namespace mosaikon

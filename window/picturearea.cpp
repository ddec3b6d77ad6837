#include "picturearea.h"

#include "controldrag.h"
#include "mouseevents.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>

namespace mosaikon {

PictureArea::PictureArea(const QString &name, const PixelSurface &surface, QWidget *parent)
    : QWidget(parent)
    , surface_(&surface) {
    setObjectName(name);
    setFixedSize(surface.width(), surface.height());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void PictureArea::setBorderStyle(int style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    update();
}

void PictureArea::refresh() {
    repaint();
}

void PictureArea::setAutomaticDrag(const QImage &image, QPoint hotSpot) {
    dragImage_ = image;
    dragHotSpot_ = hotSpot;
}

void PictureArea::paintEvent(QPaintEvent *) {
    const QImage view(reinterpret_cast<const uchar *>(surface_->row(0)), surface_->width(),
                      surface_->height(), surface_->width() * 4, QImage::Format_RGB32);
    QPainter p(this);
    p.drawImage(QPoint(0, 0), view);
    if (borderStyle_ == 1) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureArea::mousePressEvent(QMouseEvent *event) {
    // While a button is held here, Qt brings this area the presses of other buttons made anywhere
    // on the screen; only a press inside the area is a press on it.
    const QPointF at = event->position();
    if (at.x() < 0 || at.y() < 0 || at.x() >= width() || at.y() >= height()) return;
    // The pointer is where it was pressed, whether or not a move told so before (one made while
    // another window covered the area never reached it): the press moves the pointer first.
    Q_EMIT mouseMove(buttonState(event->buttons()), shiftState(event->modifiers()), float(at.x()),
                     float(at.y()));
    if (event->button() == Qt::LeftButton && !dragImage_.isNull()) {
        clickButton_ = Qt::NoButton;
        dragControl(this, dragImage_, dragHotSpot_);
        return;
    }
    const bool clickable = event->button() == Qt::LeftButton || event->button() == Qt::RightButton;
    clickButton_ = clickable ? event->button() : Qt::NoButton;
    Q_EMIT mouseDown(buttonCode(event->button()), shiftState(event->modifiers()), float(at.x()),
                     float(at.y()));
}

void PictureArea::mouseDoubleClickEvent(QMouseEvent *event) {
    // An area that drags starts a drag on every left press, the second of a double click too.
    // Elsewhere the second left press raises neither press nor click: the double click counts
    // as one click.
    if (event->button() == Qt::LeftButton && dragImage_.isNull()) {
        clickButton_ = Qt::NoButton;
        return;
    }
    mousePressEvent(event);
}

void PictureArea::mouseReleaseEvent(QMouseEvent *event) {
    const bool completes =
        event->button() == clickButton_ && rect().contains(event->position().toPoint());
    if (event->button() == clickButton_) clickButton_ = Qt::NoButton;
    if (completes) Q_EMIT clicked();
}

void PictureArea::mouseMoveEvent(QMouseEvent *event) {
    const QPointF at = event->position();
    Q_EMIT mouseMove(buttonState(event->buttons()), shiftState(event->modifiers()), float(at.x()),
                     float(at.y()));
}

void PictureArea::dragEnterEvent(QDragEnterEvent *event) {
    // Only drags that started in this program are drops; anything else is refused.
    if (acceptDrops() && event->source() && !draggedControlName(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void PictureArea::dragMoveEvent(QDragMoveEvent *event) {
    event->acceptProposedAction();
}

void PictureArea::dropEvent(QDropEvent *event) {
    event->acceptProposedAction();
    const QPointF at = event->position();
    Q_EMIT dragDropped(draggedControlName(event->mimeData()), float(at.x()), float(at.y()));
}

} // namespace mosaikon

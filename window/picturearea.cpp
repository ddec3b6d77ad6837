#include "picturearea.h"

#include "controldrag.h"
#include "mouseevents.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>

namespace mosaikon {

// What assistive technology sees of a picture area: a plain widget whose name and description
// come from the area's text sources, when it has them.
class PictureAreaAccessible : public QAccessibleWidget {
public:
    explicit PictureAreaAccessible(PictureArea *area)
        : QAccessibleWidget(area) {}

    QString text(QAccessible::Text t) const override {
        const auto *area = static_cast<const PictureArea *>(widget());
        if (t == QAccessible::Name && area->accessibleName_) return area->accessibleName_();
        if (t == QAccessible::Description && area->accessibleDescription_)
            return area->accessibleDescription_();
        return QAccessibleWidget::text(t);
    }
};

namespace {

// Asked first with the object's own class, then with each base class in turn: a picture area is
// answered at the first question, so the class name needs no comparing.
QAccessibleInterface *accessibleFor(const QString &, QObject *object) {
    if (object == nullptr || object->metaObject() != &PictureArea::staticMetaObject) return nullptr;
    return new PictureAreaAccessible(static_cast<PictureArea *>(object));
}

} // namespace

PictureArea::PictureArea(const QString &name, std::shared_ptr<const PixelSurface> surface,
                         QWidget *parent)
    : QWidget(parent)
    , surface_(std::move(surface)) {
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleFor), true);
    Q_UNUSED(factoryInstalled);
    setObjectName(name);
    setFixedSize(surface_->width(), surface_->height());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void PictureArea::setBorderStyle(int style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    repaint();
}

void PictureArea::refresh() {
    repaint();
}

void PictureArea::setAutomaticDrag(QImage (*image)(), QPoint hotSpot) {
    makeDragImage_ = image;
    dragImage_ = {};
    dragHotSpot_ = hotSpot;
}

void PictureArea::setAccessibleTexts(std::function<QString()> name,
                                     std::function<QString()> description) {
    accessibleName_ = std::move(name);
    accessibleDescription_ = std::move(description);
}

void PictureArea::descriptionChanged() {
    if (!QAccessible::isActive()) return;
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void PictureArea::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QRect whole(0, 0, surface_->width(), surface_->height());
    if (surface_->isBlank()) {
        p.fillRect(whole, QColor::fromRgb(surface_->fillColour()));
    } else {
        const QImage view(reinterpret_cast<const uchar *>(surface_->row(0)), whole.width(),
                          whole.height(), qsizetype{whole.width()} * 4, QImage::Format_RGB32);
        p.drawImage(QPoint(0, 0), view);
    }
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
    if (event->button() == Qt::LeftButton && makeDragImage_ != nullptr) {
        clickButton_ = Qt::NoButton;
        if (dragImage_.isNull()) dragImage_ = makeDragImage_();
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
    if (event->button() == Qt::LeftButton && makeDragImage_ == nullptr) {
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
    // Only an area that takes drops (a slot view) handles one, however the drop reached it.
    if (!acceptDrops()) return;
    event->acceptProposedAction();
    const QPointF at = event->position();
    Q_EMIT dragDropped(draggedControlName(event->mimeData()), float(at.x()), float(at.y()));
}

} // namespace mosaikon

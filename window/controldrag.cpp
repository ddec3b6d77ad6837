#include "controldrag.h"

#include <QDrag>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QWidget>

#include <algorithm>

namespace mosaikon {

QString controlMimeType() {
    return QStringLiteral("application/x-mosaikon-control");
}

QString draggedControlName(const QMimeData *data) {
    if (!data || !data->hasFormat(controlMimeType())) return {};
    return QString::fromUtf8(data->data(controlMimeType()));
}

namespace {

// `image` on a transparent square whose centre is the image's hot spot: the toolkit puts a drag
// cursor's hot spot at its centre.
QPixmap centredOnHotSpot(const QImage &image, QPoint hotSpot) {
    const int half = std::max({hotSpot.x() + 1, hotSpot.y() + 1, image.width() - hotSpot.x(),
                               image.height() - hotSpot.y()});
    QImage cursor(2 * half, 2 * half, QImage::Format_ARGB32);
    cursor.fill(Qt::transparent);
    QPainter(&cursor).drawImage(QPoint(half, half) - hotSpot, image);
    return QPixmap::fromImage(cursor);
}

QImage blankPointerImage() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

void dragControl(QWidget *source, const QImage &image, QPoint hotSpot) {
    auto *data = new QMimeData;
    data->setData(controlMimeType(), source->objectName().toUtf8());
    auto *drag = new QDrag(source);
    drag->setMimeData(data);
    // The drag image is the pointer itself, a real cursor with a transparent background; the
    // drag's own picture is reduced to one invisible pixel under the hot spot.
    QPixmap nothing(1, 1);
    nothing.fill(Qt::transparent);
    drag->setPixmap(nothing);
    drag->setHotSpot(QPoint(0, 0));
    const QPixmap pointer = centredOnHotSpot(image, hotSpot);
    for (Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction, Qt::IgnoreAction})
        drag->setDragCursor(pointer, action);
    drag->exec(Qt::CopyAction);
}

QImage tileDragImage() {
    QImage image = blankPointerImage();
    QPainter p(&image);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({{1, 1}, {1, 26}, {7, 20}, {12, 30}, {16, 28}, {11, 18}, {19, 18}}));
    return image;
}

QImage originDragImage() {
    QImage image = blankPointerImage();
    QPainter p(&image);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygon({{15, 1}, {29, 15}, {15, 29}, {1, 15}}));
    p.setPen(Qt::white);
    p.drawLine(15, 4, 15, 26);
    p.drawLine(4, 15, 26, 15);
    return image;
}

} // namespace mosaikon

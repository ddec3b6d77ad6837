#include "controldrag.h"

#include <QDrag>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QWidget>

namespace mosaikon {

QString controlMimeType() {
    return QStringLiteral("application/x-mosaikon-control");
}

QString draggedControlName(const QMimeData *data) {
    if (!data || !data->hasFormat(controlMimeType())) return {};
    return QString::fromUtf8(data->data(controlMimeType()));
}

void dragControl(QWidget *source, const QImage &image, QPoint hotSpot) {
    auto *data = new QMimeData;
    data->setData(controlMimeType(), source->objectName().toUtf8());
    auto *drag = new QDrag(source);
    drag->setMimeData(data);
    // The drag image stands in for the pointer, so the pointer itself is hidden while it shows.
    drag->setPixmap(QPixmap::fromImage(image));
    drag->setHotSpot(hotSpot);
    QPixmap none(1, 1);
    none.fill(Qt::transparent);
    for (Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction, Qt::IgnoreAction})
        drag->setDragCursor(none, action);
    drag->exec(Qt::CopyAction);
}

namespace {

QImage blankPointerImage() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

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

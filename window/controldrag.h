#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

class QMimeData;
class QWidget;

namespace mosaikon {

// The origin button's name. A drop target takes a drag carrying exactly this name (case included)
// for an origin drag and any other for a tile drag.
inline constexpr char OriginButtonName[] = "Command4";

// The MIME type that carries a dragged control's name from a drag source to a drop target.
QString controlMimeType();

// The dragged control's name, or an empty text when the data is not a control drag.
QString draggedControlName(const QMimeData *data);

// Drags `source` (by its object name) until the button is released; the pointer shows `image`
// with its hot spot at `hotSpot`. Returns when the drag has ended, dropped or not.
void dragControl(QWidget *source, const QImage &image, QPoint hotSpot);

// The pointer images of the two drag sources, 32 x 32, black and white on transparent.
QImage tileDragImage();   // a large arrow pointing to the top-left; hot spot (1, 1)
QImage originDragImage(); // a diamond outline quartered by a white cross; hot spot (15, 15)

inline constexpr QPoint TileDragHotSpot{1, 1};
inline constexpr QPoint OriginDragHotSpot{15, 15};

} // namespace mosaikon

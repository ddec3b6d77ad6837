#pragma once

#include "core/surface.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace mosaikon {

// A picture area: shows a persistent drawing surface that lives in the model, with a background
// colour and an optional thin border (BorderStyle 1) drawn over the surface's outermost ring of
// pixels, so the picture keeps its place whether or not the border shows.
//
// Events follow the window's rules: a press of any button inside the area raises mouseMove at
// the press position, then mouseDown (1 left, 2 right, 4 middle); releasing the left or right
// button over the same area raises clicked, after the press; the second left press of a double
// click raises nothing more. A press outside the area (one Qt brings it while another button is
// held here) raises nothing. With an automatic drag set, every left press inside, the second of
// a double click too, starts a drag of this area at once after its mouseMove and raises nothing
// else. With drops accepted, a release of a drag from this window over the area raises
// dragDropped with the dragged control's name.
class PictureArea : public QWidget {
    Q_OBJECT

public:
    PictureArea(const QString &name, const PixelSurface &surface, QWidget *parent);

    const PixelSurface &surface() const { return *surface_; }

    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);

    // Shows the surface as it is now, at once.
    void refresh();

    // A left press drags this area, showing `image` as the pointer with its hot spot at `hotSpot`.
    void setAutomaticDrag(const QImage &image, QPoint hotSpot);

Q_SIGNALS:
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void clicked();
    void dragDropped(const QString &source, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    const PixelSurface *surface_;
    int borderStyle_ = 0;
    QImage dragImage_;
    QPoint dragHotSpot_;
    Qt::MouseButton clickButton_ = Qt::NoButton; // the press a release may complete to a click
};

} // namespace mosaikon

#pragma once

#include "surface.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <functional>
#include <memory>

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
    // `surface` is shared with the model that draws into it, so it lives as long as this area,
    // whatever the order in which the window ends its members and its child widgets.
    PictureArea(const QString &name, std::shared_ptr<const PixelSurface> surface, QWidget *parent);

    int BorderStyle() const { return borderStyle_; }
    // Switches the border; a change shows at once.
    void setBorderStyle(int style);

    // Shows the surface as it is now, at once.
    void refresh();

    // A left press drags this area, showing the picture `image` makes (on the first drag) as the
    // pointer, with its hot spot at `hotSpot`.
    void setAutomaticDrag(QImage (*image)(), QPoint hotSpot);

    // The name and description assistive technology reads for this area, asked for only when it
    // reads them: nothing is formatted while none listens.
    void setAccessibleTexts(std::function<QString()> name, std::function<QString()> description);
    // Tells listening assistive technology that the description may have changed.
    void descriptionChanged();

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
    friend class PictureAreaAccessible;

    std::shared_ptr<const PixelSurface> surface_;
    std::function<QString()> accessibleName_;
    std::function<QString()> accessibleDescription_;
    int borderStyle_ = 0;
    QImage (*makeDragImage_)() = nullptr;
    QImage dragImage_; // made on the first drag
    QPoint dragHotSpot_;
    Qt::MouseButton clickButton_ = Qt::NoButton; // the press a release may complete to a click
};

} // namespace mosaikon

#pragma once

#include <QImage>
#include <QWidget>

namespace mosaikon {

// The grid drawn over the source view: a 256 x 256 two-colour picture, dark red where
// x mod 32 or y mod 32 is 0 or 31, transparent elsewhere, so each 32 x 32 cell has a frame of its
// own. It takes no pointer input: presses and moves reach the view beneath.
class GridOverlay : public QWidget {
    Q_OBJECT

public:
    explicit GridOverlay(QWidget *parent);

    static QImage gridImage();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage image_;
};

} // namespace mosaikon

#pragma once

#include <QWidget>

namespace mosaikon {

// The grid drawn over the source view: 256 x 256 pixels, opaque dark red (128, 0, 0) where
// x mod 32 or y mod 32 is 0 or 31, transparent elsewhere, so each 32 x 32 cell has a frame of its
// own. It takes no pointer input: presses and moves reach the view beneath.
class GridOverlay : public QWidget {
    Q_OBJECT

public:
    explicit GridOverlay(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace mosaikon

#pragma once

#include <QPushButton>

namespace mosaikon {

// The origin button: a left press drags it at once (it never clicks); dropped on a slot it moves
// the origin there.
class OriginButton : public QPushButton {
    Q_OBJECT

public:
    explicit OriginButton(QWidget *parent);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace mosaikon

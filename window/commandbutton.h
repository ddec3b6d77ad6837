#pragma once

#include <QPushButton>

namespace mosaikon {

// A command button: with the keyboard focus on it, Return and Enter press it as Space does. It is
// never the window's default button, so it looks like any other push button, and a key held
// down presses it once.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    CommandButton(const QString &name, const QString &caption, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace mosaikon

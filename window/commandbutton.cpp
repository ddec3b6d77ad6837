#include "commandbutton.h"

#include <QKeyEvent>

namespace mosaikon {

CommandButton::CommandButton(const QString &name, const QString &caption, QWidget *parent)
    : QPushButton(caption, parent) {
    setObjectName(name);
    setAutoDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent *event) {
    // A push button that is no default button lets Return and Enter pass to its window, where
    // nothing takes them. Enter on the keypad carries the keypad modifier; any other modifier
    // makes it another key.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat()) click();
}

} // namespace mosaikon

#include "originbutton.h"

#include "controldrag.h"

#include <QFont>
#include <QMouseEvent>

namespace mosaikon {

OriginButton::OriginButton(QWidget *parent)
    : QPushButton(QStringLiteral("0"), parent) {
    setObjectName(QLatin1String(OriginButtonName));
    setToolTip(QStringLiteral("Origin"));
    QFont face(QStringLiteral("Comic Sans MS"), 24, QFont::Bold);
    setFont(face);
    setAutoDefault(false);
}

void OriginButton::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) {
        dragControl(this, originDragImage(), OriginDragHotSpot);
        return;
    }
    QPushButton::mousePressEvent(event);
}

} // namespace mosaikon

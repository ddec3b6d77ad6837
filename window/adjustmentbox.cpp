#include "adjustmentbox.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace mosaikon {

AdjustmentBox::AdjustmentBox(const QString &name, const QString &caption, QWidget *parent)
    : QCheckBox(caption, parent) {
    setObjectName(name);
}

int AdjustmentBox::value() const {
    switch (checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    }
    return 0;
}

void AdjustmentBox::paintEvent(QPaintEvent *) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    QStyleOptionButton box = option;
    box.rect = indicator;
    box.rect.moveTop((height() - indicator.height()) / 2);
    p.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);

    const int gap = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const QRect textRect = rect().adjusted(indicator.right() + 1 + gap, 0, 0, 0);
    p.setFont(captionFont(font(), textRect, caption));
    p.drawItemText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, palette(),
                   isEnabled(), caption, QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = p.boundingRect(textRect, Qt::AlignVCenter | Qt::TextWordWrap, caption);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

QFont AdjustmentBox::captionFont(const QFont &font, const QRect &room, const QString &caption) {
    QFont fitted = font;
    for (qreal size = font.pointSizeF(); size >= 6; size -= 0.5) {
        fitted.setPointSizeF(size);
        const QRect needed = QFontMetrics(fitted).boundingRect(room, Qt::TextWordWrap, caption);
        if (needed.height() <= room.height() && needed.width() <= room.width()) return fitted;
    }
    return fitted;
}

bool AdjustmentBox::hitButton(const QPoint &pos) const {
    return rect().contains(pos);
}

} // namespace mosaikon

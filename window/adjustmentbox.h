#pragma once

#include <QCheckBox>

namespace mosaikon {

// A two-state check box whose caption wraps onto as many lines as its box needs.
class AdjustmentBox : public QCheckBox {
    Q_OBJECT

public:
    AdjustmentBox(const QString &name, const QString &caption, QWidget *parent);

    // 0 unchecked, 1 checked, 2 grayed: the values the export reads, whatever Qt's own numbering.
    int value() const;

    // The font the caption is drawn in: the box's own, made smaller (to 6 points at least) where
    // the caption wrapped in it would not fit `room`. A desktop's default font (GNOME's, through
    // Qt's GTK theme) can be larger than the one the window's fixed layout was made for, and a
    // caption cut off would hide what the box does.
    static QFont captionFont(const QFont &font, const QRect &room, const QString &caption);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

} // namespace mosaikon

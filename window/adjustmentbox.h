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

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

} // namespace mosaikon

#include "slotdescription.h"

#include "slotgrid.h"

#include <QStringList>

namespace mosaikon {

QString slotAccessibleName(int index) {
    return QStringLiteral("Slot %1, column %2, row %3")
        .arg(index)
        .arg(index % SlotColumns)
        .arg(index / SlotColumns);
}

QString slotAccessibleDescription(const SlotGrid &grid, int index) {
    const auto i = static_cast<std::size_t>(index);
    const Slot &slot = grid.slots[i];
    QStringList parts;
    if (slot.Tag.empty()) {
        parts << QStringLiteral("Empty");
    } else {
        parts << QStringLiteral("Tile %1").arg(QString::fromStdString(slot.Tag));
        const std::uint8_t attr = grid.SlotAttr[i];
        const bool h = attr & MirrorLeftRight;
        const bool v = attr & MirrorTopBottom;
        if (h && v)
            parts << QStringLiteral("flipped both ways");
        else if (h)
            parts << QStringLiteral("flipped left to right");
        else if (v)
            parts << QStringLiteral("flipped top to bottom");
        else
            parts << QStringLiteral("not flipped");
    }
    if (grid.OriginCol == index % SlotColumns && grid.OriginRow == index / SlotColumns)
        parts << QStringLiteral("origin");
    return parts.join(QStringLiteral(", "));
}

} // namespace mosaikon

#include "WindowPlacement.h"

#include <algorithm>

namespace nerav {

QRect PlaceBeside(const QRect &owner, const QSize &preferred, const QSize &minimum,
                  const QRect &area)
{
    QSize size = preferred.expandedTo(minimum).boundedTo(area.size());
    const int roomRight = area.right() - owner.right();
    const int roomLeft = owner.left() - area.left();
    const bool right = roomRight >= roomLeft;
    const int room = right ? roomRight : roomLeft;
    if (room >= minimum.width())
        size.setWidth(std::min(size.width(), room));
    const int x = right ? std::min(owner.right() + 1, area.right() + 1 - size.width())
                        : std::max(owner.left() - size.width(), area.left());
    const int y = std::clamp(owner.top(), area.top(), area.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}

} // namespace nerav

#include "WindowPlacement.h"

#include <algorithm>

namespace nerav {

namespace {

qint64 Area(const QSize &size)
{
    return qint64(size.width()) * size.height();
}

// The rectangle of the size nearest to the wanted top left corner within the room.
QRect Within(const QRect &room, const QPoint &wanted, const QSize &size)
{
    return QRect(QPoint(std::clamp(wanted.x(), room.left(), room.right() + 1 - size.width()),
                        std::clamp(wanted.y(), room.top(), room.bottom() + 1 - size.height())),
                 size);
}

} // namespace

QRect PlaceBeside(const QRect &owner, const QSize &preferred, const QSize &minimum,
                  const QRect &area)
{
    const QSize wanted = preferred.expandedTo(minimum).boundedTo(area.size());
    struct Side
    {
        QRect room;
        QPoint corner; // for the wanted size: touching the owner, level with it
    };
    const Side sides[] = {
            {QRect(QPoint(owner.right() + 1, area.top()), area.bottomRight()),
             QPoint(owner.right() + 1, owner.top())},
            {QRect(area.topLeft(), QPoint(owner.left() - 1, area.bottom())),
             QPoint(owner.left() - wanted.width(), owner.top())},
            {QRect(QPoint(area.left(), owner.bottom() + 1), area.bottomRight()),
             QPoint(owner.left(), owner.bottom() + 1)},
            {QRect(area.topLeft(), QPoint(area.right(), owner.top() - 1)),
             QPoint(owner.left(), owner.top() - wanted.height())},
    };
    QRect best;
    for (const Side &side : sides) {
        const QRect room = side.room.intersected(area);
        if (room.width() < minimum.width() || room.height() < minimum.height())
            continue;
        const QSize size = wanted.boundedTo(room.size());
        if (best.isNull() || Area(size) > Area(best.size()))
            best = Within(room, side.corner, size);
    }
    if (!best.isNull())
        return best;

    const QSize size =
            wanted.boundedTo(area.size() * 3 / 4).expandedTo(minimum).boundedTo(area.size());
    const QPoint corners[] = {
            QPoint(area.right() + 1 - size.width(), area.top()),
            QPoint(area.right() + 1 - size.width(), area.bottom() + 1 - size.height()),
            area.topLeft(), QPoint(area.left(), area.bottom() + 1 - size.height())};
    for (const QPoint &corner : corners) {
        const QRect placed(corner, size);
        if (best.isNull() ||
            Area(placed.intersected(owner).size()) < Area(best.intersected(owner).size()))
            best = placed;
    }
    return best;
}

} // namespace nerav

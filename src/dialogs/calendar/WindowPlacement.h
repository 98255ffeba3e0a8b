#pragma once

// Where a window opened from another one goes the first time, so that it does not hide its
// owner where the screen has room for both.

#include <QRect>
#include <QSize>

namespace nerav {

// The frame rectangle for the new window within the screen's available area: next to the
// owner's frame on the side (right, left, below, above) that has room for at least the
// minimum and gives it the most of its preferred size. Where no side has that room, the
// preferred size but at most three quarters of the area each way (not below the minimum), in
// the corner of the area where it covers the least of the owner.
QRect PlaceBeside(const QRect &owner, const QSize &preferred, const QSize &minimum,
                  const QRect &area);

} // namespace nerav

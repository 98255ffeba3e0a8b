#pragma once

// Where a window opened from another one goes the first time, so that it does not hide its
// owner where the screen has room for both.

#include <QRect>
#include <QSize>

namespace nerav {

// The frame rectangle for the new window: beside the owner's frame, on the side with more room
// in the screen's available area, as wide as that room allows (not below minimum), level with
// the owner's top. Where neither side has the minimum width, it goes against that side's
// screen edge and covers the owner as little as its size allows. The size is the preferred one
// within the area.
QRect PlaceBeside(const QRect &owner, const QSize &preferred, const QSize &minimum,
                  const QRect &area);

} // namespace nerav

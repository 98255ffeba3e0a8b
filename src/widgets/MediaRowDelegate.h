#pragma once

// Draws an entry row as the list always has, then, right of its text in the media column, what
// the media survey found: the state as one of the style's own icons (a tick when the player
// plays it, a warning when it may not, a stop sign when the file is missing or unreadable) and
// the duration. The row's tooltip and what a screen reader says give both in words.

#include "RowDelegate.h"

namespace nerav {

class MediaRowDelegate : public RowDelegate
{
    Q_OBJECT

public:
    using RowDelegate::RowDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace nerav

#pragma once

// Draws a list row, one line of text, as the style draws an item view's row: background,
// selection and focus from the style, the text laid out once. The style's own drawing lays a
// row out several times to place and elide it; a row too wide for its place, of more than
// one line, or aligned otherwise than left, is left to it.

#include <QStyledItemDelegate>

namespace nerav {

class RowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

} // namespace nerav

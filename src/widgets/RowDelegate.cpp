#include "RowDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <QtMath>

namespace nerav {

void RowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                        const QModelIndex &index) const
{
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    // Anything but one left-aligned line of plain text, fitting its place, is the style's.
    if (row.text.contains(QChar::LineSeparator) || !row.icon.isNull() ||
        (row.features & QStyleOptionViewItem::HasCheckIndicator) ||
        row.direction != Qt::LeftToRight ||
        row.displayAlignment != (Qt::AlignLeft | Qt::AlignVCenter)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget *widget = row.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = row.rect.adjusted(margin, 0, -margin, 0);

    QTextLayout layout(row.text, row.font, painter->device());
    QTextOption textOption;
    textOption.setWrapMode(QTextOption::ManualWrap);
    textOption.setTextDirection(row.direction);
    layout.setTextOption(textOption);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(textRect.width());
    layout.endLayout();
    if (!line.isValid() || line.naturalTextWidth() > textRect.width()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    painter->save();
    painter->setClipRect(row.rect);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &row, painter, widget);
    const QPalette::ColorGroup group = !(row.state & QStyle::State_Enabled) ? QPalette::Disabled
            : (row.state & QStyle::State_Active)                            ? QPalette::Active
                                                                            : QPalette::Inactive;
    painter->setPen(row.palette.color(group,
                                      row.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
    const int height = qCeil(line.height());
    layout.draw(painter,
                QPointF(textRect.left(), textRect.top() + (textRect.height() - height) / 2));
    if (row.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(row);
        focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &row, widget);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = row.palette.color(
                group, row.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

} // namespace nerav

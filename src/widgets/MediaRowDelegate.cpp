#include "MediaRowDelegate.h"

#include "MediaTimeText.h"
#include "MessageBoxes.h"
#include "PlayerProfile.h"
#include "RowFormat.h"
#include "ScheduleListModel.h"

#include <QPainter>
#include <QStyle>

namespace nerav {

namespace {

// Where a row's text starts inside its rectangle, as item views draw it.
int TextMargin(const QStyleOptionViewItem &option)
{
    const QStyle *style = option.widget ? option.widget->style() : nullptr;
    return (style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) : 0) +
            1;
}

QStyle::StandardPixmap MarkOf(MediaState state)
{
    switch (state) {
    case MediaState::Plays:
        return QStyle::SP_DialogApplyButton;
    case MediaState::MayNotPlay:
        return QStyle::SP_MessageBoxWarning;
    default:
        return QStyle::SP_MessageBoxCritical;
    }
}

} // namespace

void MediaRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    RowDelegate::paint(painter, option, index);
    const QVariant state = index.data(ScheduleListModel::MediaStateRole);
    const QVariant duration = index.data(ScheduleListModel::DurationRole);
    if (!state.isValid() && !duration.isValid())
        return;
    QStyle *style = option.widget ? option.widget->style() : nullptr;
    if (!style)
        return;
    const QFontMetrics metrics(option.font);
    const int cell = metrics.horizontalAdvance(QLatin1Char(' '));
    const QRect &row = option.rect;
    const int left = row.left() + TextMargin(option) + CellsWidth(option.font, EntryMediaColumn);
    if (state.isValid()) {
        const int side = qMax(8, qMin(row.height() - 2, 2 * cell));
        const QRect mark(left, row.top() + (row.height() - side) / 2, side, side);
        style->standardIcon(MarkOf(MediaState(state.toInt())), nullptr, option.widget)
                .paint(painter, mark);
    }
    const qint64 milliseconds = duration.toLongLong();
    if (milliseconds < 0)
        return;
    const QRect text(left + 3 * cell, row.top(), (EntryMediaWidth - 3) * cell, row.height());
    // The colours the style gives the row's own text.
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
            : (option.state & QStyle::State_Active)                            ? QPalette::Active
                                                                               : QPalette::Inactive;
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setFont(option.font);
    painter->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(text, Qt::AlignRight | Qt::AlignVCenter, DurationText(milliseconds));
    painter->restore();
}

QSize MediaRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(
            qMax(size.width(), 2 * TextMargin(option) + CellsWidth(option.font, EntryListWidth)));
    return size;
}

} // namespace nerav

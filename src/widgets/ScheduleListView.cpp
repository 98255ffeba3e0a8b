#include "ScheduleListView.h"

#include "MessageBoxes.h"

#include <QKeyEvent>
#include <QStyleOptionViewItem>

namespace nerav {

ScheduleListView::ScheduleListView(QWidget *parent) : QListView(parent)
{
    setFont(ListFont());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    // Rows are dragged within the list and media files dropped on it; the model makes both
    // an undoable step and the view never removes the dragged row itself.
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    setDropIndicatorShown(true);
}

int ScheduleListView::count() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int ScheduleListView::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void ScheduleListView::setCurrentRow(int row)
{
    if (!model() || !selectionModel())
        return;
    const QModelIndex index = rowIndex(row);
    if (index.isValid())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->clear();
}

QModelIndex ScheduleListView::rowIndex(int row) const
{
    return model() ? model()->index(row, 0, rootIndex()) : QModelIndex();
}

QString ScheduleListView::rowText(int row) const
{
    return rowIndex(row).data().toString();
}

QRect ScheduleListView::rowRect(int row) const
{
    return visualRect(rowIndex(row));
}

void ScheduleListView::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter))
        emit commandKey(StepKind::Modify);
    else if (modifiers == Qt::NoModifier && key == Qt::Key_Delete)
        emit commandKey(StepKind::Remove);
    else if (modifiers == Qt::ControlModifier && key == Qt::Key_Up)
        emit commandKey(StepKind::MoveUp);
    else if (modifiers == Qt::ControlModifier && key == Qt::Key_Down)
        emit commandKey(StepKind::MoveDown);
    else
        return QListView::keyPressEvent(event);
    event->accept();
}

void ScheduleListView::initViewItemOption(QStyleOptionViewItem *option) const
{
    QListView::initViewItemOption(option);
    // A view without the focus is drawn in the palette's inactive colours. Where those give
    // the selection the same colour (Fusion's palette does), three lists would look alike
    // and Delete's target could not be told: the inactive selection is then the highlight
    // washed towards the background, with the plain text colour on it.
    QPalette &palette = option->palette;
    const QColor active = palette.color(QPalette::Active, QPalette::Highlight);
    if (palette.color(QPalette::Inactive, QPalette::Highlight) != active)
        return;
    const QColor base = palette.color(QPalette::Inactive, QPalette::Base);
    const auto mix = [](int highlight, int background) {
        return (highlight * 2 + background * 3) / 5;
    };
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     QColor(mix(active.red(), base.red()), mix(active.green(), base.green()),
                            mix(active.blue(), base.blue())));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Inactive, QPalette::Text));
}

} // namespace nerav

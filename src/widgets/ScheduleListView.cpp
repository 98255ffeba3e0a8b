#include "ScheduleListView.h"

#include "MessageBoxes.h"

#include <QKeyEvent>

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

} // namespace nerav

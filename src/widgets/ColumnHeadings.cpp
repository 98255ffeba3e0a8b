#include "ColumnHeadings.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QStyle>

namespace nerav {

ColumnHeadings::ColumnHeadings(QAbstractItemView *list, const std::vector<ColumnHeading> &headings,
                               QWidget *parent)
    : QWidget(parent), m_list(list)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (const ColumnHeading &heading : headings) {
        auto *label = new QLabel(heading.text, this);
        label->setObjectName(heading.objectName);
        label->setFont(list->font());
        m_labels.emplace_back(label, heading.column);
    }
    placeLabels();
}

int ColumnHeadings::ColumnOffset(const QAbstractItemView *list, int column)
{
    // Item views draw their text after the frame and a focus margin of one pixel more.
    const int textMargin =
            list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const QFontMetrics metrics(list->font());
    return list->frameWidth() + textMargin +
            metrics.horizontalAdvance(QString(column, QLatin1Char(' ')));
}

QSize ColumnHeadings::sizeHint() const
{
    int width = 0;
    int height = 18;
    for (const auto &[label, column] : m_labels) {
        const QSize labelSize = label->sizeHint();
        width = qMax(width, ColumnOffset(m_list, column) + labelSize.width());
        height = qMax(height, labelSize.height());
    }
    return QSize(width, height);
}

QSize ColumnHeadings::minimumSizeHint() const
{
    return sizeHint();
}

void ColumnHeadings::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeLabels();
}

void ColumnHeadings::placeLabels()
{
    for (const auto &[label, column] : m_labels) {
        label->resize(label->sizeHint());
        label->move(ColumnOffset(m_list, column), (height() - label->height()) / 2);
    }
}

} // namespace nerav

#include "ColumnHeadings.h"

#include "MessageBoxes.h"

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
        auto *label = new QLabel(this);
        label->setObjectName(heading.objectName);
        label->setFont(list->font());
        m_labels.emplace_back(label, heading.column);
    }
    placeLabels();
}

void ColumnHeadings::setTexts(const QStringList &texts)
{
    for (std::size_t i = 0; i < m_labels.size() && i < std::size_t(texts.size()); ++i)
        m_labels[i].first->setText(texts[qsizetype(i)]);
    updateGeometry();
    placeLabels();
}

int ColumnHeadings::columnOffset(const QAbstractItemView *list, int column)
{
    // Item views draw their text after the frame and a focus margin of one pixel more.
    const int textMargin =
            list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    return list->frameWidth() + textMargin + CellsWidth(list->font(), column);
}

std::vector<int> ColumnHeadings::labelOffsets() const
{
    const int cell = QFontMetrics(m_list->font()).horizontalAdvance(QLatin1Char(' '));
    std::vector<int> offsets;
    int free = 0;
    for (const auto &[label, column] : m_labels) {
        const int offset = qMax(columnOffset(m_list, column), free);
        offsets.push_back(offset);
        free = offset + label->sizeHint().width() + cell;
    }
    return offsets;
}

QSize ColumnHeadings::sizeHint() const
{
    const std::vector<int> offsets = labelOffsets();
    int width = 0;
    int height = 18;
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        const QSize labelSize = m_labels[i].first->sizeHint();
        width = qMax(width, offsets[i] + labelSize.width());
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
    const std::vector<int> offsets = labelOffsets();
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        QLabel *label = m_labels[i].first;
        label->resize(label->sizeHint());
        label->move(offsets[i], (height() - label->height()) / 2);
    }
}

} // namespace nerav

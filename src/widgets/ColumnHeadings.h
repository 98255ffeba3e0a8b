#pragma once

// The column headings above a list, in the current language. Each heading is a label placed
// over the first character cell of its column, measured in the list's own font; a heading
// longer than its column keeps one cell of space before the next.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

class QLabel;
class QAbstractItemView;

namespace nerav {

struct ColumnHeading
{
    QString objectName;
    int column; // half-width character cell where the column starts
};

class ColumnHeadings : public QWidget
{
    Q_OBJECT

public:
    // The headings from left to right; their texts come with setTexts.
    ColumnHeadings(QAbstractItemView *list, const std::vector<ColumnHeading> &headings,
                   QWidget *parent = nullptr);

    // One text per heading, in the order given to the constructor.
    void setTexts(const QStringList &texts);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The x offset, inside the list's own left edge, at which a column's text starts.
    static int columnOffset(const QAbstractItemView *list, int column);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Where each label starts: on its column, or one cell after the label before it.
    std::vector<int> labelOffsets() const;
    void placeLabels();

    QAbstractItemView *m_list;
    std::vector<std::pair<QLabel *, int>> m_labels;
};

} // namespace nerav

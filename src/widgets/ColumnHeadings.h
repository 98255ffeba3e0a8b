#pragma once

// The fixed Japanese column headings above a list (the same in both languages). Each heading is
// a label placed over the first character cell of its column, measured in the list's own font.

#include <QString>
#include <QWidget>
#include <vector>

class QLabel;
class QAbstractItemView;

namespace nerav {

struct ColumnHeading
{
    QString objectName;
    QString text;
    int column; // half-width character cell where the column starts
};

class ColumnHeadings : public QWidget
{
    Q_OBJECT

public:
    ColumnHeadings(QAbstractItemView *list, const std::vector<ColumnHeading> &headings,
                   QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The x offset, inside the list's own left edge, at which a column's text starts.
    static int ColumnOffset(const QAbstractItemView *list, int column);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeLabels();

    QAbstractItemView *m_list;
    std::vector<std::pair<QLabel *, int>> m_labels;
};

} // namespace nerav

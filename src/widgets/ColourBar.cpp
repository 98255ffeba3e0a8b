#include "ColourBar.h"

#include <QPainter>

namespace nerav {

ColourBar::ColourBar(QWidget *parent)
    : QWidget(parent), m_colours {QColor(0, 0, 255),     QColor(0, 255, 255), QColor(0, 255, 0),
                                  QColor(255, 255, 0),   QColor(255, 128, 0), QColor(255, 0, 0),
                                  QColor(128, 128, 128), QColor(255, 0, 255)}
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QColor ColourBar::colourAt(int index) const
{
    return index >= 0 && index < BarCount ? m_colours[index] : QColor();
}

QSize ColourBar::sizeHint() const
{
    return QSize(BarCount * 24, 8);
}

void ColourBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int barWidth = width() / BarCount;
    for (int i = 0; i < BarCount; ++i) {
        // Index 0 is the rightmost bar.
        const int left = width() - (i + 1) * barWidth;
        painter.fillRect(QRect(left, 0, barWidth, height()), m_colours[i]);
    }
}

} // namespace nerav

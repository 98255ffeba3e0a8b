#include "ClickableLabel.h"

#include <QMouseEvent>

namespace nerav {

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    QPalette linkColours = palette();
    linkColours.setColor(QPalette::WindowText, linkColours.color(QPalette::Link));
    setPalette(linkColours);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace nerav

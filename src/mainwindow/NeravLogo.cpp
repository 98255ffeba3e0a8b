#include "NeravLogo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace nerav {

NeravLogo::NeravLogo(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize NeravLogo::sizeHint() const
{
    return QSize(192, 52);
}

void NeravLogo::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect().adjusted(2, 2, -2, -2);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setItalic(true);
    font.setLetterSpacing(QFont::PercentageSpacing, 110);
    font.setPixelSize(int(area.height() * 0.72));

    QPainterPath word;
    word.addText(0, 0, font, QStringLiteral("NERAV"));
    const QRectF bounds = word.boundingRect();
    const qreal scale = qMin(1.0, area.width() * 0.96 / bounds.width());
    QTransform place;
    place.translate(area.left() + (area.width() - bounds.width() * scale) / 2,
                    area.top() + area.height() * 0.70);
    place.scale(scale, scale);
    place.translate(-bounds.left(), 0);
    word = place.map(word);

    QLinearGradient fill(area.topLeft(), area.bottomRight());
    fill.setColorAt(0.0, QColor(0, 64, 160));
    fill.setColorAt(1.0, QColor(0, 150, 210));
    painter.setPen(QPen(QColor(0, 32, 96), 1.0));
    painter.setBrush(fill);
    painter.drawPath(word);

    // A swoosh under the letters, rising to the right.
    QPainterPath swoosh;
    const qreal base = area.bottom() - 2;
    swoosh.moveTo(area.left() + 4, base);
    swoosh.cubicTo(area.left() + area.width() * 0.4, base - 2, area.left() + area.width() * 0.7,
                   base - 4, area.right() - 2, area.top() + area.height() * 0.72);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 128, 0), 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(swoosh);
}

} // namespace nerav

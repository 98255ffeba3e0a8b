#include "NeravLogo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace nerav {

static void DrawBadge(QPainter &painter, const QRectF &box)
{
    QLinearGradient blue(box.topLeft(), box.bottomRight());
    blue.setColorAt(0.0, QColor(0x2f, 0x9b, 0xd6));
    blue.setColorAt(1.0, QColor(0x12, 0x3c, 0x8c));
    painter.setPen(Qt::NoPen);
    painter.setBrush(blue);
    const qreal corner = box.width() * 0.18;
    painter.drawRoundedRect(box, corner, corner);

    const qreal unit = box.width() / 10.0;
    QPainterPath play;
    play.moveTo(box.left() + 2.0 * unit, box.top() + 2.0 * unit);
    play.lineTo(box.left() + 5.6 * unit, box.top() + 4.0 * unit);
    play.lineTo(box.left() + 2.0 * unit, box.top() + 6.0 * unit);
    play.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(play);

    // Three schedule bars of different lengths, the colours of the main window's bars.
    const QColor bars[] = {QColor(0xff, 0xd2, 0x3c), QColor(0x7c, 0xe0, 0x8a), Qt::white};
    for (int row = 0; row < 3; ++row) {
        const qreal top = box.top() + (6.8 + row * 1.0) * unit;
        const qreal length = (7.0 - row * 1.6) * unit;
        painter.setBrush(bars[row]);
        painter.drawRoundedRect(QRectF(box.left() + 2.0 * unit, top, length, 0.6 * unit),
                                0.3 * unit, 0.3 * unit);
    }
}

QPixmap NeravLogoPixmap(const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(size.width(), size.height());
    DrawBadge(painter, QRectF(0, (size.height() - side) / 2.0, side, side));
    if (size.width() >= 2 * size.height()) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(int(side * 0.55));
        font.setLetterSpacing(QFont::PercentageSpacing, 110);
        painter.setFont(font);
        painter.setPen(QColor(0x12, 0x3c, 0x8c));
        const QRectF name(side * 1.2, 0, size.width() - side * 1.2, size.height());
        painter.drawText(name, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("NERAV"));
    }
    return pixmap;
}

} // namespace nerav

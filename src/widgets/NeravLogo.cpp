#include "NeravLogo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace nerav {

// The name "NERAV" in DejaVu Sans Bold at 110 % letter spacing, as outlines in thousandths of
// the pixel size with the baseline at 0: the logo looks the same whichever fonts are installed,
// and no font is loaded to draw it. 'C' starts a cubic curve whose two 'D' points follow.
struct OutlinePoint
{
    char kind;
    short x;
    short y;
};

constexpr OutlinePoint NameOutline[] = {
        {'M', 92, -729},   {'L', 302, -729},  {'L', 567, -229},  {'L', 567, -729},
        {'L', 745, -729},  {'L', 745, 0},     {'L', 535, 0},     {'L', 270, -500},
        {'L', 270, 0},     {'L', 92, 0},      {'L', 92, -729},   {'M', 1012, -729},
        {'L', 1520, -729}, {'L', 1520, -587}, {'L', 1200, -587}, {'L', 1200, -451},
        {'L', 1501, -451}, {'L', 1501, -309}, {'L', 1200, -309}, {'L', 1200, -142},
        {'L', 1530, -142}, {'L', 1530, 0},    {'L', 1012, 0},    {'L', 1012, -729},
        {'M', 2031, -406}, {'C', 2070, -406}, {'D', 2098, -413}, {'D', 2116, -428},
        {'C', 2133, -442}, {'D', 2141, -466}, {'D', 2141, -500}, {'C', 2141, -533},
        {'D', 2133, -557}, {'D', 2116, -571}, {'C', 2098, -586}, {'D', 2070, -593},
        {'D', 2031, -593}, {'L', 1952, -593}, {'L', 1952, -406}, {'L', 2031, -406},
        {'M', 1952, -276}, {'L', 1952, 0},    {'L', 1764, 0},    {'L', 1764, -729},
        {'L', 2051, -729}, {'C', 2147, -729}, {'D', 2217, -713}, {'D', 2262, -681},
        {'C', 2307, -648}, {'D', 2329, -597}, {'D', 2329, -528}, {'C', 2329, -480},
        {'D', 2318, -440}, {'D', 2294, -409}, {'C', 2271, -378}, {'D', 2236, -355},
        {'D', 2189, -341}, {'C', 2215, -335}, {'D', 2238, -322}, {'D', 2258, -301},
        {'C', 2279, -280}, {'D', 2299, -249}, {'D', 2320, -207}, {'L', 2422, 0},
        {'L', 2222, 0},    {'L', 2133, -181}, {'C', 2115, -218}, {'D', 2097, -243},
        {'D', 2078, -256}, {'C', 2060, -269}, {'D', 2036, -276}, {'D', 2005, -276},
        {'L', 1952, -276}, {'M', 3053, -133}, {'L', 2759, -133}, {'L', 2713, 0},
        {'L', 2524, 0},    {'L', 2794, -729}, {'L', 3018, -729}, {'L', 3288, 0},
        {'L', 3099, 0},    {'L', 3053, -133}, {'M', 2806, -268}, {'L', 3006, -268},
        {'L', 2906, -558}, {'L', 2806, -268}, {'M', 3301, -729}, {'L', 3489, -729},
        {'L', 3683, -191}, {'L', 3876, -729}, {'L', 4065, -729}, {'L', 3795, 0},
        {'L', 3571, 0},    {'L', 3301, -729},
};

// The font's ascent and descent in the same units, for centring the name as text is centred,
// and the height of its capitals.
constexpr qreal NameAscent = 928.2;
constexpr qreal NameDescent = 235.8;
constexpr qreal NameCapitals = 729;

static QPainterPath NamePath(qreal pixelSize)
{
    const qreal unit = pixelSize / 1000.0;
    // Capitals a whole number of pixels high keep their tops sharp, as hinted text has them.
    const qreal height = qCeil(NameCapitals * unit) / NameCapitals;
    QPainterPath path;
    const std::size_t count = sizeof(NameOutline) / sizeof(NameOutline[0]);
    for (std::size_t i = 0; i < count; ++i) {
        const OutlinePoint &point = NameOutline[i];
        const QPointF at(point.x * unit, point.y * height);
        if (point.kind == 'M') {
            path.moveTo(at);
        } else if (point.kind == 'L') {
            path.lineTo(at);
        } else if (point.kind == 'C' && i + 2 < count) {
            const OutlinePoint &second = NameOutline[i + 1];
            const OutlinePoint &end = NameOutline[i + 2];
            path.cubicTo(at, QPointF(second.x * unit, second.y * height),
                         QPointF(end.x * unit, end.y * height));
            i += 2;
        }
    }
    return path;
}

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
        const qreal pixelSize = int(side * 0.55);
        // Centred as a line of text is: half the height, then half of ascent less descent.
        const qreal baseline =
                qRound(size.height() / 2.0 + (NameAscent - NameDescent) / 2000.0 * pixelSize);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x12, 0x3c, 0x8c));
        painter.drawPath(NamePath(pixelSize).translated(side * 1.2, baseline));
    }
    return pixmap;
}

} // namespace nerav

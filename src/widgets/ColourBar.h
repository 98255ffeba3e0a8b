#pragma once

// The decorative strip of eight coloured bars (Shape1). Bar 0 is at the right, bar 7 at the
// left; each rotation moves the pattern one bar to the right.

#include <QColor>
#include <QWidget>
#include <array>

namespace nerav {

class ColourBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int BarCount = 8;

    explicit ColourBar(QWidget *parent = nullptr);

    QColor colourAt(int index) const;

    // Bar i takes the colour of bar i + 1; bar 7 takes the old colour of bar 0.
    void rotate();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<QColor, BarCount> m_colours;
};

} // namespace nerav

#pragma once

// The decorative strip of eight coloured bars (Shape1) under the logo, standing still. Bar 0 is
// at the right, bar 7 at the left.

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

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<QColor, BarCount> m_colours;
};

} // namespace nerav

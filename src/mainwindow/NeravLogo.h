#pragma once

// The maker's logo (NeravLogoImage), drawn rather than loaded: the word NERAV in heavy italic
// capitals over a sweeping underline.

#include <QWidget>

namespace nerav {

class NeravLogo : public QWidget
{
    Q_OBJECT

public:
    explicit NeravLogo(QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace nerav

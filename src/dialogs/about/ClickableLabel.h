#pragma once

// A label that looks and acts like a link: link colour, underlined, a pointing hand, and a
// clicked() signal when the left button is released over it.

#include <QLabel>

namespace nerav {

class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace nerav

#pragma once

// A label that looks and acts like a link: link colour, underlined, a pointing hand, and a
// clicked() signal when the left button is released over it. Tab reaches it, a focus frame
// shows it, and Enter, Return or Space click it.

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
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

} // namespace nerav

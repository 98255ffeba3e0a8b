#pragma once

// Watches the whole application for the first paint of a main window. Once that frame is
// painted and flushed it prints one line to stdout and ends the event loop:
//     first-paint <steady-clock ns> peak-kb <VmHWM> rows <rows in the window's lists>
// The steady clock is CLOCK_MONOTONIC, shared by all processes, so the parent that started the
// process subtracts its own start time.

#include <QObject>

namespace nerav {

class FirstPaintProbe : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Report(QWidget *window);

    bool m_seen = false;
};

} // namespace nerav

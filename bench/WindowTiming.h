#pragma once

// Timing helpers for the figures that measure a change of a window with its repaint.

#include <QWidget>
#include <functional>

namespace nerav {

// Waits (at most 5 s) until the window is on screen, then lets it paint.
void WaitUntilExposed(QWidget &window);

// One change and the frame it causes, in milliseconds: the call, then the layout and paint
// events it posted. An item view lays out on a zero timer and asks for a repaint from there, so
// one pass of the event loop would leave part of the work to whatever is timed next.
double TimedWithPaint(const std::function<void()> &change);

} // namespace nerav

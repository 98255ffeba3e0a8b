#pragma once

// Work that can wait until the window is on the screen: loading libraries (Qt Network, FFmpeg)
// and reading the media folder would otherwise compete with the window's first frame.

#include <functional>

class QWidget;

namespace nerav {

// Runs work from the event loop once the window, shown before the call, has been exposed (and so
// painted), or after a moment at the latest, should no exposure come (a start minimized, a test
// platform).
void AfterFirstFrame(QWidget *window, std::function<void()> work);

} // namespace nerav

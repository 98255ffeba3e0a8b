#pragma once

// Enter and Return press the focused push button of a window, as Space does. Without this a
// dialog hands Enter to its default button whatever has the focus, and a main window ignores it.

class QWidget;

namespace nerav {

// Watches every push button below window that exists now.
void PressFocusedButtonOnEnter(QWidget *window);

} // namespace nerav

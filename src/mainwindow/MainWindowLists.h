#pragma once

// What the editor dialogs use of the main window: its three lists, whose selected rows tell
// them what to edit and into which they put the one row they add or change, and the button
// rule they run after an addition.

#include <QListWidget>
#include <functional>

namespace nerav {

struct MainWindowLists
{
    QListWidget *normalList = nullptr;
    QListWidget *advanceList = nullptr;
    QListWidget *detailList = nullptr;
    std::function<void()> buttonStatusSetup;
};

} // namespace nerav

#pragma once

// The keyboard and the mouse on the rows of a main-window list: Enter, Return or a double
// click runs the list's Modify, Delete its Remove, Ctrl+Up and Ctrl+Down its Move Up and Move
// Down. A command runs only while its button is enabled and a row is current, so the keys
// follow the same button rule as the mouse.

#include <QObject>
#include <functional>

class QListWidget;
class QPushButton;

namespace nerav {

struct ListKeyCommand
{
    QPushButton *button = nullptr; // the command runs only while this is enabled
    std::function<void()> run;
};

struct ListKeyCommands
{
    ListKeyCommand modify, remove, moveUp, moveDown;
};

class ListKeys : public QObject
{
public:
    // Watches list; the object belongs to list.
    ListKeys(QListWidget *list, ListKeyCommands commands);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool runIfAllowed(const ListKeyCommand &command) const;

    QListWidget *m_list;
    ListKeyCommands m_commands;
};

} // namespace nerav

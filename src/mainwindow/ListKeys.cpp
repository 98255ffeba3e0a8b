#include "ListKeys.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

namespace nerav {

ListKeys::ListKeys(QListWidget *list, ListKeyCommands commands)
    : QObject(list), m_list(list), m_commands(std::move(commands))
{
    list->installEventFilter(this);
    connect(list, &QListWidget::itemDoubleClicked, this,
            [this] { runIfAllowed(m_commands.modify); });
}

bool ListKeys::runIfAllowed(const ListKeyCommand &command) const
{
    if (!command.run || m_list->currentRow() < 0 ||
        (command.button && !command.button->isEnabled()))
        return false;
    command.run();
    return true;
}

bool ListKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const ListKeyCommand *command = nullptr;
    if (modifiers == Qt::NoModifier) {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            command = &m_commands.modify;
        else if (key->key() == Qt::Key_Delete)
            command = &m_commands.remove;
    } else if (modifiers == Qt::ControlModifier) {
        if (key->key() == Qt::Key_Up)
            command = &m_commands.moveUp;
        else if (key->key() == Qt::Key_Down)
            command = &m_commands.moveDown;
    }
    if (!command)
        return false;
    // The key is taken even when the command may not run, so Ctrl+Up does not move the cursor.
    runIfAllowed(*command);
    return true;
}

} // namespace nerav

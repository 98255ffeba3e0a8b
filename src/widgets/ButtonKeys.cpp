#include "ButtonKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace nerav {

namespace {

class EnterPressesButton : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto *button = qobject_cast<QPushButton *>(watched);
        if (!button || !button->hasFocus() || !button->isEnabled())
            return false;
        button->click();
        return true;
    }
};

} // namespace

void PressFocusedButtonOnEnter(QWidget *window)
{
    auto *filter = new EnterPressesButton(window);
    for (QPushButton *button : window->findChildren<QPushButton *>())
        button->installEventFilter(filter);
}

} // namespace nerav

#pragma once

// The View menu's choice of the media folder and of the player profile: a file dialog each (the
// program's own, as everywhere), the choice kept in the settings; the survey of the lists' media
// files follows the settings.

#include "AppContext.h"

#include <QObject>

class QWidget;

namespace nerav {

class MediaChoices : public QObject
{
    Q_OBJECT

public:
    // window: the parent of the dialogs and messages.
    MediaChoices(AppContext &context, QWidget *window);

    void chooseMediaFolder();
    // A profile that cannot be read is named in a message and not taken.
    void choosePlayerProfile();

private:
    AppContext &m_context;
    QWidget *m_window;
};

} // namespace nerav

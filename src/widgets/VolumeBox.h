#pragma once

// The drop-down list of volumes: it asks to be filled again right before it opens, so that a
// medium plugged in while the window was open is there to pick.

#include <QComboBox>

namespace nerav {

class VolumeBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void showPopup() override;

signals:
    void aboutToOpen();
};

} // namespace nerav

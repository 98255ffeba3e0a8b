#include "VolumeBox.h"

namespace nerav {

void VolumeBox::showPopup()
{
    emit aboutToOpen();
    QComboBox::showPopup();
}

} // namespace nerav

#pragma once

// The program's one logo, drawn rather than loaded, in the main window, the About windows and
// the icons: a blue badge with a play mark and schedule bars,
// followed by the name "NERAV" when the size is wide enough for it.

#include <QPixmap>
#include <QSize>

namespace nerav {

QPixmap NeravLogoPixmap(const QSize &size);

} // namespace nerav

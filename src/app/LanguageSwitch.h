#pragma once

// The interface language while the program runs: the View menu's choice switches the one text
// table of the application and Qt's own translations, and every open window re-texts itself.
// Start-up remembers the choice in Settings' per-user store (not in SystemInfo.txt).

#include "AppContext.h"

namespace nerav {

// Fills context.text in the language, loads or drops Qt's Japanese translations and sends
// QEvent::LanguageChange to every top-level window, which sets its texts again.
void SwitchLanguage(AppContext &context, Language language);

} // namespace nerav

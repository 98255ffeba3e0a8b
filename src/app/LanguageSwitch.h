#pragma once

// The interface language while the program runs: the View menu's choice switches the one text
// table of the application and Qt's own translations, and every open window re-texts itself.
// The choice is remembered per user in QSettings (not in SystemInfo.txt).

#include "AppContext.h"

class QSettings;

namespace nerav {

// Fills context.text in the language, loads or drops Qt's Japanese translations and sends
// QEvent::LanguageChange to every top-level window, which sets its texts again.
void SwitchLanguage(AppContext &context, Language language);

// The language remembered in settings; Japanese when none (or an unknown one) is stored.
Language RememberedLanguage(const QSettings &settings);
void RememberLanguage(QSettings &settings, Language language);

} // namespace nerav

#include "LanguageSwitch.h"

#include "Startup.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace nerav {

void SwitchLanguage(AppContext &context, Language language)
{
    if (context.text.language == language)
        return;
    LoadInterfaceText(context.text, language);
    if (!LoadQtTranslations(language))
        qInfo("Qt's Japanese translations (qtbase_ja.qm) are not installed");
    // Sent rather than posted, so that every window shows the new language on return.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
}

} // namespace nerav

#include "LanguageSwitch.h"

#include "Startup.h"

#include <QApplication>
#include <QEvent>
#include <QSettings>
#include <QWidget>

namespace nerav {

static const QString languageKey = QStringLiteral("interface/language");

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

Language RememberedLanguage(const QSettings &settings)
{
    return settings.value(languageKey).toString() == QLatin1String("en") ? English : Japanese;
}

void RememberLanguage(QSettings &settings, Language language)
{
    settings.setValue(languageKey,
                      language == English ? QStringLiteral("en") : QStringLiteral("ja"));
    settings.sync();
}

} // namespace nerav

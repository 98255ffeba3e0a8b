#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace nerav {

CommandLine ParseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
            QStringLiteral("Prepares playback schedules (.nrv files) for the Nerav media player."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption languageOption(
            QStringLiteral("language"),
            QStringLiteral("Shows the interface in English (en) or Japanese (ja) for this run."),
            QStringLiteral("en|ja"));
    parser.addOption(languageOption);
    parser.addPositionalArgument(
            QStringLiteral("FILE"),
            QStringLiteral("The schedule file to open instead of the last one."),
            QStringLiteral("[FILE.nrv]"));

    CommandLine result;
    const QString program = QFileInfo(arguments.value(0)).fileName();
    if (!parser.parse(arguments)) {
        result.error = program + QStringLiteral(": ") + parser.errorText();
        return result;
    }
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        result.answer = parser.helpText();
        return result;
    }
    if (parser.isSet(versionOption)) {
        result.answer = program + QLatin1Char(' ') + QCoreApplication::applicationVersion() +
                QLatin1Char('\n');
        return result;
    }
    if (parser.isSet(languageOption)) {
        const QString value = parser.value(languageOption);
        if (value == QLatin1String("en"))
            result.language = English;
        else if (value == QLatin1String("ja"))
            result.language = Japanese;
        else
            result.error = program + QStringLiteral(": --language takes en or ja, not \"") + value +
                    QLatin1Char('"');
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        result.error = program + QStringLiteral(": one schedule file at most");
    else if (!files.isEmpty())
        result.file = QFileInfo(files.constFirst()).absoluteFilePath();
    return result;
}

} // namespace nerav

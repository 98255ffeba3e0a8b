#include "NrvTool.h"

#include "PathParts.h"
#include "ProbeCommand.h"
#include "PublishCommands.h"
#include "ScheduleDays.h"
#include "ScheduleFile.h"
#include "ScheduleJson.h"
#include "ToolArguments.h"

#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nerav {

namespace {

// Save refuses a schedule whose size estimate reaches 30000 bytes, so no valid schedule has
// more than about a thousand entries: some 100 KB of JSON however it is laid out. Anything
// larger than this is not a schedule and is not read.
constexpr qint64 MaxJsonSize = 1024 * 1024;

bool Read(const QString &path, ScheduleDocument &document, QTextStream &err)
{
    const ScheduleFileResult read = ReadScheduleFile(path, document);
    if (!read)
        err << "nrvtool: " << read.reason << '\n';
    return bool(read);
}

int Dump(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    if (!ParseCommandArguments(parser, arguments, 1, err))
        return NrvToolUsage;
    const QString path = parser.positionalArguments().at(0);
    ScheduleDocument document;
    if (!Read(path, document, err))
        return NrvToolFailed;
    out << QString::fromUtf8(ScheduleToJson(document));
    return NrvToolOk;
}

// A date typed with a sign ("-2025-01-01") is still FROM or TO, not an option: it and the
// arguments after it that are not options go after "--", so the date check names it. No option
// starts with a digit.
QStringList SignedDatesAsArguments(const QStringList &arguments)
{
    static const QRegularExpression signedNumber(QStringLiteral("^-\\d.*"));
    const qsizetype first = arguments.indexOf(signedNumber);
    if (first < 0 || arguments.contains(QStringLiteral("--")))
        return arguments;
    QStringList options;
    QStringList others;
    for (qsizetype i = first; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool option =
                argument.startsWith(QLatin1Char('-')) && !signedNumber.match(argument).hasMatch();
        (option ? options : others).append(argument);
    }
    return arguments.mid(0, first) + options + QStringList(QStringLiteral("--")) + others;
}

// days [--json] SCHEDULE.nrv FROM TO, the option anywhere after the command.
int Days(const QStringList &commandArguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    const QCommandLineOption jsonOption(QStringLiteral("json"));
    parser.addOption(jsonOption);
    if (!ParseCommandArguments(parser, SignedDatesAsArguments(commandArguments), 3, err))
        return NrvToolUsage;
    const bool json = parser.isSet(jsonOption);
    const QStringList arguments = parser.positionalArguments();
    QDate dates[2];
    for (int i = 0; i < 2; ++i) {
        const QString &given = arguments.at(1 + i);
        // Digits only: QDate would take "-2025-01-01" as a year before Christ.
        static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
        if (form.match(given).hasMatch())
            dates[i] = QDate::fromString(given, QStringLiteral("yyyy-MM-dd"));
        if (!dates[i].isValid()) {
            err << "nrvtool: " << (i == 0 ? "FROM" : "TO") << " \"" << given
                << "\" is not a date YYYY-MM-DD\n";
            return NrvToolUsage;
        }
    }
    const QDate from = dates[0];
    const QDate to = dates[1];
    if (!DaysRangeAllowed(from, to)) {
        err << "nrvtool: the range must run forward and cover at most 10 years\n";
        return NrvToolUsage;
    }
    ScheduleDocument document;
    if (!Read(arguments.at(0), document, err))
        return NrvToolFailed;
    out << ScheduleDaysText(document, from, to, json);
    return NrvToolOk;
}

// The JSON of make: a regular file, or standard input for "-". A device, FIFO or folder is
// refused before anything is read; so is a file larger than MaxJsonSize.
bool ReadJson(const QString &jsonPath, QByteArray &json, QTextStream &err)
{
    QFile file;
    if (jsonPath == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly)) {
            err << "nrvtool: cannot read standard input: " << file.errorString() << '\n';
            return false;
        }
    } else {
        // O_NONBLOCK: opening a FIFO must not wait for a writer.
        const int fd = ::open(QFile::encodeName(jsonPath).constData(),
                              O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            err << "nrvtool: cannot open " << jsonPath << ": "
                << QString::fromLocal8Bit(std::strerror(errno)) << '\n';
            return false;
        }
        struct stat status = {};
        if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
            ::close(fd);
            err << "nrvtool: cannot open " << jsonPath << ": it is not a regular file\n";
            return false;
        }
        if (status.st_size > MaxJsonSize) {
            ::close(fd);
            err << "nrvtool: " << jsonPath << " is " << qint64(status.st_size)
                << " bytes, too large for a schedule (at most " << MaxJsonSize << ")\n";
            return false;
        }
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            err << "nrvtool: cannot open " << jsonPath << ": " << file.errorString() << '\n';
            return false;
        }
    }
    // One byte past the limit tells a file that grew, or a stream, that is too long.
    json = file.read(MaxJsonSize + 1);
    if (json.size() > MaxJsonSize) {
        err << "nrvtool: " << (file.handle() == 0 ? QStringLiteral("standard input") : jsonPath)
            << " is more than " << MaxJsonSize << " bytes, too large for a schedule\n";
        return false;
    }
    return true;
}

int Make(const QStringList &arguments, QTextStream &err, RandomReal &random)
{
    QCommandLineParser parser;
    if (!ParseCommandArguments(parser, arguments, 2, err))
        return NrvToolUsage;
    const QString jsonPath = parser.positionalArguments().at(0);
    const QString outPath = parser.positionalArguments().at(1);
    QByteArray json;
    if (!ReadJson(jsonPath, json, err))
        return NrvToolFailed;
    const ScheduleFromJsonResult parsed = ScheduleFromJson(json);
    if (!parsed.ok) {
        for (const QString &error : parsed.errors)
            err << jsonPath << ": " << error << '\n';
        err << "nrvtool: nothing written\n";
        return NrvToolFailed;
    }
    const ScheduleFileResult written = WriteScheduleFile(outPath, parsed.document, random);
    if (!written) {
        err << "nrvtool: " << written.reason << '\n';
        return NrvToolFailed;
    }
    return NrvToolOk;
}

} // namespace

int RunNrvTool(const QStringList &arguments, QTextStream &out, QTextStream &err, RandomReal &random,
               const EjectSeam &eject)
{
    // Options before the command are the tool's own; the command parses the rest.
    QCommandLineParser parser;
    const QCommandLineOption helpOption(QStringList {QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(helpOption);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(QStringList(QStringLiteral("nrvtool")) + arguments))
        return UsageError(err, parser.errorText());
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(helpOption)) {
        if (!positional.isEmpty())
            return UsageError(err);
        out << NrvToolUsageText << '\n' << NrvToolHelpText;
        return NrvToolOk;
    }
    const QString command = positional.value(0);
    const QStringList rest = positional.mid(1);
    if (command == QLatin1String("dump"))
        return Dump(rest, out, err);
    if (command == QLatin1String("make"))
        return Make(rest, err, random);
    if (command == QLatin1String("days"))
        return Days(rest, out, err);
    if (command == QLatin1String("check"))
        return CheckCommand(rest, out, err);
    if (command == QLatin1String("publish"))
        return PublishCommand(rest, out, err, random, eject);
    if (command == QLatin1String("probe"))
        return ProbeCommand(rest, out, err);
    return UsageError(err);
}

} // namespace nerav

#include "NrvTool.h"

#include "PublishCommands.h"
#include "ScheduleDays.h"
#include "ScheduleFile.h"
#include "ScheduleJson.h"

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

const char UsageText[] =
        "Usage: nrvtool dump FILE.nrv\n"
        "       nrvtool make SCHEDULE.json OUT.nrv\n"
        "       nrvtool days [--json] SCHEDULE.nrv FROM TO\n"
        "       nrvtool check SCHEDULE.nrv MEDIUM_FOLDER [--media MEDIA_FOLDER] [--json]\n"
        "       nrvtool publish SCHEDULE.nrv --media MEDIA_FOLDER MEDIUM_FOLDER [--dry-run]\n"
        "               [--no-verify] [--json]\n"
        "       nrvtool --help\n";

const char HelpText[] =
        "Reads and writes Nerav schedule files (.nrv) without the window.\n"
        "\n"
        "  dump FILE.nrv               print the schedule as JSON\n"
        "  make SCHEDULE.json OUT.nrv  check the JSON as the program's editors and Save do,\n"
        "                              then write OUT.nrv with a new random key; the JSON is\n"
        "                              a regular file of at most 1 MiB, or \"-\" for standard\n"
        "                              input\n"
        "  days SCHEDULE.nrv FROM TO   for each day from FROM to TO (YYYY-MM-DD, both included,\n"
        "                              at most 10 years): the date, its week day and the\n"
        "                              advance schedules on it (0-based index and time window),\n"
        "                              or \"basic\" when none; --json prints one JSON document\n"
        "  check SCHEDULE.nrv MEDIUM   whether the medium's folder holds every media file the\n"
        "                              schedule names (any case), each as the last publish\n"
        "                              listed it in NERAV.SUM (else \"damaged\"); --media MEDIA\n"
        "                              also compares with the originals (\"outdated\"); lists\n"
        "                              files it does not name\n"
        "  publish SCHEDULE.nrv --media MEDIA MEDIUM\n"
        "                              copies every media file the schedule names from MEDIA\n"
        "                              (and its subfolders) to MEDIUM, reads each copy back,\n"
        "                              lists them in MEDIUM/NERAV.SUM, then writes the\n"
        "                              schedule there under its own name; never through a\n"
        "                              link on the medium;\n"
        "                              --dry-run only prints the plan, --no-verify skips the\n"
        "                              reading back, --json prints one JSON document\n"
        "\n"
        "JSON: {\"basic\": [ENTRY, ...], \"advance\": [{\"start\": \"2006-12-28 00:00:00\",\n"
        "        \"stop\": \"2007-01-05 23:59:59\", \"weekDay\": 3, \"details\": [ENTRY, ...]}]}\n"
        "ENTRY: {\"name\": \"CLIP.JPG\", \"playTimes\": 1, \"volume\": 13}\n"
        "  playTimes 0-100 (default 1); volume 0-12, or 13 / \"default\" for the player's own;\n"
        "  weekDay 0 Sunday .. 6 Saturday, 7 every day (default 7).\n"
        "\n"
        "Exit status: 0 done, 1 the file or schedule was refused, a media file is missing,\n"
        "damaged or outdated, a problem stopped the publish or a copy failed, 2 wrong usage\n"
        "(also a days range over 10 years or with FROM after TO).\n";

// The path is split as text only at its last "/", never cleaned up: "link/../x.nrv" must mean
// what the system (and the shell, and ls) take it to mean.
QString FolderOf(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString NameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool Read(const QString &path, ScheduleDocument &document, QTextStream &err)
{
    const ScheduleFileResult read = ReadScheduleFile(FolderOf(path), NameOf(path), document);
    if (!read)
        err << "nrvtool: " << read.reason << '\n';
    return bool(read);
}

int Dump(const QString &path, QTextStream &out, QTextStream &err)
{
    ScheduleDocument document;
    if (!Read(path, document, err))
        return NrvToolFailed;
    out << QString::fromUtf8(ScheduleToJson(document));
    return NrvToolOk;
}

// days [--json] SCHEDULE.nrv FROM TO, the option anywhere after the command.
int Days(QStringList arguments, QTextStream &out, QTextStream &err)
{
    const bool json = arguments.removeAll(QStringLiteral("--json")) > 0;
    if (arguments.size() != 3) {
        err << UsageText;
        return NrvToolUsage;
    }
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

int Make(const QString &jsonPath, const QString &outPath, QTextStream &err, RandomReal &random)
{
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
    const ScheduleFileResult written =
            WriteScheduleFile(FolderOf(outPath), NameOf(outPath), parsed.document, random);
    if (!written) {
        err << "nrvtool: " << written.reason << '\n';
        return NrvToolFailed;
    }
    return NrvToolOk;
}

} // namespace

int RunNrvTool(const QStringList &arguments, QTextStream &out, QTextStream &err, RandomReal &random)
{
    const QString command = arguments.value(0);
    if (arguments.size() == 1 && (command == "--help" || command == "-h")) {
        out << UsageText << '\n' << HelpText;
        return NrvToolOk;
    }
    if (arguments.size() == 2 && command == "dump")
        return Dump(arguments.at(1), out, err);
    if (arguments.size() == 3 && command == "make")
        return Make(arguments.at(1), arguments.at(2), err, random);
    if (command == "days")
        return Days(arguments.mid(1), out, err);
    int status = NrvToolUsage;
    if (command == "check")
        status = CheckCommand(arguments.mid(1), out, err);
    else if (command == "publish")
        status = PublishCommand(arguments.mid(1), out, err, random);
    if (status != NrvToolUsage)
        return status;
    err << UsageText;
    return NrvToolUsage;
}

} // namespace nerav

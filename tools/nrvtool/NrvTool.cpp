#include "NrvTool.h"

#include "PublishCommands.h"
#include "ScheduleFile.h"
#include "ScheduleJson.h"

#include <QFile>
#include <QFileInfo>

namespace nerav {

namespace {

// A schedule's JSON is small; anything far larger is not one.
constexpr qint64 MaxJsonSize = 64 * 1024 * 1024;

const char UsageText[] =
        "Usage: nrvtool dump FILE.nrv\n"
        "       nrvtool make SCHEDULE.json OUT.nrv\n"
        "       nrvtool check SCHEDULE.nrv MEDIUM_FOLDER [--json]\n"
        "       nrvtool publish SCHEDULE.nrv --media MEDIA_FOLDER MEDIUM_FOLDER [--dry-run]\n"
        "               [--no-verify] [--json]\n"
        "       nrvtool --help\n";

const char HelpText[] =
        "Reads and writes Nerav schedule files (.nrv) without the window.\n"
        "\n"
        "  dump FILE.nrv               print the schedule as JSON\n"
        "  make SCHEDULE.json OUT.nrv  check the JSON as the program's editors and Save do,\n"
        "                              then write OUT.nrv with a new random key\n"
        "  check SCHEDULE.nrv MEDIUM   whether the medium's folder holds every media file the\n"
        "                              schedule names (any case); lists files it does not name\n"
        "  publish SCHEDULE.nrv --media MEDIA MEDIUM\n"
        "                              copies every media file the schedule names from MEDIA\n"
        "                              (and its subfolders) to MEDIUM, reads each copy back,\n"
        "                              then writes the schedule there under its own name;\n"
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
        "a problem stopped the publish or a copy failed, 2 wrong usage.\n";

QString FolderOf(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString NameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

int Dump(const QString &path, QTextStream &out, QTextStream &err)
{
    ScheduleDocument document;
    const ScheduleFileResult read = ReadScheduleFile(FolderOf(path), NameOf(path), document);
    if (!read) {
        err << "nrvtool: " << read.reason << '\n';
        return NrvToolFailed;
    }
    out << QString::fromUtf8(ScheduleToJson(document));
    return NrvToolOk;
}

int Make(const QString &jsonPath, const QString &outPath, QTextStream &err, RandomReal &random)
{
    QFile json(jsonPath);
    if (!json.open(QIODevice::ReadOnly)) {
        err << "nrvtool: cannot open " << jsonPath << ": " << json.errorString() << '\n';
        return NrvToolFailed;
    }
    if (json.size() > MaxJsonSize) {
        err << "nrvtool: " << jsonPath << " is too large for a schedule\n";
        return NrvToolFailed;
    }
    const ScheduleFromJsonResult parsed = ScheduleFromJson(json.readAll());
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

#include "ToolArguments.h"

#include "NrvTool.h"

namespace nerav {

const char NrvToolUsageText[] =
        "Usage: nrvtool dump FILE.nrv\n"
        "       nrvtool make SCHEDULE.json OUT.nrv\n"
        "       nrvtool days [--json] SCHEDULE.nrv FROM TO\n"
        "       nrvtool check SCHEDULE.nrv MEDIUM_FOLDER [--media MEDIA_FOLDER] [--profile FILE]\n"
        "               [--json]\n"
        "       nrvtool publish SCHEDULE.nrv --media MEDIA_FOLDER MEDIUM_FOLDER [--dry-run]\n"
        "               [--no-verify] [--eject] [--profile FILE] [--json]\n"
        "       nrvtool probe [--json] [--profile FILE] SCHEDULE.nrv --media MEDIA_FOLDER\n"
        "       nrvtool --help\n";

const char NrvToolHelpText[] =
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
        "                              also compares with the originals (\"outdated\"); a copy\n"
        "                              NERAV.SUM does not list is compared with its original,\n"
        "                              without --media it is \"unchecked\" (exit 1); lists\n"
        "                              files it does not name; warns of copies the player\n"
        "                              profile says may not play or that cannot be read\n"
        "                              (--profile FILE: another profile than the shipped one)\n"
        "  publish SCHEDULE.nrv --media MEDIA MEDIUM\n"
        "                              copies every media file the schedule names from MEDIA\n"
        "                              (and its subfolders) to MEDIUM, reads each copy back,\n"
        "                              lists them in MEDIUM/NERAV.SUM, then writes the\n"
        "                              schedule there under its own name; never through a\n"
        "                              link on the medium;\n"
        "                              warns of originals the player profile says may not\n"
        "                              play or that cannot be read (warnings never stop it);\n"
        "                              --dry-run only prints the plan, --no-verify skips the\n"
        "                              reading back, --eject unmounts the medium and powers\n"
        "                              its drive off through UDisks once the publish is\n"
        "                              complete, --json prints one JSON document (with each\n"
        "                              file's durationMs, mediaState and mediaReason)\n"
        "  probe SCHEDULE.nrv --media MEDIA\n"
        "                              for each entry of each list: its media file (found in\n"
        "                              MEDIA and its subfolders, any case), duration, codecs\n"
        "                              and whether the player profile says it plays (\"plays\",\n"
        "                              \"may not play\" and why, \"not found\", \"cannot be\n"
        "                              read\"); then each list's running time (duration times\n"
        "                              play count; entries with play count 0 and pictures are\n"
        "                              counted apart) and, for an advance schedule, how that\n"
        "                              compares with its daily window (start to stop time of\n"
        "                              day); --profile FILE reads another profile\n"
        "                              than the shipped profiles/default.json, --json prints\n"
        "                              one JSON document\n"
        "  --                          ends the options, for a name that starts with '-'\n"
        "\n"
        "JSON: {\"basic\": [ENTRY, ...], \"advance\": [{\"start\": \"2006-12-28 00:00:00\",\n"
        "        \"stop\": \"2007-01-05 23:59:59\", \"weekDay\": 3, \"details\": [ENTRY, ...]}]}\n"
        "ENTRY: {\"name\": \"CLIP.JPG\", \"playTimes\": 1, \"volume\": 13}\n"
        "  playTimes 0-100 (default 1); volume 0-12, or 13 / \"default\" for the player's own;\n"
        "  weekDay 0 Sunday .. 6 Saturday, 7 every day (default 7).\n"
        "\n"
        "Exit status: 0 done, 1 the file or schedule was refused, a media file is missing,\n"
        "damaged, outdated or unchecked, a problem stopped the publish, a copy failed or\n"
        "--eject did not unmount the medium, for probe a media\n"
        "file may not play or cannot be read (check and publish only warn of that), 2 wrong\n"
        "usage\n"
        "(also a days range over 10 years or with FROM after TO).\n";

int UsageError(QTextStream &err, const QString &problem)
{
    if (!problem.isEmpty())
        err << "nrvtool: " << problem << '\n';
    err << NrvToolUsageText;
    return NrvToolUsage;
}

bool ParseCommandArguments(QCommandLineParser &parser, const QStringList &arguments,
                           qsizetype count, QTextStream &err)
{
    // Only long options; "-x" is never a cluster of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // The parser takes the program's name first.
    if (!parser.parse(QStringList(QStringLiteral("nrvtool")) + arguments)) {
        QString problem = parser.errorText();
        if (!parser.unknownOptionNames().isEmpty())
            problem += QStringLiteral(" A name that starts with '-' goes after \"--\".");
        UsageError(err, problem);
        return false;
    }
    if (parser.positionalArguments().size() != count) {
        UsageError(err);
        return false;
    }
    return true;
}

} // namespace nerav

#include "ProbeCommand.h"

#include "MediaCheckText.h"
#include "MediaLength.h"
#include "MediaLibrary.h"
#include "MediaTimeText.h"
#include "NrvTool.h"
#include "PathParts.h"
#include "ScheduleFile.h"
#include "ScheduleRules.h"
#include "ScheduleTexts.h"
#include "ToolArguments.h"

#include <QCommandLineParser>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace nerav {

namespace {

// One list of the schedule: the basic list, or an advance schedule with its details.
struct ListOfEntries
{
    QString label; // "basic", "advance 1"...
    const std::vector<ScheduleEntry> *entries = nullptr;
    const AdvanceSchedule *schedule = nullptr; // for an advance schedule
};

QString TimeText(qint64 milliseconds)
{
    return QString::fromStdString(ClockText(milliseconds, true));
}

QString FactsText(const MediaFacts &f)
{
    QStringList parts {f.container};
    if (f.picture) {
        parts << QStringLiteral("%1 %2×%3%4")
                         .arg(f.progressive ? QStringLiteral("progressive")
                                            : QStringLiteral("baseline"))
                         .arg(f.width)
                         .arg(f.height)
                         .arg(f.cmyk ? QStringLiteral(" CMYK") : QString());
        return parts.join(QLatin1Char(' '));
    }
    if (!f.videoCodec.isEmpty())
        parts << QStringLiteral("%1%2 %3×%4 %5 fps")
                         .arg(f.videoCodec,
                              f.profile.isEmpty() ? QString()
                                                  : QStringLiteral(" (%1)").arg(f.profile))
                         .arg(f.width)
                         .arg(f.height)
                         .arg(f.frameRate, 0, 'g', 4);
    if (!f.audioCodec.isEmpty())
        parts << QStringLiteral("%1 %2 Hz %3 ch")
                         .arg(f.audioCodec)
                         .arg(f.sampleRate)
                         .arg(f.channels);
    if (f.bitRate > 0)
        parts << QStringLiteral("%1 kbit/s").arg(f.bitRate / 1000);
    return parts.join(QStringLiteral(", "));
}

QString RunningTimeText(const RunningTime &time)
{
    QString text = QStringLiteral("running time %1").arg(TimeText(time.milliseconds));
    QStringList apart;
    if (time.playCountZero > 0)
        apart << QStringLiteral("%1 with play count 0").arg(time.playCountZero);
    if (time.pictures > 0)
        apart << QStringLiteral("%1 pictures").arg(time.pictures);
    if (time.unknown > 0)
        apart << QStringLiteral("%1 of unknown length").arg(time.unknown);
    if (!apart.isEmpty())
        text += QStringLiteral(" (not counted: %1)").arg(apart.join(QStringLiteral(", ")));
    return text;
}

QJsonObject RunningTimeJson(const RunningTime &time)
{
    return QJsonObject {{QStringLiteral("runningTimeMs"), qint64(time.milliseconds)},
                        {QStringLiteral("playCountZero"), time.playCountZero},
                        {QStringLiteral("pictures"), time.pictures},
                        {QStringLiteral("unknownDuration"), time.unknown}};
}

// The daily window and how often the list plays through in it; loops is null when unknown.
QJsonObject WindowJson(const AdvanceSchedule &schedule, const WindowFit &fit)
{
    return QJsonObject {
            {QStringLiteral("start"), QString::fromStdString(StartTimeText(schedule))},
            {QStringLiteral("stop"), QString::fromStdString(StopTimeText(schedule))},
            {QStringLiteral("windowMs"), qint64(fit.window)},
            {QStringLiteral("loops"), fit.known() ? QJsonValue(fit.loops) : QJsonValue()},
            {QStringLiteral("atMost"), fit.atMost()},
            {QStringLiteral("text"), WindowFitText(fit, EnglishText().media)}};
}

} // namespace

// probe [--json] [--profile FILE] SCHEDULE.nrv --media DIR
int ProbeCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    const QCommandLineOption jsonOption(QStringLiteral("json"));
    const QCommandLineOption mediaOption(QStringLiteral("media"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption profileOption(QStringLiteral("profile"), QString(),
                                           QStringLiteral("FILE"));
    parser.addOptions({jsonOption, mediaOption, profileOption});
    if (!ParseCommandArguments(parser, arguments, 1, err))
        return NrvToolUsage;
    if (!parser.isSet(mediaOption))
        return UsageError(err, QStringLiteral("probe needs --media DIR"));
    const bool json = parser.isSet(jsonOption);
    const QString schedulePath = parser.positionalArguments().at(0);
    const QString mediaFolder = parser.value(mediaOption);

    ScheduleDocument document;
    const ScheduleFileResult read = ReadScheduleFile(schedulePath, document);
    if (!read) {
        err << "nrvtool: " << read.reason << '\n';
        return NrvToolFailed;
    }
    const MediaPlace place = MediaPlaceOf(mediaFolder, parser.value(profileOption));
    MediaLibrary library(place);
    if (!library.profile().profile) {
        err << "nrvtool: " << library.profile().reason << '\n';
        return NrvToolFailed;
    }

    std::vector<ListOfEntries> lists {{QStringLiteral("basic"), &document.basicEntries}};
    for (std::size_t i = 0; i < document.advanceSchedules.size(); ++i)
        lists.push_back({QStringLiteral("advance %1").arg(i + 1),
                         &document.advanceSchedules[i].details, &document.advanceSchedules[i]});
    // The media folder is searched once, as the publish check does, and each file probed once.
    QStringList keys;
    for (const MediaUses &named : MediaUsesOf(document))
        keys.append(AsciiLower(named.name));
    const QHash<QString, QStringList> originals = library.find(keys);
    QHash<QString, ProbeResult> probed;

    bool allPlay = true;
    QJsonArray listsJson;
    for (const ListOfEntries &list : lists) {
        RunningTime time;
        QJsonArray entriesJson;
        int position = 0;
        for (const ScheduleEntry &entry : *list.entries) {
            ++position;
            const QString name = QString::fromLatin1(EntryDisplayName(entry).c_str());
            const QString key = AsciiLower(name);
            const QString path = originals.value(key).value(0);
            if (!probed.contains(key)) {
                ProbeResult result;
                result.outcome = ProbeOutcome::NotFound;
                probed.insert(key, path.isEmpty() ? result : library.probe(path));
            }
            const ProbeResult &result = probed[key];
            // With a profile every file has a verdict.
            const MediaCheck check = library.judge(name, result).value_or(MediaCheck {});
            const QString reason = MediaCheckReason(check, EnglishText().media);
            allPlay = allPlay && check.state == MediaState::Plays;
            const MediaFacts &facts = result.facts;
            time.add(entry, ProbedLength(result));
            if (json) {
                QJsonObject o {
                        {QStringLiteral("position"), position},
                        {QStringLiteral("name"), name},
                        {QStringLiteral("file"), path},
                        {QStringLiteral("playTimes"), int(entry.playTimes)},
                        {QStringLiteral("state"), MediaStateText(check.state, EnglishText().media)},
                        {QStringLiteral("reason"), reason}};
                if (result)
                    o[QStringLiteral("facts")] = MediaFactsToJson(facts);
                entriesJson.append(o);
                continue;
            }
            const QString duration = result && facts.durationMs >= 0 ? TimeText(facts.durationMs)
                                                                     : QStringLiteral("-");
            out << list.label << ' ' << position << ' ' << name << "  " << duration << "  "
                << (result ? FactsText(facts) + QStringLiteral("  ") : QString())
                << MediaStateText(check.state, EnglishText().media)
                << (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason) << '\n';
        }
        if (json) {
            QJsonObject o = RunningTimeJson(time);
            o[QStringLiteral("list")] = list.label;
            o[QStringLiteral("entries")] = entriesJson;
            if (list.schedule)
                o[QStringLiteral("window")] =
                        WindowJson(*list.schedule, FitInWindow(*list.schedule, time));
            listsJson.append(o);
        } else {
            out << list.label << ": " << RunningTimeText(time) << '\n';
            if (list.schedule)
                out << list.label << ": "
                    << WindowFitText(FitInWindow(*list.schedule, time), EnglishText().media)
                    << '\n';
        }
    }
    if (json) {
        const QJsonObject root {{QStringLiteral("profile"), place.profilePath},
                                {QStringLiteral("allPlay"), allPlay},
                                {QStringLiteral("lists"), listsJson}};
        out << QString::fromUtf8(QJsonDocument(root).toJson());
    }
    return allPlay ? NrvToolOk : NrvToolFailed;
}

} // namespace nerav

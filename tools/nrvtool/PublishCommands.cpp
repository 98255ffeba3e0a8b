#include "PublishCommands.h"

#include "NrvTool.h"
#include "PublishPlan.h"
#include "Publisher.h"
#include "ScheduleFile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace nerav {

namespace {

struct Arguments
{
    QStringList positional;
    QString media;
    bool json = false;
    bool dryRun = false;
    bool noVerify = false;
    bool valid = true;
};

Arguments Parse(const QStringList &arguments, bool publish)
{
    Arguments parsed;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--json"))
            parsed.json = true;
        else if (publish && argument == QLatin1String("--dry-run"))
            parsed.dryRun = true;
        else if (publish && argument == QLatin1String("--no-verify"))
            parsed.noVerify = true;
        else if (publish && argument == QLatin1String("--media") && i + 1 < arguments.size())
            parsed.media = arguments.at(++i);
        else if (argument.startsWith(QLatin1String("--")))
            parsed.valid = false;
        else
            parsed.positional.append(argument);
    }
    parsed.valid =
            parsed.valid && parsed.positional.size() == 2 && (!publish || !parsed.media.isEmpty());
    return parsed;
}

bool ReadSchedule(const QString &path, ScheduleDocument &document, QTextStream &err)
{
    const QFileInfo file(path);
    const ScheduleFileResult read =
            ReadScheduleFile(file.absolutePath() + '/', file.fileName(), document);
    if (!read)
        err << "nrvtool: " << read.reason << '\n';
    return bool(read);
}

QString UsesText(const std::vector<EntryUse> &uses)
{
    QStringList places;
    for (const EntryUse &use : uses)
        places.append(use.schedule == 0 ? QStringLiteral("basic %1").arg(use.position)
                                        : QStringLiteral("advance %1 entry %2")
                                                  .arg(use.schedule)
                                                  .arg(use.position));
    return places.join(QStringLiteral(", "));
}

const char *ActionWord(PublishAction action)
{
    switch (action) {
    case PublishAction::Copy:
        return "copy";
    case PublishAction::Replace:
        return "replace";
    case PublishAction::UpToDate:
        return "up-to-date";
    case PublishAction::Missing:
        return "missing";
    case PublishAction::Duplicate:
        return "duplicate";
    }
    return "";
}

QString ProblemText(const PublishPlan &plan, const PlanProblem &problem)
{
    const PublishRow *row = problem.row >= 0 ? &plan.rows[std::size_t(problem.row)] : nullptr;
    switch (problem.kind) {
    case PlanProblemKind::Missing:
        return QStringLiteral("%1 is not in the media folder (used by %2)")
                .arg(row->name, UsesText(row->uses));
    case PlanProblemKind::Duplicate:
        return QStringLiteral("%1 is in the media folder more than once: %2 (used by %3)")
                .arg(row->name, row->found.join(QStringLiteral(", ")), UsesText(row->uses));
    case PlanProblemKind::TooBigForFat:
        return QStringLiteral("%1 is 4 GiB or more, too big for a FAT medium (used by %2)")
                .arg(row->name, UsesText(row->uses));
    case PlanProblemKind::NoSpace:
        return QStringLiteral("not enough free space on the medium: %1 bytes needed, %2 free")
                .arg(problem.needed)
                .arg(problem.available);
    case PlanProblemKind::PreSave:
        switch (problem.preSave) {
        case PreSaveProblem::EmptySchedule:
            return QStringLiteral("the schedule has no entries");
        case PreSaveProblem::AdvanceWithoutEntries:
            return QStringLiteral("advance schedule %1 has no entries")
                    .arg(problem.schedulePosition);
        default:
            return QStringLiteral("the schedule is too large to save");
        }
    case PlanProblemKind::NoMedium:
        return QStringLiteral("the medium's folder %1 is not there or cannot be written")
                .arg(plan.request.mediumFolder);
    }
    return QString();
}

const char *ProblemWord(PlanProblemKind kind)
{
    static const char *const words[] = {"missing",  "duplicate", "too-big-for-fat",
                                        "no-space", "schedule",  "no-medium"};
    return words[int(kind)];
}

QJsonObject PlanJson(const PublishPlan &plan)
{
    QJsonArray files;
    for (const PublishRow &row : plan.rows) {
        QJsonArray uses;
        for (const EntryUse &use : row.uses)
            uses.append(QJsonObject {{"schedule", use.schedule}, {"position", use.position}});
        files.append(QJsonObject {{"name", row.name},
                                  {"action", ActionWord(row.action)},
                                  {"size", row.size},
                                  {"found", QJsonArray::fromStringList(row.found)},
                                  {"usedBy", uses}});
    }
    QJsonArray problems;
    for (const PlanProblem &problem : plan.problems)
        problems.append(QJsonObject {{"kind", ProblemWord(problem.kind)},
                                     {"message", ProblemText(plan, problem)}});
    return {{"medium", plan.request.mediumFolder},
            {"files", files},
            {"extras", QJsonArray::fromStringList(plan.extras)},
            {"problems", problems},
            {"summary",
             QJsonObject {{"copy", plan.count(PublishAction::Copy)},
                          {"replace", plan.count(PublishAction::Replace)},
                          {"upToDate", plan.count(PublishAction::UpToDate)},
                          {"missing", plan.count(PublishAction::Missing)},
                          {"duplicate", plan.count(PublishAction::Duplicate)},
                          {"extra", int(plan.extras.size())},
                          {"bytesToCopy", plan.bytesToCopy}}}};
}

void PrintPlan(const PublishPlan &plan, QTextStream &out)
{
    for (const PublishRow &row : plan.rows) {
        out << ActionWord(row.action) << ' ' << row.name;
        if (row.needsCopy() || row.action == PublishAction::UpToDate)
            out << " (" << row.size << " bytes, " << row.source() << ')';
        out << '\n';
    }
    for (const QString &extra : plan.extras)
        out << "extra " << extra << '\n';
    for (const PlanProblem &problem : plan.problems)
        out << "problem: " << ProblemText(plan, problem) << '\n';
    out << "summary: " << plan.count(PublishAction::Copy) << " to copy, "
        << plan.count(PublishAction::Replace) << " to replace (" << plan.bytesToCopy << " bytes), "
        << plan.count(PublishAction::UpToDate) << " up to date, "
        << plan.count(PublishAction::Missing) + plan.count(PublishAction::Duplicate)
        << " missing or duplicate, " << plan.extras.size() << " extra, " << plan.problems.size()
        << " problems\n";
}

const char *OutcomeWord(PublishOutcome outcome)
{
    static const char *const words[] = {"published",     "stopped",         "copy-failed",
                                        "verify-failed", "schedule-failed", "cancelled"};
    return words[int(outcome)];
}

} // namespace

int CheckCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const Arguments parsed = Parse(arguments, false);
    if (!parsed.valid)
        return NrvToolUsage;
    ScheduleDocument document;
    if (!ReadSchedule(parsed.positional.at(0), document, err))
        return NrvToolFailed;
    const QString medium = parsed.positional.at(1);
    if (!QFileInfo(medium).isDir()) {
        err << "nrvtool: " << medium << " is not a folder\n";
        return NrvToolFailed;
    }
    // Without the originals, a name on the medium is only known to be there.
    const QString scheduleName = QFileInfo(parsed.positional.at(0)).fileName();
    const PublishPlan plan = MakePublishPlan(document, {QString(), medium, scheduleName, {}});
    QJsonArray files;
    int missing = 0;
    for (const PublishRow &row : plan.rows) {
        const bool present = !row.onMedium.isEmpty();
        missing += present ? 0 : 1;
        if (parsed.json)
            files.append(QJsonObject {{"name", row.name},
                                      {"action", present ? "present" : "missing"},
                                      {"onMedium", QFileInfo(row.onMedium).fileName()}});
        else
            out << (present ? "present " : "missing ") << row.name
                << (present ? QString() : " (used by " + UsesText(row.uses) + ')') << '\n';
    }
    if (parsed.json) {
        const QJsonObject summary {{"present", int(plan.rows.size()) - missing},
                                   {"missing", missing},
                                   {"extra", int(plan.extras.size())}};
        out << QJsonDocument(QJsonObject {{"medium", medium},
                                          {"files", files},
                                          {"extras", QJsonArray::fromStringList(plan.extras)},
                                          {"summary", summary}})
                        .toJson();
    } else {
        for (const QString &extra : plan.extras)
            out << "extra " << extra << '\n';
        out << "summary: " << plan.rows.size() - std::size_t(missing) << " present, " << missing
            << " missing, " << plan.extras.size() << " extra\n";
    }
    return missing == 0 ? NrvToolOk : NrvToolFailed;
}

int PublishCommand(const QStringList &arguments, QTextStream &out, QTextStream &err,
                   RandomReal &random)
{
    const Arguments parsed = Parse(arguments, true);
    if (!parsed.valid)
        return NrvToolUsage;
    ScheduleDocument document;
    if (!ReadSchedule(parsed.positional.at(0), document, err))
        return NrvToolFailed;
    const QString scheduleName = QFileInfo(parsed.positional.at(0)).fileName();
    const PublishPlan plan =
            MakePublishPlan(document, {parsed.media, parsed.positional.at(1), scheduleName, {}});
    QJsonObject json = PlanJson(plan);
    if (!parsed.json)
        PrintPlan(plan, out);
    if (!plan.ok() || parsed.dryRun) {
        if (!plan.ok() && !parsed.json)
            out << "nothing written\n";
        if (parsed.json)
            out << QJsonDocument(json).toJson();
        return plan.ok() ? NrvToolOk : NrvToolFailed;
    }
    const PublishResult result =
            Publisher::PublishAndWait(plan, document, random, !parsed.noVerify);
    if (parsed.json) {
        json.insert("result",
                    QJsonObject {{"outcome", OutcomeWord(result.outcome)},
                                 {"filesCopied", result.filesCopied},
                                 {"bytesCopied", result.bytesCopied},
                                 {"upToDate", result.filesUpToDate},
                                 {"verified", result.verified},
                                 {"file", result.fileName},
                                 {"reason", result.reason}});
        out << QJsonDocument(json).toJson();
    } else {
        out << OutcomeWord(result.outcome) << ": " << result.filesCopied << " files copied ("
            << result.bytesCopied << " bytes), " << result.filesUpToDate << " up to date, "
            << (result.verified ? "verified" : "not verified");
        if (!result.ok())
            out << "; " << result.fileName << ": " << result.reason;
        out << '\n';
    }
    return result.ok() ? NrvToolOk : NrvToolFailed;
}

} // namespace nerav

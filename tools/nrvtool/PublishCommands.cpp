#include "PublishCommands.h"

#include "CopyRecord.h"
#include "EjectText.h"
#include "FileCopier.h"
#include "MediaCheckText.h"
#include "NrvTool.h"
#include "PlanMedia.h"
#include "PublishPlan.h"
#include "PublishProblemText.h"
#include "PublishSession.h"
#include "ScheduleFile.h"
#include "ToolArguments.h"
#include "UpToDate.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace nerav {

// The tables' English: problem lines read as the publish dialog's.
const InterfaceText &EnglishText()
{
    static const InterfaceText text = [] {
        InterfaceText english;
        LoadEnglishText(english);
        return english;
    }();
    return text;
}

namespace {

struct Arguments
{
    QStringList positional;
    QString media;
    QString profile; // --profile; empty: the shipped one
    bool json = false;
    bool dryRun = false;
    bool noVerify = false;
    bool eject = false;
};

// check SCHEDULE MEDIUM [--media MEDIA] [--profile FILE] [--json]; publish also takes --dry-run
// and --no-verify.
bool Parse(const QStringList &arguments, bool publish, Arguments &parsed, QTextStream &err)
{
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption media(QStringLiteral("media"), QString(), QStringLiteral("MEDIA"));
    const QCommandLineOption profile(QStringLiteral("profile"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"));
    const QCommandLineOption noVerify(QStringLiteral("no-verify"));
    const QCommandLineOption eject(QStringLiteral("eject"));
    parser.addOptions({json, media, profile});
    if (publish)
        parser.addOptions({dryRun, noVerify, eject});
    if (!ParseCommandArguments(parser, arguments, 2, err))
        return false;
    parsed.positional = parser.positionalArguments();
    parsed.media = parser.value(media);
    parsed.profile = parser.value(profile);
    parsed.json = parser.isSet(json);
    parsed.dryRun = publish && parser.isSet(dryRun);
    parsed.noVerify = publish && parser.isSet(noVerify);
    parsed.eject = publish && parser.isSet(eject);
    if (publish && parsed.media.isEmpty()) {
        UsageError(err, QStringLiteral("publish needs --media MEDIA_FOLDER"));
        return false;
    }
    return true;
}

// The media check of the command: the profile of --profile, which must be readable, or the
// shipped one, whose absence only leaves the files unchecked (a warning says so).
std::optional<MediaCheckRequest> MediaRequest(const Arguments &parsed, bool copies,
                                              QTextStream &err)
{
    MediaCheckRequest request;
    request.profile = ReadPlayerProfile(ProfilePathFor(parsed.profile));
    if (!request.profile.profile && !parsed.profile.isEmpty()) {
        err << "nrvtool: " << request.profile.reason << '\n';
        return std::nullopt;
    }
    request.copies = copies;
    return request;
}

// The warnings of the media check, each as one line.
QStringList WarningLines(const PublishPlan &plan)
{
    QStringList lines;
    for (const PublishRow &row : plan.rows)
        if (row.media.warns())
            lines.append(PublishWarningText(row, EnglishText()));
    if (!plan.profileProblem.isEmpty())
        lines.append(EnglishText().publish.profileMissing.arg(plan.profileProblem));
    return lines;
}

// What the media check read of a row's file; null where it is not known.
void AddMediaFields(QJsonObject &file, const PublishRow &row)
{
    const RowMedia &media = row.media;
    file.insert("durationMs", media.durationMs >= 0 ? QJsonValue(media.durationMs) : QJsonValue());
    file.insert("picture", media.picture);
    file.insert("mediaState",
                media.check ? QJsonValue(MediaStateText(media.check->state, EnglishText().media))
                            : QJsonValue());
    file.insert("mediaReason",
                media.check ? MediaCheckReason(*media.check, EnglishText().media) : QString());
}

bool ReadSchedule(const QString &path, ScheduleDocument &document, QTextStream &err)
{
    const QFileInfo file(path);
    const ScheduleFileResult read = ReadScheduleFile(file.absoluteFilePath(), document);
    if (!read)
        err << "nrvtool: " << read.reason << '\n';
    return bool(read);
}

QString UsesText(const PublishRow &row)
{
    return PublishUsesText(row, EnglishText().publish);
}

QString ProblemText(const PublishPlan &plan, const PlanProblem &problem)
{
    return PublishProblemText(plan, problem, EnglishText());
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
    case PublishAction::Damaged:
        return "damaged";
    }
    return "";
}

// The name a case twin stands beside, for its note.
QString ExtraLine(const PublishPlan &plan, const QString &extra)
{
    return QStringLiteral("extra ") + extra + QStringLiteral(": ") +
            PublishExtraText(plan, extra, EnglishText().publish);
}

const char *ScheduleWord(ScheduleFileState state)
{
    switch (state) {
    case ScheduleFileState::Unchanged:
        return "unchanged";
    case ScheduleFileState::Changed:
        return "changed";
    case ScheduleFileState::Missing:
        break;
    }
    return "missing";
}

const char *ProblemWord(PlanProblemKind kind)
{
    static const char *const words[] = {"missing",  "duplicate", "too-big-for-fat", "no-space",
                                        "schedule", "no-medium", "not-a-file"};
    return words[int(kind)];
}

QJsonObject PlanJson(const PublishPlan &plan)
{
    QJsonArray files;
    for (const PublishRow &row : plan.rows) {
        QJsonArray uses;
        for (const EntryUse &use : row.uses)
            uses.append(QJsonObject {{"schedule", use.schedule}, {"position", use.position}});
        QJsonObject file {{"name", row.name},
                          {"action", ActionWord(row.action)},
                          {"size", row.size},
                          {"found", QJsonArray::fromStringList(row.found)},
                          {"usedBy", uses}};
        AddMediaFields(file, row);
        files.append(file);
    }
    QJsonArray problems;
    for (const PlanProblem &problem : plan.problems) {
        QJsonObject entry {{"kind", ProblemWord(problem.kind)},
                           {"message", ProblemText(plan, problem)}};
        // The message rounds sizes as the dialog does; a script gets the bytes.
        if (problem.kind == PlanProblemKind::NoSpace) {
            entry.insert("needed", problem.needed);
            entry.insert("available", problem.available);
        }
        problems.append(entry);
    }
    const QStringList warnings = WarningLines(plan);
    return {{"medium", plan.request.mediumFolder},
            {"mediumResolved", plan.mediumResolved},
            {"files", files},
            {"schedule",
             QJsonObject {{"name", plan.request.scheduleName},
                          {"state", ScheduleWord(plan.scheduleFile)}}},
            {"extras", QJsonArray::fromStringList(plan.extras)},
            {"caseTwins", QJsonArray::fromStringList(plan.caseTwins)},
            {"leftOvers", QJsonArray::fromStringList(plan.leftOvers)},
            {"problems", problems},
            {"warnings", QJsonArray::fromStringList(warnings)},
            {"summary",
             QJsonObject {{"copy", plan.count(PublishAction::Copy)},
                          {"replace", plan.count(PublishAction::Replace)},
                          {"upToDate", plan.count(PublishAction::UpToDate)},
                          {"missing", plan.count(PublishAction::Missing)},
                          {"duplicate", plan.count(PublishAction::Duplicate)},
                          {"damaged", plan.count(PublishAction::Damaged)},
                          {"extra", int(plan.extras.size())},
                          {"warnings", int(warnings.size())},
                          {"bytesToCopy", plan.bytesToCopy}}}};
}

QString ResolvedText(const PublishPlan &plan)
{
    return plan.mediumResolved.isEmpty() ? plan.request.mediumFolder + " (not there)"
                                         : plan.mediumResolved;
}

void PrintPlan(const PublishPlan &plan, QTextStream &out)
{
    out << "medium: " << ResolvedText(plan) << '\n';
    if (!plan.mediumResolved.isEmpty() && plan.volume.bytesAvailable < 0)
        out << "note: " << EnglishText().publish.freeSpaceUnknown << '\n';
    for (const PublishRow &row : plan.rows) {
        out << ActionWord(row.action) << ' ' << row.name;
        if (row.needsCopy() || row.action == PublishAction::UpToDate)
            out << " (" << row.size << " bytes, " << row.source() << ')';
        out << '\n';
    }
    // The schedule file is written in every case, last.
    out << "schedule " << plan.request.scheduleName << ": " << ScheduleWord(plan.scheduleFile)
        << (plan.scheduleFile == ScheduleFileState::Unchanged ? " (written again)\n"
                                                              : " (will be written)\n");
    for (const QString &extra : plan.extras)
        out << ExtraLine(plan, extra) << '\n';
    for (const QString &leftOver : plan.leftOvers)
        out << "left-over " << leftOver << " (of a publish that was stopped; removed first)\n";
    for (const PlanProblem &problem : plan.problems)
        out << "problem: " << EnglishText().publish.problemBlocks.arg(ProblemText(plan, problem))
            << '\n';
    for (const QString &warning : WarningLines(plan))
        out << "warning: " << warning << '\n';
    out << "summary: " << plan.count(PublishAction::Copy) << " to copy, "
        << plan.count(PublishAction::Replace) + plan.count(PublishAction::Damaged)
        << " to replace (" << plan.bytesToCopy << " bytes), " << plan.count(PublishAction::UpToDate)
        << " up to date, "
        << plan.count(PublishAction::Missing) + plan.count(PublishAction::Duplicate)
        << " missing or duplicate, " << plan.extras.size() << " extra, " << plan.problems.size()
        << " problems\n";
}

const char *EjectWord(EjectOutcome outcome)
{
    static const char *const words[] = {"ejected",       "unmounted", "busy",     "unmount-failed",
                                        "not-removable", "no-device", "no-udisks"};
    return words[int(outcome)];
}

// Unmounts the medium and powers its drive off through UDisks, waiting for the answer.
EjectResult EjectMedium(const QString &folder, const EjectSeam &seam)
{
    if (seam.busAddress.isEmpty()) {
        MediumEjector ejector;
        return ejector.ejectAndWait(folder);
    }
    const QString connection = QStringLiteral("nrvtool eject");
    EjectResult result;
    {
        MediumEjector ejector(QDBusConnection::connectToBus(seam.busAddress, connection));
        if (seam.deviceOfFolder)
            ejector.setDeviceOfFolder(seam.deviceOfFolder);
        result = ejector.ejectAndWait(folder);
    }
    QDBusConnection::disconnectFromBus(connection);
    return result;
}

QJsonObject EjectJson(const EjectResult &result)
{
    return {{"outcome", EjectWord(result.outcome)},
            {"canRemove", result.canRemove()},
            {"device", result.device},
            {"error", result.errorName},
            {"message", EjectResultText(result, EnglishText().publish)}};
}

const char *OutcomeWord(PublishOutcome outcome)
{
    static const char *const words[] = {"published",     "stopped",         "copy-failed",
                                        "verify-failed", "schedule-failed", "cancelled"};
    return words[int(outcome)];
}

} // namespace

// Without a manifest line for the copy: whether it holds its one original's content (size and
// hash). Nothing to compare with is no answer.
std::optional<bool> SameAsOriginal(const PublishRow &row)
{
    if (row.copyState != CopyState::Unlisted || row.found.size() != 1)
        return std::nullopt;
    if (row.mediumSize != row.size)
        return false;
    QString reason;
    const QByteArray copy = HashOfFile(row.onMedium, reason);
    const QByteArray original = HashOfFile(row.source(), reason);
    if (copy.isEmpty() || original.isEmpty())
        return std::nullopt;
    return copy == original;
}

// What check says of the medium's copy of a name; same: an unlisted copy compared with its
// original.
const char *CheckWord(const PublishRow &row, bool outdated, std::optional<bool> same)
{
    if (row.copyState == CopyState::Unlisted)
        return !same ? "unchecked" : *same ? "present" : "outdated";
    switch (row.copyState) {
    case CopyState::None:
        return "missing";
    case CopyState::NotAFile:
        return "not-a-file";
    case CopyState::Changed:
    case CopyState::Damaged:
        return "damaged";
    case CopyState::Unlisted:
    case CopyState::Good:
        break;
    }
    return outdated ? "outdated" : "present";
}

QString CheckNote(const PublishRow &row, const QString &word, bool compared)
{
    if (word == QLatin1String("missing"))
        return " (used by " + UsesText(row) + ')';
    if (word == QLatin1String("damaged"))
        return QStringLiteral(" (differs from the copy the last publish listed in %1)")
                .arg(QLatin1String(MediaManifest::FileName));
    if (word == QLatin1String("outdated"))
        return QStringLiteral(" (differs from its original %1)").arg(row.source());
    if (word == QLatin1String("unchecked"))
        return QStringLiteral(" (not listed in %1%2: the content could not be checked)")
                .arg(QLatin1String(MediaManifest::FileName),
                     compared ? QStringLiteral(", no one original to compare")
                              : QStringLiteral(", no --media"));
    if (row.copyState == CopyState::Unlisted)
        return QStringLiteral(" (not listed in %1: same content as its original %2)")
                .arg(QLatin1String(MediaManifest::FileName), row.source());
    if (compared && row.found.isEmpty())
        return QStringLiteral(" (no original in the media folder)");
    return QString();
}

int CheckCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    Arguments parsed;
    if (!Parse(arguments, false, parsed, err))
        return NrvToolUsage;
    ScheduleDocument document;
    if (!ReadSchedule(parsed.positional.at(0), document, err))
        return NrvToolFailed;
    const QString medium = parsed.positional.at(1);
    if (!QFileInfo(medium).isDir()) {
        err << "nrvtool: " << medium << " is not a folder\n";
        return NrvToolFailed;
    }
    // The player plays the medium's copies: those are what the media check reads.
    const std::optional<MediaCheckRequest> media = MediaRequest(parsed, true, err);
    if (!media)
        return NrvToolFailed;
    // Every copy is read and compared with the manifest; with --media, with its original too.
    const QString scheduleName = QFileInfo(parsed.positional.at(0)).fileName();
    PublishPlan plan = MakePublishPlan(document, {parsed.media, medium, scheduleName, {}});
    CheckPlanMedia(plan, *media);
    const bool compared = !parsed.media.isEmpty();
    QJsonArray files;
    QHash<QString, int> counts;
    if (!parsed.json)
        out << "medium: " << ResolvedText(plan) << '\n';
    for (const PublishRow &row : plan.rows) {
        const std::optional<bool> same = compared ? SameAsOriginal(row) : std::nullopt;
        const QString word =
                QLatin1String(CheckWord(row, compared && CopyOutdated(plan, row), same));
        ++counts[word];
        if (parsed.json) {
            QJsonObject file {{"name", row.name},
                              {"action", word},
                              {"listed", row.copyState == CopyState::Good},
                              {"onMedium", QFileInfo(row.onMedium).fileName()}};
            AddMediaFields(file, row);
            files.append(file);
        } else {
            out << word << ' ' << row.name << CheckNote(row, word, compared) << '\n';
        }
    }
    QStringList problems;
    for (const PlanProblem &problem : plan.problems)
        if (problem.kind == PlanProblemKind::NotAFile)
            problems.append(ProblemText(plan, problem));
    // Warnings say what the player may make of the files; they leave the exit status alone.
    const QStringList warnings = WarningLines(plan);
    const bool ok = counts.value("present") == int(plan.rows.size()) && problems.isEmpty();
    if (parsed.json) {
        const QJsonObject summary {
                {"present", counts.value("present")},     {"missing", counts.value("missing")},
                {"damaged", counts.value("damaged")},     {"outdated", counts.value("outdated")},
                {"notAFile", counts.value("not-a-file")}, {"unchecked", counts.value("unchecked")},
                {"extra", int(plan.extras.size())},       {"warnings", int(warnings.size())}};
        out << QJsonDocument(QJsonObject {{"medium", medium},
                                          {"mediumResolved", plan.mediumResolved},
                                          {"files", files},
                                          {"extras", QJsonArray::fromStringList(plan.extras)},
                                          {"caseTwins", QJsonArray::fromStringList(plan.caseTwins)},
                                          {"problems", QJsonArray::fromStringList(problems)},
                                          {"warnings", QJsonArray::fromStringList(warnings)},
                                          {"summary", summary}})
                        .toJson();
    } else {
        for (const QString &extra : plan.extras)
            out << ExtraLine(plan, extra) << '\n';
        for (const QString &problem : problems)
            out << "problem: " << problem << '\n';
        for (const QString &warning : warnings)
            out << "warning: " << warning << '\n';
        out << "summary: " << counts.value("present") << " present, " << counts.value("missing")
            << " missing, " << counts.value("damaged") << " damaged, ";
        if (compared)
            out << counts.value("outdated") << " outdated, ";
        if (counts.value("unchecked") > 0)
            out << counts.value("unchecked") << " unchecked, ";
        out << plan.extras.size() << " extra\n";
    }
    return ok ? NrvToolOk : NrvToolFailed;
}

int PublishCommand(const QStringList &arguments, QTextStream &out, QTextStream &err,
                   RandomReal &random, const EjectSeam &eject)
{
    Arguments parsed;
    if (!Parse(arguments, true, parsed, err))
        return NrvToolUsage;
    ScheduleDocument document;
    if (!ReadSchedule(parsed.positional.at(0), document, err))
        return NrvToolFailed;
    // The originals are what the publish copies: those are what the media check reads.
    const std::optional<MediaCheckRequest> media = MediaRequest(parsed, false, err);
    if (!media)
        return NrvToolFailed;
    const QString scheduleName = QFileInfo(parsed.positional.at(0)).fileName();
    PublishSession session(document, random);
    session.check({parsed.media, parsed.positional.at(1), scheduleName, {}}, *media);
    session.waitWhileWorking();
    const PublishPlan &plan = session.plan();
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
    session.publish(!parsed.noVerify);
    session.waitWhileWorking();
    const PublishResult &result = session.result();
    // Only a complete medium is ejected: a failed one stays for another try.
    std::optional<EjectResult> ejected;
    if (parsed.eject && result.ok())
        ejected = EjectMedium(plan.mediumResolved, eject);
    if (parsed.json) {
        if (ejected)
            json.insert("eject", EjectJson(*ejected));
        json.insert("result",
                    QJsonObject {{"outcome", OutcomeWord(result.outcome)},
                                 {"filesCopied", result.filesCopied},
                                 {"bytesCopied", result.bytesCopied},
                                 {"upToDate", result.filesUpToDate},
                                 {"verified", result.verified},
                                 {"file", result.fileName},
                                 {"scheduleWritten", result.ok()},
                                 {"reason", result.reason}});
        out << QJsonDocument(json).toJson();
    } else {
        out << OutcomeWord(result.outcome) << ": " << result.filesCopied << " files copied ("
            << result.bytesCopied << " bytes), " << result.filesUpToDate << " up to date, "
            << (result.verified ? "verified"
                        : result.filesCopied == 0 && result.ok()
                        ? "nothing copied, nothing to verify"
                        : "not verified");
        if (result.ok())
            out << "; schedule " << plan.request.scheduleName << " written";
        if (!result.ok())
            out << "; " << result.fileName << ": " << result.reason;
        out << '\n';
        if (ejected)
            out << "eject " << EjectWord(ejected->outcome) << ": "
                << EjectResultText(*ejected, EnglishText().publish) << '\n';
    }
    // With --eject, done means the medium can be pulled out.
    const bool removable = !ejected || ejected->canRemove();
    return result.ok() && removable ? NrvToolOk : NrvToolFailed;
}

} // namespace nerav

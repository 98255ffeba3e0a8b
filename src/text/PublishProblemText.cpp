#include "PublishProblemText.h"

#include "MediaCheckText.h"
#include "SizeText.h"

#include <QDir>
#include <QStringList>

namespace nerav {

QString PublishUsesText(const PublishRow &row, const PublishTable &texts)
{
    QStringList places;
    for (const EntryUse &use : row.uses)
        places.append(use.schedule == 0 ? texts.useBasic.arg(use.position)
                                        : texts.useAdvance.arg(use.schedule).arg(use.position));
    return places.join(QStringLiteral(", "));
}

static const QString &EntryText(EntryKind entry, const PublishTable &texts)
{
    switch (entry) {
    case EntryKind::Link:
        return texts.entryLink;
    case EntryKind::Folder:
        return texts.entryFolder;
    case EntryKind::File:
    case EntryKind::Special:
        break;
    }
    return texts.entrySpecial;
}

// The same words the main window uses when Save refuses the schedule.
static QString PreSaveText(const PlanProblem &problem, const MessageTable &messages)
{
    switch (problem.preSave) {
    case PreSaveProblem::EmptySchedule:
        return messages.msgNoSchedule;
    case PreSaveProblem::TooLarge:
        return messages.msgScheduleTooLarge;
    case PreSaveProblem::None:
    case PreSaveProblem::AdvanceWithoutEntries:
        break;
    }
    return messages.msgNoFileInAdvance.arg(problem.schedulePosition);
}

QString ScheduleFileText(ScheduleFileState state, const PublishTable &texts)
{
    switch (state) {
    case ScheduleFileState::Unchanged:
        return texts.scheduleUnchanged;
    case ScheduleFileState::Changed:
        return texts.scheduleChanged;
    case ScheduleFileState::Missing:
        break;
    }
    return texts.scheduleMissing;
}

QString PublishExtraText(const PublishPlan &plan, const QString &extra, const PublishTable &texts)
{
    if (plan.caseTwins.contains(extra))
        for (const PublishRow &row : plan.rows)
            if (row.caseTwins.contains(extra))
                return texts.extraCaseTwin.arg(row.name);
    return texts.actionExtra;
}

QString PublishProblemText(const PublishPlan &plan, const PlanProblem &problem,
                           const InterfaceText &text)
{
    const PublishTable &texts = text.publish;
    const bool hasRow = problem.row >= 0 && std::size_t(problem.row) < plan.rows.size();
    const PublishRow noRow;
    const PublishRow &row = hasRow ? plan.rows[std::size_t(problem.row)] : noRow;
    switch (problem.kind) {
    case PlanProblemKind::Missing:
        // Where it was looked for: a wrong media folder is the likeliest cause.
        return texts.problemLookedIn.arg(
                texts.problemMissing.arg(row.name, PublishUsesText(row, texts)),
                QDir::toNativeSeparators(plan.request.mediaFolder));
    case PlanProblemKind::Duplicate:
        return texts.problemDuplicate.arg(row.name, PublishUsesText(row, texts),
                                          row.found.join(QStringLiteral(", ")));
    case PlanProblemKind::TooBigForFat:
        return texts.problemTooBig.arg(row.name, PublishUsesText(row, texts));
    case PlanProblemKind::NoSpace:
        return texts.problemNoSpace.arg(SizeText(problem.needed, texts),
                                        SizeText(problem.available, texts));
    case PlanProblemKind::NoMedium:
        return texts.problemNoMedium;
    case PlanProblemKind::NotAFile:
        return texts.problemNotAFile.arg(problem.fileName, EntryText(problem.entry, texts));
    case PlanProblemKind::OriginalNotAFile:
        return texts.problemOriginalNotAFile.arg(problem.fileName, EntryText(problem.entry, texts),
                                                 PublishUsesText(row, texts));
    case PlanProblemKind::PreSave:
        return texts.problemSchedule.arg(PreSaveText(problem, text.messages));
    }
    return QString();
}

QString PublishWarningText(const PublishRow &row, const InterfaceText &text)
{
    if (!row.media.warns())
        return QString();
    const PublishTable &texts = text.publish;
    const MediaCheck &check = *row.media.check;
    const QString reason = MediaCheckReason(check, text.media);
    if (check.state == MediaState::MayNotPlay)
        return texts.mayNotPlayWarning.arg(row.name, reason, PublishUsesText(row, texts));
    return texts.cannotBeReadWarning.arg(row.name, reason, PublishUsesText(row, texts));
}

} // namespace nerav

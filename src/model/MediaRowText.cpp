#include "MediaRowText.h"

#include "MediaCheckText.h"
#include "MediaTimeText.h"

namespace nerav {

namespace {

// The survey's state around a summary: nothing while nothing is surveyed, the missing media
// folder (said once, under the basic list), the files still being read, and a profile that
// cannot be read.
std::optional<ListSummary> Around(const ScheduleMedia &media, const MediaTable &texts,
                                  bool sayNoFolder)
{
    if (!media.active())
        return ListSummary {};
    if (media.place().mediaFolder.isEmpty())
        return ListSummary {sayNoFolder ? texts.noMediaFolder : QString(), QString()};
    return std::nullopt;
}

ListSummary Finish(ListSummary summary, const ScheduleMedia &media, const MediaTable &texts)
{
    if (media.busy())
        summary.text += QStringLiteral(" · ") + texts.readingFiles;
    if (!media.profileProblem().isEmpty()) {
        if (!summary.toolTip.isEmpty())
            summary.toolTip += u'\n';
        summary.toolTip += texts.profileUnreadableMessage.arg(media.profileProblem());
    }
    return summary;
}

} // namespace

QStringList DescribeEntryMedia(const EntryMedia &media, const MediaTable &texts, bool withPath)
{
    QStringList parts;
    const MediaFacts &facts = media.probe.facts;
    if (media.probe && !facts.picture && facts.durationMs >= 0)
        parts << texts.durationHeading + u' ' + DurationText(facts.durationMs);
    if (media.check) {
        QString state = MediaStateText(media.check->state, texts);
        QString reason = MediaCheckReason(*media.check, texts);
        // The probe's reason starts with the state's English words.
        if (reason.startsWith(QLatin1String("cannot be read: ")))
            reason = reason.mid(16);
        if (!reason.isEmpty())
            state += QStringLiteral(": ") + reason;
        parts << state;
    }
    if (withPath && !media.path.isEmpty())
        parts << texts.fileFound.arg(media.path);
    return parts;
}

ListSummary SummarizeEntries(const ScheduleMedia &media, const std::vector<ScheduleEntry> &entries,
                             const MediaTable &texts, bool sayNoFolder)
{
    if (const std::optional<ListSummary> around = Around(media, texts, sayNoFolder))
        return *around;
    const RunningTime time = media.runningTime(entries);
    return Finish({RunningTimeLine(time, texts), NotCountedLines(time, texts).join(u'\n')}, media,
                  texts);
}

ListSummary SummarizeWindow(const ScheduleMedia &media, const AdvanceSchedule &schedule, int row,
                            const MediaTable &texts)
{
    if (const std::optional<ListSummary> around = Around(media, texts, false))
        return *around;
    const RunningTime time = media.runningTime(schedule.details);
    return Finish({texts.windowOfSchedule.arg(QString::number(row + 1),
                                              WindowFitText(FitInWindow(schedule, time), texts)),
                   NotCountedLines(time, texts).join(u'\n')},
                  media, texts);
}

QString WindowFitOf(const ScheduleMedia &media, const AdvanceSchedule &schedule,
                    const MediaTable &texts)
{
    if (!media.active() || media.place().mediaFolder.isEmpty())
        return QString();
    return WindowFitText(FitInWindow(schedule, media.runningTime(schedule.details)), texts);
}

} // namespace nerav

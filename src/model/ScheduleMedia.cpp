#include "ScheduleMedia.h"

#include "MediaLength.h"
#include "RowFormat.h"

namespace nerav {

ScheduleMedia::ScheduleMedia(const ScheduleDocument &document, QObject *parent)
    : QObject(parent), m_document(document), m_survey(new MediaSurvey(this))
{
    m_names.setSingleShot(true);
    m_names.setInterval(0);
    connect(&m_names, &QTimer::timeout, this, &ScheduleMedia::collectNames);
    connect(m_survey, &MediaSurvey::reported, this, &ScheduleMedia::take);
    connect(m_survey, &MediaSurvey::finished, this, [this] {
        emit changed();
        emit finished();
    });
}

void ScheduleMedia::survey(const MediaPlace &place)
{
    if (m_active && place == m_survey->place())
        return;
    m_active = true;
    m_files.clear();
    m_survey->start(place);
    collectNames();
    emit changed();
}

void ScheduleMedia::refresh()
{
    if (m_active && !m_survey->isBusy())
        m_survey->refresh();
}

void ScheduleMedia::followDocument()
{
    if (m_active && !m_names.isActive())
        m_names.start();
}

void ScheduleMedia::collectNames()
{
    m_names.stop();
    if (m_survey->place().mediaFolder.isEmpty())
        return;
    QStringList names;
    const auto add = [&names](const std::vector<ScheduleEntry> &entries) {
        for (const ScheduleEntry &entry : entries)
            names.append(EntryFileName(entry));
    };
    add(m_document.basicEntries);
    for (const AdvanceSchedule &schedule : m_document.advanceSchedules)
        add(schedule.details);
    m_survey->addNames(names);
}

void ScheduleMedia::take(const QList<MediaReport> &reports)
{
    // A report of a place left behind cannot come: the survey drops them when it starts over.
    for (const MediaReport &report : reports) {
        EntryMedia &media = m_files[report.key];
        media.path = report.path;
        media.probe = report.probe;
        media.check = report.check;
    }
    emit changed();
}

const EntryMedia *ScheduleMedia::find(const ScheduleEntry &entry) const
{
    if (m_files.isEmpty())
        return nullptr;
    const auto file = m_files.constFind(AsciiLower(EntryFileName(entry)));
    return file == m_files.cend() ? nullptr : &file.value();
}

RunningTime ScheduleMedia::runningTime(const std::vector<ScheduleEntry> &entries) const
{
    return ListRunningTime(entries, [this](const ScheduleEntry &entry) {
        const EntryMedia *media = find(entry);
        return media ? ProbedLength(media->probe) : EntryLength {};
    });
}

} // namespace nerav

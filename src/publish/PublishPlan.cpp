#include "PublishPlan.h"

#include "FileCopier.h"
#include "ScheduleCodec.h"
#include "ScheduleRules.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QStorageInfo>

#include <algorithm>

namespace nerav {

namespace {

// The longest key block a schedule file can have.
constexpr std::size_t LongestKeyBlock = 257;

QString AsciiLower(const QString &name)
{
    QString lower = name;
    for (QChar &c : lower)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return lower;
}

void AddUse(std::vector<PublishRow> &rows, QHash<QString, int> &index, const ScheduleEntry &entry,
            EntryUse use)
{
    const QString name = QString::fromLatin1(EntryDisplayName(entry).c_str());
    const QString key = AsciiLower(name);
    auto found = index.find(key);
    if (found == index.end()) {
        found = index.insert(key, int(rows.size()));
        rows.push_back(PublishRow {});
        rows.back().name = name;
    }
    rows[std::size_t(found.value())].uses.push_back(use);
}

MediumVolume VolumeOf(const QString &folder)
{
    MediumVolume volume;
    const QStorageInfo storage(folder);
    if (!storage.isValid())
        return volume;
    volume.bytesAvailable = storage.bytesAvailable();
    volume.fileSystemType = storage.fileSystemType();
    volume.readOnly = storage.isReadOnly();
    return volume;
}

// Every original of the wanted names below the media folder, by lower-cased name. The medium's
// own folder is left out when it lies inside the media folder.
QHash<QString, QStringList> FindOriginals(const QString &mediaFolder, const QString &mediumFolder,
                                          const QHash<QString, int> &wanted)
{
    QHash<QString, QStringList> originals;
    if (mediaFolder.isEmpty() || !QFileInfo(mediaFolder).isDir())
        return originals;
    const QString mediaRoot = QFileInfo(mediaFolder).canonicalFilePath();
    const QString mediumRoot = QFileInfo(mediumFolder).canonicalFilePath();
    QDirIterator it(mediaFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString key = AsciiLower(it.fileName());
        if (!wanted.contains(key))
            continue;
        const QString folder = QFileInfo(it.fileInfo().absolutePath()).canonicalFilePath();
        if (folder == mediumRoot && folder != mediaRoot)
            continue;
        originals[key].append(it.filePath());
    }
    for (QStringList &paths : originals)
        paths.sort();
    return originals;
}

bool SameFile(const QFileInfo &original, const QFileInfo &copy)
{
    if (original.size() != copy.size())
        return false;
    const qint64 apart = original.lastModified().msecsTo(copy.lastModified());
    return std::abs(apart) <= SameTimeMilliseconds;
}

void ClassifyRow(PublishRow &row, const QHash<QString, QStringList> &originals,
                 const QHash<QString, QFileInfo> &onMedium)
{
    const QString key = AsciiLower(row.name);
    row.found = originals.value(key);
    const auto medium = onMedium.find(key);
    if (medium != onMedium.end()) {
        row.onMedium = medium->filePath();
        row.mediumSize = medium->size();
    }
    if (row.found.isEmpty()) {
        row.action = PublishAction::Missing;
        return;
    }
    const QFileInfo original(row.found.first());
    row.size = original.size();
    row.modified = original.lastModified();
    if (row.found.size() > 1)
        row.action = PublishAction::Duplicate;
    else if (row.onMedium.isEmpty())
        row.action = PublishAction::Copy;
    else if (SameFile(original, *medium) && medium->fileName() == row.name)
        row.action = PublishAction::UpToDate;
    else if (QFileInfo(row.onMedium).canonicalFilePath() == original.canonicalFilePath())
        row.action = PublishAction::UpToDate;
    else
        row.action = PublishAction::Replace;
}

// The most the medium must hold at once: each new file is complete before the one it replaces
// goes, and the schedule comes last.
qint64 PeakSpaceNeeded(const PublishPlan &plan, qint64 oldScheduleSize)
{
    qint64 net = 0;
    qint64 peak = 0;
    for (const PublishRow &row : plan.rows) {
        if (!row.needsCopy())
            continue;
        peak = std::max(peak, net + row.size);
        net += row.size - (row.action == PublishAction::Replace ? row.mediumSize : 0);
    }
    return std::max(peak, net + plan.scheduleSize - oldScheduleSize);
}

void CheckSpace(PublishPlan &plan, qint64 oldScheduleSize)
{
    const QString medium = plan.request.mediumFolder;
    if (medium.isEmpty() || !QFileInfo(medium).isDir() || plan.volume.readOnly) {
        plan.problems.push_back({PlanProblemKind::NoMedium});
        return;
    }
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        const PublishRow &row = plan.rows[i];
        if (row.needsCopy() && !FileCopier::FitsOnVolume(row.size, -1, plan.volume.fileSystemType))
            plan.problems.push_back({PlanProblemKind::TooBigForFat, int(i)});
    }
    const qint64 needed = PeakSpaceNeeded(plan, oldScheduleSize);
    if (plan.volume.bytesAvailable >= 0 && needed > plan.volume.bytesAvailable) {
        PlanProblem problem {PlanProblemKind::NoSpace};
        problem.needed = needed;
        problem.available = plan.volume.bytesAvailable;
        plan.problems.push_back(problem);
    }
}

} // namespace

int PublishPlan::count(PublishAction action) const
{
    return int(std::count_if(rows.begin(), rows.end(),
                             [action](const PublishRow &row) { return row.action == action; }));
}

bool SameNameIgnoringAsciiCase(const QString &a, const QString &b)
{
    return AsciiLower(a) == AsciiLower(b);
}

std::vector<PublishRow> MediaNamesOf(const ScheduleDocument &document)
{
    std::vector<PublishRow> rows;
    QHash<QString, int> index;
    for (std::size_t i = 0; i < document.basicEntries.size(); ++i)
        AddUse(rows, index, document.basicEntries[i], {0, int(i) + 1});
    for (std::size_t s = 0; s < document.advanceSchedules.size(); ++s) {
        const std::vector<ScheduleEntry> &details = document.advanceSchedules[s].details;
        for (std::size_t i = 0; i < details.size(); ++i)
            AddUse(rows, index, details[i], {int(s) + 1, int(i) + 1});
    }
    return rows;
}

PublishPlan MakePublishPlan(const ScheduleDocument &document, const PublishRequest &request)
{
    PublishPlan plan;
    plan.request = request;
    plan.request.mediumFolder = QDir::cleanPath(request.mediumFolder);
    plan.volume = request.volume ? *request.volume : VolumeOf(plan.request.mediumFolder);
    plan.rows = MediaNamesOf(document);
    plan.scheduleSize = qint64(ScheduleFileLength(document, LongestKeyBlock));

    QHash<QString, int> wanted;
    for (std::size_t i = 0; i < plan.rows.size(); ++i)
        wanted.insert(AsciiLower(plan.rows[i].name), int(i));
    QHash<QString, QFileInfo> onMedium;
    qint64 oldScheduleSize = 0;
    const QFileInfoList mediumFiles =
            QDir(plan.request.mediumFolder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &file : mediumFiles) {
        const QString key = AsciiLower(file.fileName());
        if (wanted.contains(key))
            onMedium.insert(key, file);
        else if (key == AsciiLower(request.scheduleName))
            oldScheduleSize = file.size();
        else
            plan.extras.append(file.fileName());
    }

    const QHash<QString, QStringList> originals =
            FindOriginals(request.mediaFolder, plan.request.mediumFolder, wanted);
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        PublishRow &row = plan.rows[i];
        ClassifyRow(row, originals, onMedium);
        if (row.action == PublishAction::Missing)
            plan.problems.push_back({PlanProblemKind::Missing, int(i)});
        else if (row.action == PublishAction::Duplicate)
            plan.problems.push_back({PlanProblemKind::Duplicate, int(i)});
        if (row.needsCopy()) {
            plan.bytesToCopy += row.size;
            if (row.action == PublishAction::Replace)
                plan.bytesFreed += row.mediumSize;
        }
    }
    plan.bytesFreed += oldScheduleSize;

    const PreSaveCheck preSave = CheckBeforeSave(document);
    if (!preSave) {
        PlanProblem problem {PlanProblemKind::PreSave};
        problem.preSave = preSave.problem;
        problem.schedulePosition = preSave.schedulePosition;
        plan.problems.push_back(problem);
    }
    CheckSpace(plan, oldScheduleSize);
    return plan;
}

} // namespace nerav

#include "PublishPlan.h"

#include "CopyRecord.h"
#include "FileCopier.h"
#include "ScheduleCodec.h"
#include "ScheduleRules.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStorageInfo>

#include <algorithm>
#include <sys/stat.h>

namespace nerav {

namespace {

// The longest key block a schedule file can have.
constexpr std::size_t LongestKeyBlock = 257;

MediumVolume VolumeOf(const QString &folder)
{
    MediumVolume volume;
    const QStorageInfo storage(folder);
    if (!storage.isValid())
        return volume;
    // A volume without blocks in total (fusefat's) does not know its free space: not none.
    volume.bytesAvailable = BytesFreeOnVolume(folder);
    volume.fileSystemType = storage.fileSystemType();
    volume.readOnly = storage.isReadOnly();
    volume.blockSize = storage.blockSize();
    return volume;
}

// An entry of the medium's folder, seen without following a link.
struct MediumEntry
{
    QString name;
    EntryKind kind = EntryKind::File;
    QFileInfo info;
};

EntryKind KindOfEntry(const QString &path)
{
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return EntryKind::Special;
    if (S_ISREG(status.st_mode))
        return EntryKind::File;
    if (S_ISLNK(status.st_mode))
        return EntryKind::Link;
    return S_ISDIR(status.st_mode) ? EntryKind::Folder : EntryKind::Special;
}

// A temporary file of a name the publish writes, left by a run that was killed.
bool IsLeftOver(const QString &key, const QHash<QString, int> &wanted, const QString &scheduleKey,
                const QString &manifestKey)
{
    const qsizetype at = key.indexOf(QLatin1String(DurableFile::TemporaryInfix));
    if (at <= 0)
        return false;
    const QString target = key.left(at);
    return wanted.contains(target) || target == scheduleKey || target == manifestKey;
}

PlanProblem NotAFileProblem(const QString &name, EntryKind kind, int row)
{
    PlanProblem problem {PlanProblemKind::NotAFile, row};
    problem.fileName = name;
    problem.entry = kind;
    return problem;
}

// The copy on the medium against what the manifest says was published under its name.
CopyState StateOfCopy(const QFileInfo &copy, const PublishPlan &plan)
{
    const MediaManifest &manifest = plan.manifest;
    const PublishRequest &request = plan.request;
    const ManifestEntry *listed = manifest.find(copy.fileName());
    if (!listed)
        return CopyState::Unlisted;
    if (!CopyMatchesRecord(copy.size(), copy.lastModified(), *listed, plan.mediumRules))
        return CopyState::Changed;
    if (!request.compareContent || (request.cancelled && *request.cancelled))
        return CopyState::Good;
    QString reason;
    const QByteArray hash = HashOfFile(copy.filePath(), reason, request.cancelled);
    return hash == listed->hash ? CopyState::Good : CopyState::Damaged;
}

// What an original is, its links followed: only a regular file is copied.
EntryKind KindOfOriginal(const QString &path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return EntryKind::Link;
    if (S_ISREG(status.st_mode))
        return EntryKind::File;
    return S_ISDIR(status.st_mode) ? EntryKind::Folder : EntryKind::Special;
}

void ClassifyRow(PublishRow &row, const QHash<QString, QStringList> &originals,
                 const QHash<QString, QList<MediumEntry>> &onMedium, const PublishPlan &plan)
{
    const QString key = AsciiLower(row.name);
    row.found = originals.value(key);
    // The one of the right name is the copy; any other case of it is a twin to remove.
    const QList<MediumEntry> entries = onMedium.value(key);
    const MediumEntry *copy = nullptr;
    for (const MediumEntry &entry : entries)
        if (entry.name == row.name)
            copy = &entry;
    if (!copy && !entries.isEmpty())
        copy = &entries.first();
    for (const MediumEntry &entry : entries)
        if (&entry != copy)
            row.caseTwins.append(entry.name);
    if (copy) {
        row.onMedium = copy->info.filePath();
        row.mediumSize = copy->info.size();
        row.copyState =
                copy->kind != EntryKind::File ? CopyState::NotAFile : StateOfCopy(copy->info, plan);
    }
    if (row.found.isEmpty()) {
        row.action = PublishAction::Missing;
        return;
    }
    const QFileInfo original(row.found.first());
    row.size = original.size();
    row.modified = original.lastModified();
    const ManifestEntry *listed = copy ? plan.manifest.find(copy->name) : nullptr;
    const bool originalAsCopied =
            listed && OriginalMatchesRecord(row.size, row.modified, *listed, plan.originalRules);
    if (row.found.size() > 1)
        row.action = PublishAction::Duplicate;
    else if (row.onMedium.isEmpty())
        row.action = PublishAction::Copy;
    else if (copy->kind == EntryKind::File &&
             QFileInfo(row.onMedium).canonicalFilePath() == original.canonicalFilePath())
        row.action = PublishAction::UpToDate; // the medium is the media folder
    else if (row.copyState == CopyState::Damaged && originalAsCopied)
        row.action = PublishAction::Damaged;
    else if (row.copyState == CopyState::Good && originalAsCopied && copy->name == row.name)
        row.action = PublishAction::UpToDate;
    else
        row.action = PublishAction::Replace;
}

// What a file of that size takes on a medium of that block size: its blocks, and the blocks
// that list them on file systems like ext2 (one per block size / 4 blocks; FAT needs none, so
// this errs on the safe side there).
qint64 SpaceTaken(qint64 size, qint64 block)
{
    if (size <= 0)
        return 0;
    const qint64 blocks = (size + block - 1) / block;
    const qint64 pointersPerBlock = std::max<qint64>(block / 4, 1);
    return (blocks + (blocks > 12 ? (blocks + pointersPerBlock - 1) / pointersPerBlock : 0)) *
            block;
}

// The most the medium must hold at once: each new file is complete before the one it replaces
// goes, and the schedule comes last.
qint64 PeakSpaceNeeded(const PublishPlan &plan)
{
    const qint64 block = plan.volume.blockSize > 0 ? plan.volume.blockSize : 4096;
    qint64 net = 0;
    qint64 peak = 0;
    for (const PublishRow &row : plan.rows) {
        if (!row.needsCopy())
            continue;
        const qint64 size = SpaceTaken(row.size, block);
        peak = std::max(peak, net + size);
        net += size - (row.action != PublishAction::Copy ? SpaceTaken(row.mediumSize, block) : 0);
    }
    // The new manifest and the new schedule stand beside the old ones until they replace them
    // (so the old schedule frees nothing), and the folder may grow by a few blocks.
    const qint64 manifest = SpaceTaken(160 * qint64(plan.rows.size() + 1), block);
    const qint64 ending = net + SpaceTaken(plan.scheduleSize, block) + manifest + 4 * block;
    return std::max(peak + manifest, ending);
}

void CheckSpace(PublishPlan &plan)
{
    const QString medium = plan.request.mediumFolder;
    if (medium.isEmpty() || !QFileInfo(medium).isDir() || plan.volume.readOnly) {
        plan.problems.push_back({PlanProblemKind::NoMedium});
        return;
    }
    const qint64 largest = plan.mediumRules.largestFile;
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        const PublishRow &row = plan.rows[i];
        if (row.needsCopy() &&
            ((largest >= 0 && row.size > largest) ||
             !FileCopier::FitsOnVolume(row.size, -1, plan.volume.fileSystemType)))
            plan.problems.push_back({PlanProblemKind::TooBigForFat, int(i)});
    }
    const qint64 needed = PeakSpaceNeeded(plan);
    // What a killed publish left behind goes before anything is copied.
    const qint64 available = plan.volume.bytesAvailable + plan.leftOverBytes;
    if (plan.volume.bytesAvailable >= 0 && needed > available) {
        PlanProblem problem {PlanProblemKind::NoSpace};
        problem.needed = needed;
        problem.available = available;
        plan.problems.push_back(problem);
    }
}

} // namespace

int PublishPlan::count(PublishAction action) const
{
    return int(std::count_if(rows.begin(), rows.end(),
                             [action](const PublishRow &row) { return row.action == action; }));
}

std::vector<PublishRow> MediaNamesOf(const ScheduleDocument &document)
{
    std::vector<PublishRow> rows;
    for (MediaUses &named : MediaUsesOf(document)) {
        rows.push_back(PublishRow {});
        rows.back().name = named.name;
        rows.back().uses = std::move(named.uses);
    }
    return rows;
}

PublishPlan MakePublishPlan(const ScheduleDocument &document, const PublishRequest &request)
{
    PublishPlan plan;
    plan.request = request;
    plan.request.mediumFolder = QDir::cleanPath(request.mediumFolder);
    plan.volume = request.volume ? *request.volume : VolumeOf(plan.request.mediumFolder);
    plan.mediumRules = RulesOfMedium(plan.request.mediumFolder);
    if (!request.mediaFolder.isEmpty() && QFileInfo(request.mediaFolder).isDir())
        plan.originalRules = RulesOfMedium(request.mediaFolder);
    plan.rows = MediaNamesOf(document);
    plan.scheduleSize = qint64(ScheduleFileLength(document, LongestKeyBlock));

    QHash<QString, int> wanted;
    for (std::size_t i = 0; i < plan.rows.size(); ++i)
        wanted.insert(AsciiLower(plan.rows[i].name), int(i));
    plan.mediumResolved = QFileInfo(plan.request.mediumFolder).canonicalFilePath();
    plan.manifest = MediaManifest::Read(plan.request.mediumFolder);
    const QString scheduleKey = AsciiLower(request.scheduleName);
    const QString manifestKey = AsciiLower(QLatin1String(MediaManifest::FileName));
    QHash<QString, QList<MediumEntry>> onMedium;
    qint64 oldScheduleSize = 0;
    // Every entry, links and special files too: a name the publish writes must be a file.
    const QFileInfoList mediumEntries =
            QDir(plan.request.mediumFolder)
                    .entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                           QDir::NoDotAndDotDot,
                                   QDir::Name);
    for (const QFileInfo &file : mediumEntries) {
        const QString name = file.fileName();
        const QString key = AsciiLower(name);
        const EntryKind kind = KindOfEntry(file.filePath());
        if (wanted.contains(key)) {
            onMedium[key].append({name, kind, file});
            if (kind != EntryKind::File)
                plan.problems.push_back(NotAFileProblem(name, kind, wanted.value(key)));
        } else if (key == scheduleKey || key == manifestKey) {
            if (kind != EntryKind::File)
                plan.problems.push_back(NotAFileProblem(name, kind, -1));
            else if (key == scheduleKey)
                oldScheduleSize = file.size();
        } else if (kind == EntryKind::File && IsLeftOver(key, wanted, scheduleKey, manifestKey)) {
            plan.leftOvers.append(name);
            plan.leftOverBytes += file.size();
        } else if (kind == EntryKind::File && !file.isHidden()) {
            plan.extras.append(name);
        }
    }

    const QHash<QString, QStringList> originals =
            FindOriginals(request.mediaFolder, plan.request.mediumFolder, wanted);
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        PublishRow &row = plan.rows[i];
        ClassifyRow(row, originals, onMedium, plan);
        const EntryKind original =
                row.found.size() == 1 ? KindOfOriginal(row.source()) : EntryKind::File;
        if (original != EntryKind::File) {
            // A FIFO, or a link to /dev/zero, would read as an empty or endless copy.
            row.action = PublishAction::Missing;
            PlanProblem problem = NotAFileProblem(row.source(), original, int(i));
            problem.kind = PlanProblemKind::OriginalNotAFile;
            plan.problems.push_back(problem);
        } else if (row.action == PublishAction::Missing)
            plan.problems.push_back({PlanProblemKind::Missing, int(i)});
        else if (row.action == PublishAction::Duplicate)
            plan.problems.push_back({PlanProblemKind::Duplicate, int(i)});
        if (row.needsCopy()) {
            plan.bytesToCopy += row.size;
            if (row.action != PublishAction::Copy)
                plan.bytesFreed += row.mediumSize;
        }
        for (const QString &twin : std::as_const(row.caseTwins)) {
            plan.extras.append(twin);
            plan.caseTwins.append(twin);
        }
    }
    plan.extras.sort();
    plan.bytesFreed += oldScheduleSize;

    const PreSaveCheck preSave = CheckBeforeSave(document);
    if (!preSave) {
        PlanProblem problem {PlanProblemKind::PreSave};
        problem.preSave = preSave.problem;
        problem.schedulePosition = preSave.schedulePosition;
        plan.problems.push_back(problem);
    }
    CheckSpace(plan);
    return plan;
}

} // namespace nerav

#pragma once

// The check before a publish: for every media name a schedule uses, where its original is, and
// whether the medium's folder needs a copy, a replacement or nothing; and what stops a publish.
// Nothing is written here.

#include "MediaLibrary.h"
#include "MediaManifest.h"
#include "MediumRules.h"
#include "PlayerProfile.h"
#include "ScheduleDocument.h"
#include "ScheduleFileRow.h"
#include "ScheduleRules.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>
#include <vector>

namespace nerav {

// Damaged: the medium's copy has the published size and time but not the published content.
enum class PublishAction { Copy, Replace, UpToDate, Missing, Duplicate, Damaged };

// The medium's copy of a name against the manifest the last publish wrote.
enum class CopyState {
    None, // no copy on the medium
    Unlisted, // a copy the manifest does not list
    Changed, // a copy with another size or time than the manifest lists
    Good, // the copy has the listed size, time and content
    Damaged, // the listed size and time, other content
    NotAFile, // a link, folder or special file has the name
};

// What the player makes of a row's file, filled by CheckPlanMedia (PlanMedia.h): the plan
// itself leaves it unread.
struct RowMedia
{
    bool read = false; // the file was probed
    qint64 durationMs = -1; // -1: unknown, or a picture
    bool picture = false;
    std::optional<MediaCheck> check; // empty without a player profile

    // The profile says the file may not play, or it cannot be read: a warning, never a stop.
    bool warns() const
    {
        return check &&
                (check->state == MediaState::MayNotPlay ||
                 check->state == MediaState::CannotBeRead);
    }
};

struct PublishRow
{
    QString name; // as the schedule stores it, the name the player looks for
    std::vector<EntryUse> uses;
    PublishAction action = PublishAction::Missing;
    QStringList found; // originals of that name in the media folder (two or more: Duplicate)
    qint64 size = -1; // of the original
    QDateTime modified; // of the original
    QString onMedium; // the medium's file of that name, any case; empty when none
    qint64 mediumSize = 0;
    CopyState copyState = CopyState::None;
    QStringList caseTwins; // more names on the medium that differ only in case (removed)
    RowMedia media;

    QString source() const { return found.value(0); }
    bool needsCopy() const
    {
        return action == PublishAction::Copy || action == PublishAction::Replace ||
                action == PublishAction::Damaged;
    }
};

enum class PlanProblemKind {
    Missing, // no file of that name in the media folder
    Duplicate, // two or more files of that name in the media folder
    TooBigForFat, // larger than the medium's file system holds (FAT: 4 GiB - 1 byte)
    NoSpace, // not enough free space for what must be written
    PreSave, // the schedule's own checks before a save
    NoMedium, // the medium's folder is not there or not writable
    NotAFile, // a link, folder or special file on the medium has a name the publish writes
    OriginalNotAFile, // the one original of a name is a FIFO, device or folder (or links to one)
};

enum class EntryKind { File, Link, Folder, Special };

struct PlanProblem
{
    PlanProblemKind kind = PlanProblemKind::Missing;
    int row = -1; // into PublishPlan::rows, for the problems of one name
    PreSaveProblem preSave = PreSaveProblem::None;
    int schedulePosition = 0; // for PreSave
    qint64 needed = 0; // for NoSpace
    qint64 available = 0; // for NoSpace
    QString fileName = QString(); // for NotAFile: the name on the medium
    EntryKind entry = EntryKind::File; // for NotAFile
};

// What the medium's volume offers; taken from the system unless a test gives its own.
struct MediumVolume
{
    qint64 bytesAvailable = -1; // -1: unknown (the medium does not tell its size)
    QByteArray fileSystemType;
    bool readOnly = false;
    qint64 blockSize = 0; // the unit files take space in; 0: unknown (4 KiB is assumed)
};

struct PublishRequest
{
    QString mediaFolder; // the originals, searched with its subfolders
    QString mediumFolder; // where the player reads
    QString scheduleName; // the schedule file's name on the medium
    std::optional<MediumVolume> volume;
    // Reads the medium's copies that look up to date, to find damaged ones. Without it a copy
    // with the listed size and time counts as good.
    bool compareContent = true;
    const std::atomic<bool> *cancelled = nullptr; // stops reading the copies back
};

struct PublishPlan
{
    PublishRequest request;
    std::vector<PublishRow> rows; // one per distinct media name, in first-use order
    QString mediumResolved; // the medium's folder with every link resolved; empty when absent
    QStringList extras; // files on the medium's folder that the schedule does not name
    QStringList caseTwins; // of extras: those differing only in case from a media name
    QStringList leftOvers; // temporary files of a killed publish, removed by the next one
    qint64 leftOverBytes = 0;
    MediaManifest manifest; // as found on the medium
    std::vector<PlanProblem> problems;
    qint64 bytesToCopy = 0;
    qint64 scheduleSize = 0; // the largest the schedule file can be
    qint64 bytesFreed = 0; // by the replaced files and the old schedule file
    MediumVolume volume;
    // The schedule file's row, filled by PublishSession (ScheduleFileOnMedium).
    ScheduleFileState scheduleFile = ScheduleFileState::Missing;
    MediumRules mediumRules; // of the medium's file system
    MediumRules originalRules; // of the media folder's file system
    // Why the media were read without a player profile; empty when one was read or when the
    // media were not read.
    QString profileProblem;

    bool ok() const { return problems.empty(); }
    int count(PublishAction action) const;
};

// The media names in schedule order, each with every entry that uses it.
std::vector<PublishRow> MediaNamesOf(const ScheduleDocument &document);

// Files closer than this in modification time count as the same time (FAT keeps 2 s steps).
constexpr qint64 SameTimeMilliseconds = 2000;

// Scans the media folder (with its subfolders) and the medium's folder and checks everything
// that would stop a publish.
PublishPlan MakePublishPlan(const ScheduleDocument &document, const PublishRequest &request);

} // namespace nerav

#pragma once

// The one door to the media files. A name is found in the media folder and its subfolders with
// ASCII case ignored, as the player compares names; its file is read through the cache and
// judged against the player profile in use; and a schedule tells where it uses each name. The
// lists, the entry editor, the publish check and nrvtool all come here. A library is used by
// one thread at a time; MediaSurvey runs one off the window's thread.

#include "MediaCache.h"
#include "MediaFacts.h"
#include "PlayerProfile.h"
#include "ScheduleDocument.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace nerav {

// Where the files are and what the player plays.
struct MediaPlace
{
    QString mediaFolder; // empty: none chosen
    QString profilePath;
    QString cacheFolder; // empty: no cache

    bool operator==(const MediaPlace &other) const;
    bool operator!=(const MediaPlace &other) const { return !(*this == other); }
};

// The profile a user's choice stands for: no choice means the shipped one.
QString ProfilePathFor(const QString &chosen);
// The choice to remember for a profile: the shipped one is remembered as none, so a later
// version's ships with the program.
QString ProfileChoiceFor(const QString &path);
// The place of a media folder and a chosen profile (empty: the shipped one).
MediaPlace MediaPlaceOf(const QString &mediaFolder, const QString &chosenProfile,
                        const QString &cacheFolder = QString());

// A media name as the player compares it: ASCII letters in lower case, nothing else changed.
QString AsciiLower(const QString &name);
// What follows a name's last dot; empty when there is no dot.
QString MediaExtension(const QString &name);

// Every original of the wanted names (keys in AsciiLower form) in the media folder and its
// subfolders, by key, each list sorted. The medium's own folder is left out when it lies inside
// the media folder; mediumFolder may be empty.
QHash<QString, QStringList> FindOriginals(const QString &mediaFolder, const QString &mediumFolder,
                                          const QHash<QString, int> &wanted);

// Where an entry sits: schedule 0 is the basic list, 1.. the advance schedules; both 1-based.
struct EntryUse
{
    int schedule = 0;
    int position = 0;
};

// A media name as first written in a schedule, with every entry that uses it.
struct MediaUses
{
    QString name;
    std::vector<EntryUse> uses;
};

// The media names of a document in schedule order (ASCII case ignored), each with its uses.
std::vector<MediaUses> MediaUsesOf(const ScheduleDocument &document);

// What the profile makes of the file read for name: the verdict goes by the name's extension,
// as the player's does. None for a file that was read while the profile cannot be read.
std::optional<MediaCheck> JudgeMedia(const QString &name, const ProbeResult &probed,
                                     const ProfileResult &profile);

class MediaLibrary
{
public:
    // Reads the place's player profile; an empty profile path reads none.
    explicit MediaLibrary(const MediaPlace &place);
    // With a profile read already.
    MediaLibrary(const QString &mediaFolder, const ProfileResult &profile,
                 const QString &cacheFolder);
    ~MediaLibrary();

    MediaLibrary(const MediaLibrary &) = delete;
    MediaLibrary &operator=(const MediaLibrary &) = delete;

    const QString &mediaFolder() const { return m_mediaFolder; }
    const ProfileResult &profile() const { return m_profile; }

    // The files of each name (keys in AsciiLower form), the folder searched once for all.
    QHash<QString, QStringList> find(const QStringList &keys) const;
    // The files of one name, in any case.
    QStringList find(const QString &name) const;
    // A file's facts, through the cache when there is one.
    ProbeResult probe(const QString &path, int timeLimitMs = 5000);
    std::optional<MediaCheck> judge(const QString &name, const ProbeResult &probed) const
    {
        return JudgeMedia(name, probed, m_profile);
    }
    // Writes what was read to the cache; the reason when that failed.
    QString saveCache();

private:
    QString m_mediaFolder;
    ProfileResult m_profile;
    QString m_cacheFolder;
    std::unique_ptr<MediaCache> m_cache; // made on the first probe
};

} // namespace nerav

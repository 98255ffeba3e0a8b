#include "MediaLibrary.h"

#include "MediaProbe.h"
#include "ScheduleRules.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace nerav {

namespace {

void AddUse(std::vector<MediaUses> &names, QHash<QString, int> &index, const ScheduleEntry &entry,
            EntryUse use)
{
    const QString name = QString::fromLatin1(EntryDisplayName(entry).c_str());
    const QString key = AsciiLower(name);
    auto found = index.find(key);
    if (found == index.end()) {
        found = index.insert(key, int(names.size()));
        names.push_back(MediaUses {name, {}});
    }
    names[std::size_t(found.value())].uses.push_back(use);
}

ProfileResult ProfileAt(const QString &path)
{
    return path.isEmpty() ? ProfileResult {} : ReadPlayerProfile(path);
}

} // namespace

bool MediaPlace::operator==(const MediaPlace &other) const
{
    return mediaFolder == other.mediaFolder && profilePath == other.profilePath &&
            cacheFolder == other.cacheFolder;
}

QString ProfilePathFor(const QString &chosen)
{
    return chosen.isEmpty() ? DefaultProfilePath() : chosen;
}

QString ProfileChoiceFor(const QString &path)
{
    return path == DefaultProfilePath() ? QString() : path;
}

MediaPlace MediaPlaceOf(const QString &mediaFolder, const QString &chosenProfile,
                        const QString &cacheFolder)
{
    return {mediaFolder, ProfilePathFor(chosenProfile), cacheFolder};
}

QString AsciiLower(const QString &name)
{
    QString lower = name;
    for (QChar &c : lower)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return lower;
}

QString MediaExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QHash<QString, QStringList> FindOriginals(const QString &mediaFolder, const QString &mediumFolder,
                                          const QHash<QString, int> &wanted)
{
    QHash<QString, QStringList> originals;
    if (mediaFolder.isEmpty() || !QFileInfo(mediaFolder).isDir())
        return originals;
    const QString mediaRoot = QFileInfo(mediaFolder).canonicalFilePath();
    const QString mediumRoot = QFileInfo(mediumFolder).canonicalFilePath();
    // Special files too, so that they are named for what they are.
    QDirIterator it(mediaFolder, QDir::Files | QDir::System | QDir::Hidden,
                    QDirIterator::Subdirectories);
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

std::vector<MediaUses> MediaUsesOf(const ScheduleDocument &document)
{
    std::vector<MediaUses> names;
    QHash<QString, int> index;
    for (std::size_t i = 0; i < document.basicEntries.size(); ++i)
        AddUse(names, index, document.basicEntries[i], {0, int(i) + 1});
    for (std::size_t s = 0; s < document.advanceSchedules.size(); ++s) {
        const std::vector<ScheduleEntry> &details = document.advanceSchedules[s].details;
        for (std::size_t i = 0; i < details.size(); ++i)
            AddUse(names, index, details[i], {int(s) + 1, int(i) + 1});
    }
    return names;
}

std::optional<MediaCheck> JudgeMedia(const QString &name, const ProbeResult &probed,
                                     const ProfileResult &profile)
{
    if (probed && !profile.profile)
        return std::nullopt;
    return CheckMedia(probed, MediaExtension(name), profile.profile.value_or(PlayerProfile {}));
}

MediaLibrary::MediaLibrary(const MediaPlace &place)
    : MediaLibrary(place.mediaFolder, ProfileAt(place.profilePath), place.cacheFolder)
{
}

MediaLibrary::MediaLibrary(const QString &mediaFolder, const ProfileResult &profile,
                           const QString &cacheFolder)
    : m_mediaFolder(mediaFolder), m_profile(profile), m_cacheFolder(cacheFolder)
{
}

MediaLibrary::~MediaLibrary() = default;

QHash<QString, QStringList> MediaLibrary::find(const QStringList &keys) const
{
    QHash<QString, int> wanted;
    for (const QString &key : keys)
        wanted.insert(key, 0);
    return FindOriginals(m_mediaFolder, QString(), wanted);
}

QStringList MediaLibrary::find(const QString &name) const
{
    const QString key = AsciiLower(name);
    return FindOriginals(m_mediaFolder, QString(), {{key, 0}}).value(key);
}

ProbeResult MediaLibrary::probe(const QString &path, int timeLimitMs)
{
    if (!m_cacheFolder.isEmpty() && !m_cache)
        m_cache = std::make_unique<MediaCache>(m_cacheFolder);
    return m_cache ? m_cache->probe(path, timeLimitMs) : ProbeMedia(path, timeLimitMs);
}

QString MediaLibrary::saveCache()
{
    return m_cache ? m_cache->save() : QString();
}

} // namespace nerav

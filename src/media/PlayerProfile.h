#pragma once

// What the player accepts, per file extension, read from a small JSON file: the program ships
// profiles/default.json and a user may point to their own. CheckMedia compares a file's facts
// with it.

#include "InterfaceText.h"
#include "MediaFacts.h"

#include <QHash>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace nerav {

struct ExtensionRule
{
    QStringList containers; // empty: any
    QStringList video; // codecs; empty: no video allowed unless the rule is for pictures
    QStringList audio;
    QSize maxFrame; // invalid: any
    QList<int> sampleRates; // empty: any
    bool picture = false;
    bool progressive = true; // a picture may be progressive
    bool cmyk = true; // a picture may have four colour components
};

struct PlayerProfile
{
    QString name;
    QHash<QString, ExtensionRule> rules; // by lower-case extension
};

struct ProfileResult
{
    std::optional<PlayerProfile> profile;
    QString reason; // naming the file, when there is no profile
};

ProfileResult ReadPlayerProfile(const QString &path);

// The shipped profile: next to the executable (profiles/default.json in the build folder) or in
// the install's share folder (../share/nerav-schedule-generator/profiles/default.json).
QString DefaultProfilePath();

enum class MediaState { Plays, MayNotPlay, NotFound, CannotBeRead };

struct MediaCheck
{
    MediaState state = MediaState::CannotBeRead;
    QString reason; // why it may not play or cannot be read; empty when it plays
};

MediaCheck CheckMedia(const ProbeResult &probed, const QString &extension,
                      const PlayerProfile &profile, const MediaTable &texts);

// The state in the table's words: "plays", "may not play"...
QString MediaStateText(MediaState state, const MediaTable &texts);

} // namespace nerav

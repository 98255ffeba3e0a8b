#pragma once

// What the player accepts, per file extension, read from a small JSON file: the program ships
// profiles/default.json and a user may point to their own. CheckMedia compares a file's facts
// with it and says what it found as codes and values; src/text words them.

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

// Why the profile says a file may not play.
enum class MediaMismatch {
    None,
    NoRule, // the profile names no rule for the extension
    Container, // the file's container (found) is not the extension's
    Codec, // a codec of the file (found) is not the extension's
    Progressive, // a progressive JPEG
    Cmyk, // a JPEG with four colour components
    PictureTooLarge, // the picture's size is above the largest (most)
    FrameTooLarge, // the video's frame is above the largest (most)
    SampleRate, // the sound's sample rate is not one the player takes
};

struct MediaCheck
{
    MediaState state = MediaState::CannotBeRead;
    MediaMismatch mismatch = MediaMismatch::None; // when it may not play
    QString extension; // the name's, as written
    QString found; // the container or codec the mismatch is about, as the reader names it
    QSize size; // the file's frame or picture
    QSize most; // the largest the player takes
    int sampleRate = 0;
    QString readProblem; // the reader's own reason, when it cannot be read
};

MediaCheck CheckMedia(const ProbeResult &probed, const QString &extension,
                      const PlayerProfile &profile);

} // namespace nerav

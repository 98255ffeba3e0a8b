#pragma once

// What the media check says about a file, in English and Japanese: its state, and why a file
// may not play on the player ("the profile says ...").

#include "InterfaceText.h"

#include <QString>

namespace nerav {

struct MediaTable
{
    QString plays, mayNotPlay, notFound, cannotBeRead;
    QString profileSays; // %1: one of the reasons below
    QString progressiveJpeg, cmykJpeg;
    QString codecInFile; // %1 codec, %2 extension in capitals
    QString containerInFile; // %1 container, %2 extension
    QString frameAbove; // %1×%2 the file's frame, %3×%4 the largest the player takes
    QString pictureAbove;
    QString sampleRate; // %1 Hz
    QString noRule; // %1 extension
};

// The table of language (English for any value other than Japanese).
const MediaTable &MediaTexts(Language language);

} // namespace nerav

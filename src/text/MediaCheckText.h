#pragma once

// What the player profile says of a media file, in the table's words: the state ("plays", "may
// not play"...) and why.

#include "InterfaceText.h"
#include "PlayerProfile.h"

#include <QString>

namespace nerav {

// The state in the table's words: "plays", "may not play"...
QString MediaStateText(MediaState state, const MediaTable &texts);

// Why a file may not play ("the profile says progressive JPEG") or cannot be read (the reader's
// own reason); empty when it plays or is not found.
QString MediaCheckReason(const MediaCheck &check, const MediaTable &texts);

} // namespace nerav

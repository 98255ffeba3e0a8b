#pragma once

// A media file's facts as lines a person reads, in the table's language: container, running
// time, video, audio (or the picture's coding for a JPEG) and the file's size.

#include "InterfaceText.h"
#include "MediaFacts.h"

#include <QString>

namespace nerav {

// One line per fact, joined with line breaks; fileBytes < 0 leaves the size out.
QString MediaFactsText(const MediaFacts &facts, const MediaTable &texts, qint64 fileBytes = -1);

} // namespace nerav

#pragma once

// The rows the interface text tables are filled from: a key (the member's name), the member,
// and its English and Japanese texts.

#include "InterfaceText.h"

#include <vector>

namespace nerav {

template<typename Table>
struct TextRow
{
    const char *key;
    QString Table::*member;
    const char *english;
    const char *japanese;
};

const std::vector<TextRow<PublishTable>> &PublishRows();
const std::vector<TextRow<MediaTable>> &MediaRows();

} // namespace nerav

#pragma once

// What ejecting the medium came to, in the interface's words: the publish dialog shows it,
// nrvtool prints it from the English tables.

#include "EjectResult.h"
#include "InterfaceText.h"

namespace nerav {

// UDisks' error as the user is shown it: its name, and its message when it gave one.
QString EjectErrorText(const EjectResult &result);

// One line for result.
QString EjectResultText(const EjectResult &result, const PublishTable &texts);

} // namespace nerav

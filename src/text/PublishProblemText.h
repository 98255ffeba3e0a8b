#pragma once

// What a check before a publish found, worded from the text tables: the publish dialog shows
// these lines in the interface's language, nrvtool prints them from the English tables.

#include "InterfaceText.h"
#include "PublishPlan.h"

#include <QString>

namespace nerav {

// The entries that use row's name: "basic 2, advance 1 entry 3".
QString PublishUsesText(const PublishRow &row, const PublishTable &texts);

// One problem of plan, as one line.
QString PublishProblemText(const PublishPlan &plan, const PlanProblem &problem,
                           const InterfaceText &text);

} // namespace nerav

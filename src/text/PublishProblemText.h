#pragma once

// What a check before a publish found, worded from the text tables: the publish dialog shows
// these lines in the interface's language, nrvtool prints them from the English tables.

#include "InterfaceText.h"
#include "PublishPlan.h"

#include <QString>

namespace nerav {

// The entries that use row's name: "basic 2, advance 1 entry 3".
QString PublishUsesText(const PublishRow &row, const PublishTable &texts);

// What becomes of a file on the medium that the schedule does not use: left alone, or removed
// as a twin of a media name that differs only in case.
QString PublishExtraText(const PublishPlan &plan, const QString &extra, const PublishTable &texts);

// One problem of plan, as one line.
QString PublishProblemText(const PublishPlan &plan, const PlanProblem &problem,
                           const InterfaceText &text);

// The schedule file's row of the check, as the table's action column says it.
QString ScheduleFileText(ScheduleFileState state, const PublishTable &texts);

// What the media check warns of row's file (it may not play, or it cannot be read), as one
// line without the "Warning:" the dialog puts before it; empty when there is nothing to say.
QString PublishWarningText(const PublishRow &row, const InterfaceText &text);

} // namespace nerav

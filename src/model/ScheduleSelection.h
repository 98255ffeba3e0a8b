#pragma once

// Which list of the schedule a change or a selection is about, and the selected row of each.

namespace nerav {

enum class ScheduleList { Basic, Advance, Detail };

// The selected row of each list; -1 for none. The details are those of the selected advance
// schedule.
struct ListSelection
{
    int normal = -1;
    int advance = -1;
    int detail = -1;

    int &row(ScheduleList list)
    {
        return list == ScheduleList::Basic      ? normal
                : list == ScheduleList::Advance ? advance
                                                : detail;
    }
    int row(ScheduleList list) const { return const_cast<ListSelection *>(this)->row(list); }

    bool operator==(const ListSelection &other) const
    {
        return normal == other.normal && advance == other.advance && detail == other.detail;
    }
    bool operator!=(const ListSelection &other) const { return !(*this == other); }
};

} // namespace nerav

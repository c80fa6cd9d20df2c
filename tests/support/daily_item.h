#pragma once

#include "schedule/schedule_item.h"

#include <string>

namespace narrix::testing {

// A ticked daily item as a list file written by the program holds it: never run, keywords not spoken.
inline ScheduleItem dailyItem(std::string title, std::string address, std::string time)
{
    ScheduleItem i;
    i.title = std::move(title);
    i.general = time + " - Daily";
    i.fileName = std::move(address);
    i.frequence = "0";
    i.time = std::move(time);
    i.day = "0";
    i.date = "1";
    i.month = "0";
    i.lastRun = "Never";
    i.checked = "True";
    i.leadInc = "False";
    i.trailInc = "False";
    return i;
}

} // namespace narrix::testing

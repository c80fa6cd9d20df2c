#include "schedule/schedule_item.h"

namespace narrix {

std::string missingKeyDefault(std::string_view key, std::string_view timeSeparator)
{
    if (key == "General")
        return "Untitled";
    if (key == "Frequence" || key == "Day" || key == "Month")
        return "0";
    if (key == "Time")
        return "00" + std::string(timeSeparator) + "00";
    if (key == "Date")
        return "1";
    if (key == "LastRun")
        return "Never";
    if (key == "Checked")
        return "True";
    if (key == "LeadInc" || key == "TrailInc")
        return "False";
    return {}; // FileName, LeadKey, TrailKey
}

std::string_view frequencyWord(std::string_view frequence)
{
    if (frequence == "0")
        return "Daily";
    if (frequence == "1")
        return "Weekly";
    if (frequence == "2")
        return "Monthly";
    if (frequence == "3")
        return "Yearly";
    return {};
}

std::string scheduleColumnText(std::string_view time, std::string_view frequence)
{
    return std::string(time) + " - " + std::string(frequencyWord(frequence));
}

} // namespace narrix

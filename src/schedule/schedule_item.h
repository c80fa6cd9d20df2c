#pragma once

#include <array>
#include <string>
#include <string_view>

namespace narrix {

// One scheduled speech (a row of the schedule list): the title and thirteen text fields, stored in a
// list file under the keys below, plus the row's check box. Every value is text, kept as it was
// loaded or entered; numbers and times are parsed only where they are used.
struct ScheduleItem
{
    std::string title;     // the row caption and the section name in a list file
    std::string general;   // the "Schedule" column text, e.g. "07:30 - Daily"
    std::string fileName;  // a file path, a web address or an "EMAIL://" mailbox address
    std::string frequence; // "0" daily, "1" weekly, "2" monthly, "3" yearly
    std::string time;      // hour, the locale's time separator, minute
    std::string day;       // weekly: "0" Sunday ... "6" Saturday
    std::string date;      // monthly and yearly: "1" ... "31"
    std::string month;     // yearly: "0" January ... "11" December
    std::string lastRun;   // "Never" or the short date on which the scheduler last started it
    std::string checked;   // "True"/"False" as loaded or added; the check box below is the live value
    std::string leadKey;   // where the wanted text begins
    std::string trailKey;  // where the wanted text ends
    std::string leadInc;   // "True" when the leading keyword is spoken too
    std::string trailInc;  // "True" when the trailing keyword is spoken too
    bool ticked = true;    // the row's check box: enables the item for the scheduler

    bool operator==(const ScheduleItem&) const = default;
};

// The thirteen fields in list-file order with their keys.
struct ScheduleField
{
    std::string_view key;
    std::string ScheduleItem::*member;
};
inline constexpr std::array<ScheduleField, 13> kScheduleFields{{
    {"General", &ScheduleItem::general},
    {"FileName", &ScheduleItem::fileName},
    {"Frequence", &ScheduleItem::frequence},
    {"Time", &ScheduleItem::time},
    {"Day", &ScheduleItem::day},
    {"Date", &ScheduleItem::date},
    {"Month", &ScheduleItem::month},
    {"LastRun", &ScheduleItem::lastRun},
    {"Checked", &ScheduleItem::checked},
    {"LeadKey", &ScheduleItem::leadKey},
    {"TrailKey", &ScheduleItem::trailKey},
    {"LeadInc", &ScheduleItem::leadInc},
    {"TrailInc", &ScheduleItem::trailInc},
}};

// The value a field takes when its key is missing from a list file; `time` needs the reader's time
// separator ("00", separator, "00").
std::string missingKeyDefault(std::string_view key, std::string_view timeSeparator);

// "Daily", "Weekly", "Monthly" or "Yearly" for "0" to "3"; empty for anything else.
std::string_view frequencyWord(std::string_view frequence);

// The "Schedule" column text of an added or edited item: the time, " - ", the frequency word.
std::string scheduleColumnText(std::string_view time, std::string_view frequence);

} // namespace narrix

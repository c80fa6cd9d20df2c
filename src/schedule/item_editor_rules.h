#pragma once

#include <string>
#include <string_view>

namespace narrix {

// The rules the item editor applies to its number fields while the user types and when a field is
// left, and how it splits and builds the time. Positions count characters of the field's text.

struct NumberFieldText
{
    std::string text;
    int cursor = 0;
    bool operator==(const NumberFieldText&) const = default;
};

// Deletes every character that is not a digit 0 to 9 (the cursor keeps its place among the rest);
// then a value above `limit` becomes the limit with the cursor after the second character.
NumberFieldText limitNumberField(std::string_view text, int cursor, int limit);

// The highest day of month `month` (0 January ... 11 December), February counted as 29; 31 for a
// month outside that range.
int daysInMonth(int month);

// The day field's limit: the length of the selected month while the month can be chosen, else 31.
inline int dateLimit(bool monthEnabled, int month)
{
    return monthEnabled ? daysInMonth(month) : 31;
}

// Leaving the hour or minute field: empty becomes "0". Leaving the day field: empty or 0 becomes "1".
std::string leaveTimeField(std::string_view text);
std::string leaveDateField(std::string_view text);

// "0" in front until two characters; "" becomes "00".
std::string padTwoDigits(std::string_view text);

// Splits at the first time separator: the hour before it and the minute after it. Without a
// separator the whole text is the hour.
struct TimeParts
{
    std::string hour;
    std::string minute;
};
TimeParts splitTime(std::string_view time, std::string_view separator);

// Which fields a frequency (0 daily ... 3 yearly) uses; none for a frequency outside that range.
struct FrequencyFields
{
    bool weekday = false;
    bool date = false;
    bool month = false;
};
FrequencyFields fieldsForFrequency(int frequency);

// A drop-down position from a stored number: the number when it is a whole number in 0..count-1,
// else -1 (nothing selected).
int listPosition(std::string_view stored, int count);

} // namespace narrix

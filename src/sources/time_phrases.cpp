#include "sources/time_phrases.h"

namespace narrix {
namespace {

// Indexed by QDate::dayOfWeek() - 1: Monday first.
constexpr const char* kWeekdays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                     "Friday", "Saturday", "Sunday"};
constexpr const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

} // namespace

std::string timePhrase(QTime time, bool twelveHourClock)
{
    int hour = time.hour();
    const int minute = time.minute();
    if (twelveHourClock) {
        hour %= 12;
        if (hour == 0)
            hour = 12;
    }
    std::string phrase = std::to_string(hour);
    if (minute == 0)
        phrase += " o'clock";
    else if (minute < 10)
        phrase += " o " + std::to_string(minute);
    else
        phrase += ' ' + std::to_string(minute);
    return phrase;
}

std::string ordinal(int day)
{
    const char* suffix = "th";
    if (day < 11 || day > 13) {
        switch (day % 10) {
        case 1:
            suffix = "st";
            break;
        case 2:
            suffix = "nd";
            break;
        case 3:
            suffix = "rd";
            break;
        default:
            break;
        }
    }
    return std::to_string(day) + suffix;
}

std::string datePhrase(QDate date)
{
    return std::string(kWeekdays[date.dayOfWeek() - 1]) + ", " + kMonths[date.month() - 1] + " the " +
           ordinal(date.day());
}

std::string fillTemplate(std::string_view sentence, std::string_view phrase)
{
    std::string result;
    result.reserve(sentence.size() + phrase.size());
    for (const char c : sentence) {
        if (c == '#')
            result += phrase;
        else
            result += c;
    }
    return result;
}

} // namespace narrix

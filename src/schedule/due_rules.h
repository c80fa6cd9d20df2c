#pragma once

#include "schedule/schedule_item.h"

#include <QDateTime>
#include <QLocale>

#include <optional>
#include <string>
#include <string_view>

namespace narrix {

// How the locale writes a time of day: read once per tick, not once per row.
struct TimeFormat
{
    std::string separator = ":";
    QString amText = QStringLiteral("AM");
    QString pmText = QStringLiteral("PM");

    static TimeFormat of(const QLocale& locale);
};

// The clock as one scheduler tick reads it, once for the whole walk, with the locale's formats.
struct ScheduleMoment
{
    int month = 1;   // 1 to 12
    int day = 1;     // day of the month, 1 to 31
    int weekday = 1; // 1 Sunday ... 7 Saturday
    int hour = 0;
    int minute = 0;
    std::string todayText; // today's date in the locale's short date format
    TimeFormat timeFormat;

    static ScheduleMoment at(const QDateTime& now, const QLocale& locale);
};

// When a schedule item is due, and the LastRun text that records a start.
class DueRules
{
public:
    // LastRun of an item never started (and of an item just edited).
    static constexpr std::string_view kNeverRun = "Never";

    enum class Verdict {
        NotDue,       // not today, or not this minute
        Start,        // due now and not started today: set LastRun to today's text
        StartedToday, // due now, but LastRun says it ran today already
        Unreadable,   // a number or the time does not parse; `why` says which
    };

    // The verdict for `item` at `moment`; the check box is the caller's business.
    static Verdict check(const ScheduleItem& item, const ScheduleMoment& moment, std::string* why = nullptr);

    // Frequence 0 daily; 1 weekly (Day + 1 is the weekday); 2 monthly (Date is the day); 3 yearly
    // (Month + 1 and Date); anything else never. Nothing when a needed field is not a whole number.
    static std::optional<bool> dueToday(const ScheduleItem& item, const ScheduleMoment& moment,
                                        std::string* why = nullptr);
    // True when LastRun is today's text (and not "Never").
    static bool startedToday(std::string_view lastRun, std::string_view todayText);
    // Today's LastRun text.
    static std::string lastRunText(const QDate& date, const QLocale& locale);
    // A time of day as the locale writes it: hour, the locale's time separator, minute, optionally
    // seconds and an AM/PM designator. Nothing when it is not a valid time.
    static std::optional<QTime> parseTime(std::string_view text, const TimeFormat& format);
    // A whole number as stored (blanks around it and a sign allowed).
    static std::optional<int> parseWholeNumber(std::string_view text);
};

} // namespace narrix

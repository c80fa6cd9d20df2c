#include "schedule/due_rules.h"

#include "base/text_trim.h"
#include "schedule/time_separator.h"

#include <charconv>

namespace narrix {
namespace {

bool isDesignator(std::string_view text, const QString& designator)
{
    if (designator.isEmpty())
        return false;
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
               .compare(designator, Qt::CaseInsensitive) == 0;
}

// Reads one to two digits at the front of `text`.
std::optional<int> takeTwoDigits(std::string_view& text)
{
    size_t n = 0;
    while (n < text.size() && n < 2 && text[n] >= '0' && text[n] <= '9')
        ++n;
    if (n == 0)
        return std::nullopt;
    int value = 0;
    for (size_t i = 0; i < n; ++i)
        value = value * 10 + (text[i] - '0');
    text.remove_prefix(n);
    return value;
}

std::optional<int> field(std::string_view value, std::string_view name, std::string* why)
{
    const auto number = DueRules::parseWholeNumber(value);
    if (!number && why != nullptr)
        *why = std::string(name) + " \"" + std::string(value) + "\" is not a whole number";
    return number;
}

} // namespace

ScheduleMoment ScheduleMoment::at(const QDateTime& now, const QLocale& locale)
{
    const QDate date = now.date();
    ScheduleMoment moment;
    moment.month = date.month();
    moment.day = date.day();
    moment.weekday = date.dayOfWeek() % 7 + 1; // Qt counts Monday 1 ... Sunday 7
    moment.hour = now.time().hour();
    moment.minute = now.time().minute();
    moment.todayText = DueRules::lastRunText(date, locale);
    moment.timeFormat = TimeFormat::of(locale);
    return moment;
}

TimeFormat TimeFormat::of(const QLocale& locale)
{
    return {timeSeparatorOf(locale), locale.amText(), locale.pmText()};
}

std::optional<int> DueRules::parseWholeNumber(std::string_view text)
{
    text = trimView(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<bool> DueRules::dueToday(const ScheduleItem& item, const ScheduleMoment& moment,
                                       std::string* why)
{
    const auto frequence = field(item.frequence, "Frequence", why);
    if (!frequence)
        return std::nullopt;
    switch (*frequence) {
    case 0:
        return true;
    case 1: {
        const auto day = field(item.day, "Day", why);
        if (!day)
            return std::nullopt;
        return *day + 1 == moment.weekday;
    }
    case 2: {
        const auto date = field(item.date, "Date", why);
        if (!date)
            return std::nullopt;
        return *date == moment.day;
    }
    case 3: {
        const auto month = field(item.month, "Month", why);
        const auto date = month ? field(item.date, "Date", why) : std::nullopt;
        if (!month || !date)
            return std::nullopt;
        return *month + 1 == moment.month && *date == moment.day;
    }
    default:
        return false;
    }
}

std::optional<QTime> DueRules::parseTime(std::string_view text, const TimeFormat& format)
{
    text = trimView(text);
    const std::string& separator = format.separator;
    const auto takeSeparator = [&] {
        if (text.substr(0, separator.size()) != separator)
            return false;
        text.remove_prefix(separator.size());
        return true;
    };
    const auto hour = takeTwoDigits(text);
    if (!hour || !takeSeparator())
        return std::nullopt;
    const auto minute = takeTwoDigits(text);
    if (!minute)
        return std::nullopt;
    int second = 0;
    if (takeSeparator()) {
        const auto seconds = takeTwoDigits(text);
        if (!seconds)
            return std::nullopt;
        second = *seconds;
    }
    text = trimView(text);
    int h = *hour;
    if (!text.empty()) {
        const bool am = isDesignator(text, format.amText) || isDesignator(text, QStringLiteral("AM"));
        const bool pm =
            !am && (isDesignator(text, format.pmText) || isDesignator(text, QStringLiteral("PM")));
        if ((!am && !pm) || h < 1 || h > 12)
            return std::nullopt;
        h = h % 12 + (pm ? 12 : 0);
    }
    const QTime time(h, *minute, second);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

bool DueRules::startedToday(std::string_view lastRun, std::string_view todayText)
{
    return lastRun != kNeverRun && lastRun == todayText;
}

std::string DueRules::lastRunText(const QDate& date, const QLocale& locale)
{
    return locale.toString(date, QLocale::ShortFormat).toStdString();
}

DueRules::Verdict DueRules::check(const ScheduleItem& item, const ScheduleMoment& moment, std::string* why)
{
    const auto due = dueToday(item, moment, why);
    if (!due)
        return Verdict::Unreadable;
    if (!*due)
        return Verdict::NotDue;
    const auto time = parseTime(item.time, moment.timeFormat);
    if (!time) {
        if (why != nullptr)
            *why = "Time \"" + item.time + "\" is not a time of day";
        return Verdict::Unreadable;
    }
    if (time->hour() != moment.hour || time->minute() != moment.minute)
        return Verdict::NotDue;
    return startedToday(item.lastRun, moment.todayText) ? Verdict::StartedToday : Verdict::Start;
}

} // namespace narrix

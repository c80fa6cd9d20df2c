#include "schedule/item_editor_rules.h"

#include <array>
#include <charconv>

namespace narrix {

NumberFieldText limitNumberField(std::string_view text, int cursor, int limit)
{
    NumberFieldText result;
    result.cursor = cursor;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            result.text.push_back(text[i]);
        else if (static_cast<int>(i) < cursor)
            --result.cursor;
    }
    if (result.text.empty())
        return result;
    // Any text of more than two digits is above every limit; only short ones need their value.
    int value = limit + 1;
    if (result.text.size() <= 2)
        std::from_chars(result.text.data(), result.text.data() + result.text.size(), value);
    if (value > limit) {
        result.text = std::to_string(limit);
        result.cursor = 2;
    }
    return result;
}

int daysInMonth(int month)
{
    static constexpr std::array<int, 12> kDays{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 0 && month < 12 ? kDays[static_cast<size_t>(month)] : 31;
}

namespace {

bool isZero(std::string_view text)
{
    return !text.empty() && text.find_first_not_of('0') == std::string_view::npos;
}

} // namespace

std::string leaveTimeField(std::string_view text)
{
    return text.empty() ? "0" : std::string(text);
}

std::string leaveDateField(std::string_view text)
{
    return text.empty() || isZero(text) ? "1" : std::string(text);
}

std::string padTwoDigits(std::string_view text)
{
    std::string padded(text);
    while (padded.size() < 2)
        padded.insert(padded.begin(), '0');
    return padded;
}

TimeParts splitTime(std::string_view time, std::string_view separator)
{
    const size_t at = separator.empty() ? std::string_view::npos : time.find(separator);
    if (at == std::string_view::npos)
        return {std::string(time), {}};
    return {std::string(time.substr(0, at)), std::string(time.substr(at + separator.size()))};
}

FrequencyFields fieldsForFrequency(int frequency)
{
    switch (frequency) {
    case 1:
        return {true, false, false};
    case 2:
        return {false, true, false};
    case 3:
        return {false, true, true};
    default:
        return {};
    }
}

int listPosition(std::string_view stored, int count)
{
    int value = -1;
    const auto [end, error] = std::from_chars(stored.data(), stored.data() + stored.size(), value);
    if (error != std::errc() || end != stored.data() + stored.size() || value < 0 || value >= count)
        return -1;
    return value;
}

} // namespace narrix

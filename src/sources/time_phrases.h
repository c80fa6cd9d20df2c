#pragma once

#include <QDate>
#include <QTime>
#include <string>
#include <string_view>

namespace narrix {

// "2 o'clock", "2 o 5", "2 45"; on the 12-hour clock midnight and noon are 12, on the 24-hour clock
// midnight is 0.
std::string timePhrase(QTime time, bool twelveHourClock);

// "7th", "22nd", "11th".
std::string ordinal(int day);

// "Monday, December the 7th": English names whatever the system's locale.
std::string datePhrase(QDate date);

// `sentence` with every "#" replaced by `phrase`.
std::string fillTemplate(std::string_view sentence, std::string_view phrase);

} // namespace narrix

#pragma once

#include <QLocale>

#include <string>

namespace narrix {

// The separator between hour and minute in the locale's short time format (":" in most regions,
// "." in some); ":" when the format shows none.
std::string timeSeparatorOf(const QLocale& locale);

} // namespace narrix

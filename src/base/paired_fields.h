#pragma once

// Two records that hold the same values under their own names (the settings record and a dialog's
// values, say) are kept in step by one list of their paired fields, a function
// `pairs(first, second, copy)` that calls copy(first.x, second.y) for each pair. These copy each pair
// one way or the other.

namespace narrix {

inline constexpr auto copyToSecond = [](const auto& first, auto& second) { second = first; };
inline constexpr auto copyToFirst = [](auto& first, const auto& second) { first = second; };

} // namespace narrix

#pragma once

#include <QtGlobal>

#include <string>
#include <string_view>

namespace narrix {

class ScheduleListModel;

// The rules every item title keeps: not empty after trimming, no "]" (it would end the section
// header of a list file), unique among the rows when the letters A to Z are compared without case.
enum class TitleProblem { None, Empty, ClosingBracket };

// What is wrong with `title` once trimmed.
TitleProblem titleProblem(std::string_view title);
// The message the user sees for a problem ("Title cannot be empty.", "Title cannot contain ']'.").
std::string_view titleProblemMessage(TitleProblem problem);
inline constexpr std::string_view kTitleUsedMessage =
    QT_TRANSLATE_NOOP("ScheduleMessages", "This title is already used by another item.");

// The number of rows, other than `exceptRow`, whose trimmed title equals `title` under the title
// comparison.
int countTitle(const ScheduleListModel& list, std::string_view title, int exceptRow = -1);

// `title` followed by the smallest number n, from 1, for which no row's title equals title + n
// (ignoring the case of A to Z): "News1", "News2", ...
std::string numberedFreeTitle(const ScheduleListModel& list, std::string_view title);

} // namespace narrix

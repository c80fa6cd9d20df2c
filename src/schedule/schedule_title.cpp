#include "schedule/schedule_title.h"

#include "base/ascii_case.h"
#include "base/text_trim.h"
#include "schedule/schedule_list_model.h"

#include <unordered_set>

namespace narrix {

TitleProblem titleProblem(std::string_view title)
{
    const std::string_view trimmed = trimView(title);
    if (trimmed.empty())
        return TitleProblem::Empty;
    if (trimmed.find(']') != std::string_view::npos)
        return TitleProblem::ClosingBracket;
    return TitleProblem::None;
}

std::string_view titleProblemMessage(TitleProblem problem)
{
    switch (problem) {
    case TitleProblem::Empty:
        return QT_TRANSLATE_NOOP("ScheduleMessages", "Title cannot be empty.");
    case TitleProblem::ClosingBracket:
        return QT_TRANSLATE_NOOP("ScheduleMessages", "Title cannot contain ']'.");
    case TitleProblem::None:
        break;
    }
    return {};
}

int countTitle(const ScheduleListModel& list, std::string_view title, int exceptRow)
{
    int count = 0;
    for (int row = 0; row < list.size(); ++row) {
        if (row != exceptRow && equalsIgnoringAsciiCase(trimView(list.item(row).title), title))
            ++count;
    }
    return count;
}

std::string numberedFreeTitle(const ScheduleListModel& list, std::string_view title)
{
    // One pass over the titles instead of one search of the list per number tried.
    std::unordered_set<std::string> taken;
    const std::string prefix = toLowerAscii(title);
    for (const ScheduleItem& item : list.items()) {
        if (item.title.size() > prefix.size() && toLowerAscii(item.title).starts_with(prefix))
            taken.insert(toLowerAscii(item.title));
    }
    for (size_t n = 1;; ++n) {
        std::string candidate = std::string(title) + std::to_string(n);
        if (!taken.contains(toLowerAscii(candidate)))
            return candidate;
    }
}

} // namespace narrix

#include "base/text_trim.h"

namespace narrix {

std::string_view trimView(std::string_view text) noexcept
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isTrimmable(text[begin]))
        ++begin;
    while (end > begin && isTrimmable(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string trim(std::string_view text)
{
    return std::string(trimView(text));
}

} // namespace narrix

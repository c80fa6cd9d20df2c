#include "sources/realtime_boundary.h"

#include "base/text_trim.h"

namespace narrix {
namespace {

// The marks that end a sentence in "Sentence" mode.
constexpr std::string_view kSentenceEnds = ",;.\":!?'";

} // namespace

bool endsWithKeyword(std::string_view buffer, std::string_view keywords)
{
    // Each keyword runs up to the next blank; what lies between keywords is trimmed away.
    std::string_view rest = trimView(keywords);
    while (!rest.empty()) {
        const std::size_t blank = rest.find(' ');
        const std::string_view keyword = rest.substr(0, blank);
        if (buffer.ends_with(keyword))
            return true;
        rest = blank == std::string_view::npos ? std::string_view() : trimView(rest.substr(blank + 1));
    }
    return false;
}

RealtimeBoundary realtimeBoundary(std::string_view buffer, std::string_view mode, std::string_view keywords,
                                  bool enter)
{
    if (isBlank(buffer))
        return RealtimeBoundary::Nothing;
    if (mode == "Word")
        return RealtimeBoundary::Speak;
    bool ends = false;
    if (mode == "Sentence")
        ends = kSentenceEnds.find(buffer.back()) != std::string_view::npos;
    else
        ends = endsWithKeyword(buffer, keywords);
    return ends || enter ? RealtimeBoundary::Speak : RealtimeBoundary::AppendBlank;
}

} // namespace narrix

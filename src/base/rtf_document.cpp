#include "base/rtf_document.h"

namespace narrix {

std::string RtfDocument::plainText() const
{
    std::size_t size = 0;
    for (const RtfRun& run : runs)
        size += run.text.size();
    std::string text;
    text.reserve(size);
    for (const RtfRun& run : runs)
        text += run.text;
    return text;
}

void RtfDocument::append(std::string_view text, const RtfTextFormat& format)
{
    if (text.empty())
        return;
    if (runs.empty() || !(runs.back().format == format))
        runs.push_back(RtfRun{std::string(), format});
    runs.back().text.append(text);
}

} // namespace narrix

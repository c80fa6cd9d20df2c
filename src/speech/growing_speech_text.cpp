#include "speech/growing_speech_text.h"

#include <algorithm>

namespace narrix {
namespace {

bool alphanumeric(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The last place in `text` where it can be cut (see speechTextCut), looking no further back than
// `from`, before which no place was found the last time; 0 when there is none.
std::size_t lastCut(std::string_view text, std::size_t from)
{
    for (std::size_t i = text.size(); i-- > std::max<std::size_t>(from, 1);) {
        if (alphanumeric(text[i - 1]) && alphanumeric(text[i]))
            return i;
    }
    return 0;
}

} // namespace

std::string GrowingSpeechText::clean(std::string part)
{
    CleanSpeechTextInPlace(part, folding_, atStart_);
    if (!part.empty())
        atStart_ = false;
    return part;
}

std::string GrowingSpeechText::take(std::string_view piece, std::string* raw)
{
    pending_.append(piece);
    const std::size_t cut = lastCut(pending_, scanned_);
    if (cut == 0) {
        scanned_ = pending_.size();
        if (raw != nullptr)
            raw->clear();
        return {};
    }
    std::string head = pending_.substr(0, cut);
    pending_.erase(0, cut);
    scanned_ = 0;
    if (raw != nullptr)
        *raw = head;
    return clean(std::move(head));
}

std::string GrowingSpeechText::rest()
{
    std::string last;
    last.swap(pending_);
    scanned_ = 0;
    return clean(std::move(last));
}

} // namespace narrix

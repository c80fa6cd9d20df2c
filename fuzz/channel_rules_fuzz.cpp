// The channel rules on arbitrary input: mailbox addresses, the cut between keys and its tidying,
// and the scheduler's reading of Time and whole numbers. The input is split at the first two NULs
// into text, lead key and trail key.
#include "schedule/channel_cut.h"
#include "schedule/due_rules.h"
#include "schedule/mailbox_address.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

bool within(std::string_view part, std::string_view whole)
{
    return part.empty() ||
           (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace narrix;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t first = input.find('\0');
    const size_t second = first == std::string_view::npos ? first : input.find('\0', first + 1);
    const std::string_view text = input.substr(0, first);
    const std::string_view lead =
        first == std::string_view::npos ? std::string_view() : input.substr(first + 1, second - first - 1);
    const std::string_view trail =
        second == std::string_view::npos ? std::string_view() : input.substr(second + 1);

    ChannelCut cut{normalizeCutKey(lead), normalizeCutKey(trail), (size & 1) != 0, (size & 2) != 0};
    if (cut.leadKey.find("  ") != std::string::npos || cut.leadKey.size() > lead.size())
        std::abort();
    const std::string_view passage = cutPassage(text, cut);
    const std::string_view tidy = tidyPassage(passage);
    if (!within(passage, text) || !within(tidy, passage))
        std::abort();

    if (const auto mailbox = parseMailboxAddress(input)) {
        if (mailbox->port < 0 || mailbox->port > 65535)
            std::abort();
    }
    TimeFormat format;
    if (const auto time = DueRules::parseTime(text, format); time && !time->isValid())
        std::abort();
    (void)DueRules::parseWholeNumber(text);
    return 0;
}

// A downloaded channel list against a user's list: the list-file check never fails on any bytes, the
// offered channels are sections of the download, and the channels handed back are the offered ones.
#include "base/text_encoding.h"
#include "schedule/channel_update.h"
#include "schedule/schedule_list_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unordered_set>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace narrix;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The user's list, then the download, split at the first form feed.
    const size_t split = bytes.find('\f');
    const std::string_view mine =
        split == std::string_view::npos ? std::string_view() : bytes.substr(0, split);
    const std::string_view download = split == std::string_view::npos ? bytes : bytes.substr(split + 1);
    if (!looksLikeListFile(download))
        return 0;

    const ProfileFile update = ProfileFile::parse(decodeUnlabelledToUtf8(download));
    const std::vector<ScheduleItem> current =
        readScheduleItems(ProfileFile::parse(decodeUnlabelledToUtf8(mine)), ":");
    const std::vector<std::string> offered = offeredChannels(current, update);
    const std::vector<std::string> names = update.sectionNames();
    const std::unordered_set<std::string> sections(names.begin(), names.end());
    for (const std::string& title : offered)
        if (!sections.contains(title))
            std::abort();
    const std::unordered_set<std::string> offeredSet(offered.begin(), offered.end());
    const std::vector<ScheduleItem> chosen = chosenChannels(update, offered, ":");
    for (const ScheduleItem& item : chosen)
        if (!offeredSet.contains(item.title))
            std::abort();
    if (mergeScheduleItems(current, chosen).size() > current.size() + chosen.size())
        std::abort();
    return 0;
}

#include "schedule/channel_update.h"

#include "base/maker_addresses.h"
#include "base/text_trim.h"
#include "schedule/schedule_list_file.h"

#include <unordered_map>
#include <unordered_set>

namespace narrix {

namespace {

// The address start-up gave in place of the maker's; empty when none.
std::string& givenChannelListAddress()
{
    static std::string address;
    return address;
}

} // namespace

void setChannelListAddress(std::string_view address)
{
    givenChannelListAddress() = std::string(trimView(address));
}

std::string channelListAddress()
{
    const std::string& given = givenChannelListAddress();
    return given.empty() ? std::string(maker::kChannelList) : given;
}

bool looksLikeListFile(std::string_view text)
{
    bool inSection = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        if (raw.find('\0') != std::string_view::npos)
            return false;
        const std::string_view line = trimView(raw);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.find(']') != std::string_view::npos)
            inSection = true;
        else if (!inSection || line.find('=') == std::string_view::npos || line.front() == '=')
            return false;
    }
    return true;
}

std::vector<std::string> offeredChannels(const std::vector<ScheduleItem>& current, const ProfileFile& update)
{
    std::unordered_map<std::string_view, const ScheduleItem*> byTitle;
    for (const ScheduleItem& item : current)
        byTitle.try_emplace(item.title, &item);

    std::vector<std::string> offered;
    for (const std::string& title : update.sectionNames()) {
        const auto mine = byTitle.find(title);
        if (mine == byTitle.end()) {
            offered.push_back(title);
            continue;
        }
        const ScheduleItem& have = *mine->second;
        const auto differs = [&](std::string_view key, const std::string& value, std::string_view fallback) {
            return update.readString(title, key, fallback) != value;
        };
        if (differs("FileName", have.fileName, "") || differs("LeadKey", have.leadKey, "") ||
            differs("TrailKey", have.trailKey, "") || differs("LeadInc", have.leadInc, "False") ||
            differs("TrailInc", have.trailInc, "False"))
            offered.push_back(title);
    }
    return offered;
}

std::vector<ScheduleItem> chosenChannels(const ProfileFile& update, const std::vector<std::string>& ticked,
                                         std::string_view timeSeparator)
{
    std::unordered_map<std::string, std::vector<ScheduleItem>> sections;
    const std::unordered_set<std::string> wanted(ticked.begin(), ticked.end());
    for (ScheduleItem& item : readScheduleItems(update, timeSeparator))
        if (wanted.contains(item.title))
            sections[item.title].push_back(std::move(item));

    std::vector<ScheduleItem> chosen;
    for (const std::string& title : ticked)
        if (const auto it = sections.find(title); it != sections.end())
            chosen.insert(chosen.end(), it->second.begin(), it->second.end());
    return chosen;
}

} // namespace narrix

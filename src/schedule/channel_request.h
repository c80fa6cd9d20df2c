#pragma once

#include "schedule/channel_cut.h"
#include "schedule/schedule_item.h"

#include <string>

namespace narrix {

// One retrieval as a caller hands it over: the address and the current channel settings.
struct ChannelRequest
{
    std::string title;
    std::string address;
    ChannelCut cut;

    // From a schedule item: its title, FileName and cut settings ("True" exactly sets a flag).
    static ChannelRequest fromItem(const ScheduleItem& item)
    {
        return {item.title,
                item.fileName,
                {item.leadKey, item.trailKey, item.leadInc == "True", item.trailInc == "True"}};
    }
    // A command-line argument or a handed-over address: its own title, no cut.
    static ChannelRequest forAddress(const std::string& address) { return {address, address, {}}; }
};

} // namespace narrix

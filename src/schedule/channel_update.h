#pragma once

#include "base/profile_file.h"
#include "schedule/schedule_item.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace narrix {

// The address of the channel list: the one start-up gave (NARRIX_CHANNEL_LIST_URL) when it is not
// empty, else the maker's address.
std::string channelListAddress();
// Replaces the maker's address (surrounding blanks are dropped); an empty one restores it.
void setChannelListAddress(std::string_view address);

// True when `text` reads as a list file: besides blank lines and ";" comments it holds only section
// headers and, inside sections, "key=value" lines. An error page or any other download is refused
// before it could be offered as channels.
bool looksLikeListFile(std::string_view text);

// The channels of a downloaded list worth offering, in the download's order: those whose title is
// in none of `current` (compared with the same letter case), and those whose address or cut
// settings (FileName, LeadKey, TrailKey, LeadInc, TrailInc) differ from the first item of the same
// title. A change of timing alone is not offered.
std::vector<std::string> offeredChannels(const std::vector<ScheduleItem>& current, const ProfileFile& update);

// The items to merge for the ticked titles, in the order given: every section of `update` whose name
// equals a title exactly, read with the defaults of a list file for missing keys.
std::vector<ScheduleItem> chosenChannels(const ProfileFile& update, const std::vector<std::string>& ticked,
                                         std::string_view timeSeparator);

} // namespace narrix

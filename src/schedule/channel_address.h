#pragma once

#include <string>
#include <string_view>

namespace narrix {

// What a channel address names, decided from its form (and, for a local file, its existence).
enum class ChannelKind { Mailbox, LocalFile, WebPage };

// True when the first 8 characters, upper-cased, are "EMAIL://".
bool isMailboxAddress(std::string_view address);

// A mailbox address, an existing file (a folder is not one), or else a web page. `address` is
// trimmed already.
ChannelKind channelKindOf(std::string_view address);

// True for an absolute path of this computer ("/..."): never a web address, even when no such file
// exists (any more).
bool looksLikeFilePath(std::string_view address);

// The address to fetch: "http://" in front unless it begins with "http://" or "https://" in any
// letter case.
std::string channelWebUrl(std::string_view address);

} // namespace narrix

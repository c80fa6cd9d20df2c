#pragma once

#include <string>
#include <string_view>

namespace narrix {

// What a channel address names, decided from its form (and, for a local file, its existence).
enum class ChannelKind { Mailbox, LocalFile, WebPage };

// How a local channel file is read, from its extension.
enum class ChannelFileKind { Html, RichText, PlainText };

// True when the first 8 characters, upper-cased, are "EMAIL://".
bool isMailboxAddress(std::string_view address);

// A mailbox address, an existing file (a folder is not one), or else a web page. `address` is
// trimmed already.
ChannelKind channelKindOf(std::string_view address);

// ".HTM" or ".HTML" at the end (any letter case) is HTML, ".RTF" rich text, anything else plain text.
ChannelFileKind channelFileKindOf(std::string_view path);

// The address to fetch: "http://" in front unless it begins with "http://" or "https://" in any
// letter case.
std::string channelWebUrl(std::string_view address);

} // namespace narrix

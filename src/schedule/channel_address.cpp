#include "schedule/channel_address.h"

#include "base/ascii_case.h"

#include <filesystem>
#include <system_error>

namespace narrix {
bool isMailboxAddress(std::string_view address)
{
    return startsWithIgnoringAsciiCase(address, "EMAIL://");
}

ChannelKind channelKindOf(std::string_view address)
{
    if (isMailboxAddress(address))
        return ChannelKind::Mailbox;
    std::error_code error;
    if (!address.empty() && std::filesystem::is_regular_file(std::filesystem::path(address), error))
        return ChannelKind::LocalFile;
    return ChannelKind::WebPage;
}

bool looksLikeFilePath(std::string_view address)
{
    return address.starts_with('/');
}

std::string channelWebUrl(std::string_view address)
{
    if (startsWithIgnoringAsciiCase(address, "http://") || startsWithIgnoringAsciiCase(address, "https://"))
        return std::string(address);
    return "http://" + std::string(address);
}

} // namespace narrix

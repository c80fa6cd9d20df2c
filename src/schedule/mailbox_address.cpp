#include "schedule/mailbox_address.h"

#include "base/text_trim.h"

namespace narrix {
namespace {

constexpr int kDefaultPop3Port = 110;
constexpr long long kHighestPort = 65535;

// The text up to the next blank, removed from `rest` together with that blank.
std::optional<std::string_view> takeField(std::string_view& rest)
{
    const size_t blank = rest.find(' ');
    if (blank == std::string_view::npos)
        return std::nullopt;
    const std::string_view field = rest.substr(0, blank);
    rest.remove_prefix(blank + 1);
    return field;
}

std::string starAsEmpty(std::string_view field)
{
    return field == "*" ? std::string() : std::string(field);
}

} // namespace

std::optional<MailboxAddress> parseMailboxAddress(std::string_view fields, std::string* error)
{
    const auto fail = [&](const std::string& reason) -> std::optional<MailboxAddress> {
        if (error != nullptr)
            *error = reason;
        return std::nullopt;
    };
    std::string_view rest = fields;
    std::string_view parts[5];
    for (std::string_view& part : parts) {
        const auto field = takeField(rest);
        if (!field)
            return fail("the mailbox address has fewer than six fields");
        part = *field;
    }
    MailboxAddress address;
    address.email = starAsEmpty(parts[0]);
    address.server = starAsEmpty(parts[1]);
    std::string digits;
    for (const char c : trimView(parts[2]))
        if (c >= '0' && c <= '9')
            digits.push_back(c);
    if (digits.empty()) {
        address.port = kDefaultPop3Port;
    } else {
        long long port = 0;
        for (const char c : digits) {
            port = port * 10 + (c - '0');
            if (port > kHighestPort)
                return fail("the port " + std::string(parts[2]) + " is not a port number");
        }
        address.port = static_cast<int>(port);
    }
    address.user = starAsEmpty(parts[3]);
    address.password = starAsEmpty(parts[4]);
    address.readBodies = rest == "Y";
    return address;
}

} // namespace narrix

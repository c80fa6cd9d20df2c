#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace narrix {

// The six fields of a mailbox address after its "EMAIL://" prefix: e-mail address, POP3 server,
// port, user name, password and body flag, separated by single blanks, "*" for an empty field.
struct MailboxAddress
{
    std::string email;
    std::string server;
    int port = 110;
    std::string user;
    std::string password;
    bool readBodies = false; // the sixth field is exactly "Y"
};

// Reads the fields from the address without its prefix. The port field keeps only its digits;
// none gives 110. Nothing, with the reason in `error`, when a blank is missing or the port is not a
// possible port number (above 65535, or more digits than fit).
std::optional<MailboxAddress> parseMailboxAddress(std::string_view fields, std::string* error = nullptr);

} // namespace narrix

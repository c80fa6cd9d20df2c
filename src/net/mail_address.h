#pragma once

#include <string>
#include <string_view>

namespace narrix::net {

struct MailAddress
{
    std::string name;    // display name, UTF-8, encoded words decoded, quotes removed
    std::string address; // addr-spec
};

// Reads the first mailbox of an address header value (RFC 5322 section 3.4): "Name <addr>",
// "\"Quoted, Name\" <addr>", "<addr>", "addr", or "addr (Name)". Encoded words in the display
// name are decoded.
MailAddress parseMailAddress(std::string_view value);

// The sender text: the bare address when there is no display name or the display name equals
// the upper-cased address; otherwise the display name, a blank and the address in angle brackets.
// A display name with characters other than letters, digits, blank and !#$%&'*+-/=?_`{}|~ is
// written between double quotes, with a backslash before any backslash or double quote in it.
std::string senderText(const MailAddress& sender);

} // namespace narrix::net

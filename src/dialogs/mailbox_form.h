#pragma once

#include <string>
#include <string_view>

namespace narrix {

// The boxes of the e-mail account dialog and the mailbox address they stand for:
// "email://" address server port user password Y|N, fields separated by one blank, "*" for an
// empty field.
struct MailboxForm
{
    std::string email;
    std::string server;
    std::string port = "110";
    std::string user;
    std::string password;
    bool readBodies = false;
    bool operator==(const MailboxForm&) const = default;
};

// Fills the boxes from an address: the "EMAIL://" prefix (any case) is dropped and the rest trimmed,
// then each field is taken up to the next blank ("*" leaves a box empty; an empty or "*" port shows
// "110"). Parsing stops where a blank is missing; the boxes not reached keep their initial values.
MailboxForm parseMailboxForm(std::string_view address);

// Which box, if any, holds a blank inside its text (after the blanks around it are dropped): such a
// text would shift every later field when the address is read back. -1 when none; else 0 e-mail
// address, 1 server, 2 port, 3 user name, 4 password.
int boxWithInnerBlank(const MailboxForm& form);

// The address of the boxes: each text without the blanks around it, "*" for an empty one, and "Y" or
// "N" for the body switch.
std::string composeMailboxAddress(const MailboxForm& form);

} // namespace narrix

#include "dialogs/mailbox_form.h"

#include "base/ascii_case.h"
#include "base/text_trim.h"

#include <array>

namespace narrix {
namespace {

std::array<const std::string*, 5> boxesOf(const MailboxForm& form)
{
    return {&form.email, &form.server, &form.port, &form.user, &form.password};
}

} // namespace

MailboxForm parseMailboxForm(std::string_view address)
{
    MailboxForm form;
    if (address.size() >= 8 && equalsIgnoringAsciiCase(address.substr(0, 8), "EMAIL://"))
        address.remove_prefix(8);
    // Only blanks are trimmed here: the fields themselves are separated by single blanks.
    while (!address.empty() && address.front() == ' ')
        address.remove_prefix(1);
    while (!address.empty() && address.back() == ' ')
        address.remove_suffix(1);

    std::string* const boxes[] = {&form.email, &form.server, &form.port, &form.user, &form.password};
    for (size_t i = 0; i < std::size(boxes); ++i) {
        const size_t blank = address.find(' ');
        if (blank == std::string_view::npos)
            return form;
        const std::string_view field = address.substr(0, blank);
        address.remove_prefix(blank + 1);
        if (boxes[i] == &form.port)
            form.port = trimView(field).empty() || field == "*" ? "110" : std::string(field);
        else
            *boxes[i] = field == "*" ? std::string() : std::string(field);
    }
    form.readBodies = address == "Y";
    return form;
}

int boxWithInnerBlank(const MailboxForm& form)
{
    const auto boxes = boxesOf(form);
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (trimView(*boxes[i]).find(' ') != std::string_view::npos)
            return static_cast<int>(i);
    }
    return -1;
}

std::string composeMailboxAddress(const MailboxForm& form)
{
    std::string address = "email://";
    for (const std::string* box : boxesOf(form)) {
        const std::string_view text = trimView(*box);
        address += text.empty() ? std::string_view("*") : text;
        address += ' ';
    }
    address += form.readBodies ? 'Y' : 'N';
    return address;
}

} // namespace narrix

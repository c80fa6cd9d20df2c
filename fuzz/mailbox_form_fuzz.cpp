// Reads arbitrary text as a mailbox address into the e-mail dialog's boxes and checks that the
// address composed from those boxes reads back to the same boxes whenever they can be written.
#include "dialogs/mailbox_form.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool writable(const std::string& box)
{
    for (unsigned char c : box)
        if (c <= 0x20)
            return false;
    return box != "*";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace narrix;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const MailboxForm form = parseMailboxForm(text);
    const std::string address = composeMailboxAddress(form);
    if (address.rfind("email://", 0) != 0)
        std::abort();
    if (writable(form.email) && writable(form.server) && writable(form.port) && writable(form.user) &&
        writable(form.password) && !(parseMailboxForm(address) == form))
        std::abort();
    return 0;
}

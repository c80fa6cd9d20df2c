#pragma once

#include <functional>
#include <optional>
#include <string>

namespace narrix {

// Asks the user for the password of an encrypted document: the password, or nothing when the user
// cancels. `wrongBefore` is true when the previous answer did not open the document.
using PasswordAsker = std::function<std::optional<std::string>(bool wrongBefore)>;

} // namespace narrix

#pragma once

#include <string_view>

namespace narrix {

// Writes every byte of `bytes` to `fd`, again after a signal interrupted a write. False with errno set
// when that fails; a write that stores nothing counts as a full disk (ENOSPC).
bool writeAll(int fd, std::string_view bytes);

} // namespace narrix

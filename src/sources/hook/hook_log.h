#pragma once

// The keyboard-hook library's diagnostics. The library has no Qt, so it cannot use the program's
// logging categories: every message of the library goes through hookLog, which writes it to the
// standard error as one line "librealtime: MESSAGE".

namespace narrix::hook {

void hookLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace narrix::hook

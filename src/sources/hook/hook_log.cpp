#include "hook_log.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace narrix::hook {

void hookLog(const char* format, ...)
{
    static constexpr char kPrefix[] = "librealtime: ";
    char line[512];
    const std::size_t prefix = sizeof kPrefix - 1;
    std::memcpy(line, kPrefix, prefix);
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(line + prefix, sizeof line - prefix - 1, format, arguments);
    va_end(arguments);
    // A message too long for the line is cut; the line still ends with its newline.
    std::size_t length =
        prefix + std::min<std::size_t>(written < 0 ? 0 : std::size_t(written), sizeof line - prefix - 2);
    line[length++] = '\n';
    // One write, so that lines of the library's threads and the program's do not mix.
    while (::write(STDERR_FILENO, line, length) < 0 && errno == EINTR) {
    }
}

} // namespace narrix::hook

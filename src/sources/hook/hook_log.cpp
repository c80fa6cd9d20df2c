#include "hook_log.h"

#include <cstdarg>
#include <cstdio>

namespace narrix::hook {

void hookLog(const char* format, ...)
{
    char message[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    // One call, so that lines of the library's threads and the program's do not mix.
    std::fprintf(stderr, "librealtime: %s\n", message);
}

} // namespace narrix::hook

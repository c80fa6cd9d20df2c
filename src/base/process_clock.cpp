#include "base/process_clock.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace narrix {
namespace {

double bootTimeMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

// The process's start on the boot-time clock; read once. Without /proc, the first call counts as
// the start.
double startMilliseconds()
{
    static const double start = [] {
        std::FILE* stat = std::fopen("/proc/self/stat", "re");
        if (stat == nullptr)
            return bootTimeMilliseconds();
        char buffer[1024] = {};
        const size_t length = std::fread(buffer, 1, sizeof buffer - 1, stat);
        std::fclose(stat);
        buffer[length] = '\0';
        // Field 22 (starttime, in clock ticks since boot) counts from after the ")" closing field 2,
        // the command name, which may hold blanks and parentheses itself.
        const char* at = std::strrchr(buffer, ')');
        if (at == nullptr)
            return bootTimeMilliseconds();
        int field = 2;
        for (const char* p = at + 1; *p != '\0'; ++p) {
            if (*p == ' ' && ++field == 22) {
                const double ticks = double(std::strtoull(p + 1, nullptr, 10));
                return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
            }
        }
        return bootTimeMilliseconds();
    }();
    return start;
}

} // namespace

double processAgeMilliseconds()
{
    return bootTimeMilliseconds() - startMilliseconds();
}

} // namespace narrix

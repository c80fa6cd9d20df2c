#include "speech/thread_priority.h"

#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace narrix {

bool raiseThreadNiceLevel(int niceLevel)
{
    // On Linux a nice level belongs to a thread when set through its thread id.
    errno = 0;
    return setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), niceLevel) == 0;
}

} // namespace narrix

#pragma once

#include <sys/types.h>

namespace narrix {

// What an export leaves behind when SIGINT, SIGTERM or SIGHUP ends the program: the handler installed
// by installInterruptCleanup() removes the registered temporary file, kills the registered worker
// processes and then ends the program by the same signal, as if it had not been caught.
void installInterruptCleanup();

// The temporary file to remove on such a signal (one at a time; nullptr or "" clears it).
void setInterruptCleanupFile(const char* path);

// Worker processes to kill on such a signal.
void addInterruptCleanupProcess(pid_t pid);
void removeInterruptCleanupProcess(pid_t pid);

} // namespace narrix

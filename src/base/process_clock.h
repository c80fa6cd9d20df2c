#pragma once

namespace narrix {

// Milliseconds since this process started, from the kernel's record of its start time (clock ticks
// of 10 ms) and the boot-time clock: the one time origin of the event log and the start-up probe.
// Safe to call from any thread.
double processAgeMilliseconds();

} // namespace narrix

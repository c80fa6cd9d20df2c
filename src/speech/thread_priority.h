#pragma once

namespace narrix {

// Lowers the calling thread's nice level to `niceLevel` (negative: more often scheduled) where the
// user may (root, or an RLIMIT_NICE that allows it); false, and nothing changed, where not.
bool raiseThreadNiceLevel(int niceLevel);

} // namespace narrix

#pragma once

// Translation of X11 key events into Windows virtual-key codes and keystroke flags. Plain C++ over
// keysym numbers, so it is tested without an X server.

#include <cstdint>

namespace narrix::hook {

// The code reported for a key that has no virtual-key code.
constexpr std::uint32_t kNoVirtualKey = 0xFF;

// The virtual-key code of a key whose unshifted keysym (group 0, level 0) is `unshifted` and whose
// second-level keysym is `shifted`. With Num Lock on, the numeric pad's keys report their digits and
// decimal point (as Windows does); otherwise their navigation keys.
std::uint32_t virtualKeyOf(unsigned long unshifted, unsigned long shifted, bool numLock);

// The keystroke flags of one event of X key code `keycode`: repeat count 1, scan code and extended-key
// bit of a PC keyboard, bit 30 when the key was down before (always on a release; an auto-repeat on a
// press), bit 31 on a release.
std::uint32_t keystrokeFlags(unsigned keycode, bool released, bool wasDown);

} // namespace narrix::hook

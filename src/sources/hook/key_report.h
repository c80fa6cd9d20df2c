#pragma once

// What the keyboard-hook library and the program agree on: the shape of one key report and where the
// program's message port is named. Plain C++, shared by the library and the program.

#include <cstdint>

namespace narrix::hook {

// The message number of a key report (WM_USER + 0x1000).
constexpr std::uint32_t kKeyReportMessage = 0x1400;

// Keystroke flags as in the system's key-down and key-up messages.
constexpr std::uint32_t kKeyReleased = 1u << 31; // transition state: the key goes up
constexpr std::uint32_t kKeyWasDown = 1u << 30;  // previous key state: down (an auto-repeat on a press)
constexpr std::uint32_t kExtendedKey = 1u << 24; // a key of the extended set (arrows, right Control, ...)

// One report, written whole into the program's message port (a pipe: writes up to PIPE_BUF bytes are
// atomic, so reports never interleave).
struct KeyReport
{
    std::uint32_t message = kKeyReportMessage;
    std::uint32_t key = 0;   // Windows virtual-key code (wParam)
    std::uint32_t flags = 0; // keystroke flags (lParam)
};
static_assert(sizeof(KeyReport) == 12);

} // namespace narrix::hook

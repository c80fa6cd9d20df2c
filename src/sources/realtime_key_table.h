#pragma once

#include <cstdint>

namespace narrix {

// What one key press does to the real-time buffer. The table is fixed: it does not follow the active
// keyboard layout.
struct RealtimeKeyAction
{
    enum Kind {
        Append,    // append `character`
        Backspace, // remove the last character, if there is one
        Boundary,  // Enter or Space: the boundary step
        Nothing,   // Shift, Caps Lock
        Clear,     // every key outside the table: empty the buffer
    };
    Kind kind = Nothing;
    char character = 0;

    bool operator==(const RealtimeKeyAction&) const = default;
};

constexpr std::uint32_t kVirtualKeyReturn = 0x0D;
constexpr std::uint32_t kVirtualKeyShift = 0x10;
constexpr std::uint32_t kVirtualKeyControl = 0x11;
constexpr std::uint32_t kVirtualKeyAlt = 0x12;
constexpr std::uint32_t kVirtualKeySpace = 0x20;

// The action of virtual key `key` while the Shift flag is `shift` and the Caps Lock toggle `capsLock`.
RealtimeKeyAction realtimeKeyAction(std::uint32_t key, bool shift, bool capsLock);

} // namespace narrix

#pragma once

#include <cstdint>

namespace narrix {

// The desktop's keyboard as real-time speech reads it when a key report arrives: which window has the
// keyboard, whether that window is one of this program's own, and the Caps Lock toggle.
class KeyboardState
{
public:
    virtual ~KeyboardState() = default;
    // The window that receives the typing (the foreground window); 0 when it cannot be read.
    virtual std::uint32_t foregroundWindow() = 0;
    // True when `window` belongs to this program.
    virtual bool isOwnWindow(std::uint32_t window) = 0;
    // The Caps Lock toggle as the keyboard has it now.
    virtual bool capsLockOn() = 0;
};

} // namespace narrix

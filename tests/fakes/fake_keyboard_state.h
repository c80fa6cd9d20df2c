#pragma once

#include "platform/keyboard_state.h"

#include <set>

namespace narrix::testing {

// A desktop keyboard set by the test: the foreground window, the program's own windows, Caps Lock.
class FakeKeyboardState final : public KeyboardState
{
public:
    std::uint32_t foreground = 100;
    std::set<std::uint32_t> ownWindows;
    bool capsLock = false;
    int capsLockReads = 0;

    std::uint32_t foregroundWindow() override { return foreground; }
    bool isOwnWindow(std::uint32_t window) override { return ownWindows.contains(window); }
    bool capsLockOn() override
    {
        ++capsLockReads;
        return capsLock;
    }
};

} // namespace narrix::testing

#pragma once

#include "platform/keyboard_state.h"

struct _XDisplay;

namespace narrix {

// KeyboardState of the X11 desktop, on a connection of its own opened when first asked. The foreground
// window is the window manager's active window (_NET_ACTIVE_WINDOW), else the window with the input
// focus; a window is ours when it or a window above it carries this process's _NET_WM_PID. Without a
// display every answer is "none".
class X11KeyboardState final : public KeyboardState
{
public:
    X11KeyboardState() = default;
    ~X11KeyboardState() override;
    X11KeyboardState(const X11KeyboardState&) = delete;
    X11KeyboardState& operator=(const X11KeyboardState&) = delete;

    std::uint32_t foregroundWindow() override;
    bool isOwnWindow(std::uint32_t window) override;
    bool capsLockOn() override;

private:
    _XDisplay* display();
    long windowPid(unsigned long window);

    _XDisplay* display_ = nullptr;
    bool opened_ = false;
    // The last window asked about and the answer: the foreground rarely changes between keys.
    std::uint32_t lastWindow_ = 0;
    bool lastWindowOwn_ = false;
};

} // namespace narrix

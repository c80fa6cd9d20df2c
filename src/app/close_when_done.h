#pragma once

#include "app/program_state.h"

#include <optional>

namespace narrix {

// What the window does when a command-line item has been spoken (the exit-when-done close).
struct CloseWhenDone
{
    bool close = false;                            // false while a modal dialog is open: it waits
    std::optional<WindowStartState> hideWithState; // a minimised window is hidden with this state first
    bool clearMinimizedFlag = false;
};

CloseWhenDone decideCloseWhenDone(const ProgramState& state, bool windowMinimized);

} // namespace narrix

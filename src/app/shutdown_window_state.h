#pragma once

#include "app/program_state.h"

#include <QString>
#include <optional>

namespace narrix {

// What shutdown does with the window state before writing WindowState and the bounds.
struct ShutdownWindowState
{
    std::optional<WindowStartState> restoreWindowTo; // set the window back to this state first
    bool clearMinimizedFlag = false;
    WindowStartState written = WindowStartState::Normal; // what WindowState says
    QString text;                                        // "Normal", "Minimize" or "Maximize"
    bool writeBounds = true; // false while the window (after the restore) is maximised
};

// The decision for a window whose own state is `windowState`. With start-minimised on, a minimised
// window goes back to the state it had before the program minimised itself, and the minimised flag is
// cleared unless that state was minimised too. The minimised flag (the program sits in the tray) makes
// the text "Minimize" whatever the window's own state.
ShutdownWindowState decideShutdownWindowState(WindowStartState windowState, bool startMinimized,
                                              WindowStartState stateBeforeStartMinimized, bool minimizedFlag);

} // namespace narrix

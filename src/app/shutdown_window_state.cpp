#include "app/shutdown_window_state.h"

#include "settings/settings_codec.h"

namespace narrix {

ShutdownWindowState decideShutdownWindowState(WindowStartState windowState, bool startMinimized,
                                              WindowStartState stateBeforeStartMinimized, bool minimizedFlag)
{
    ShutdownWindowState decision;
    if (startMinimized) {
        if (windowState == WindowStartState::Minimized) {
            decision.restoreWindowTo = stateBeforeStartMinimized;
            windowState = stateBeforeStartMinimized;
        }
        if (stateBeforeStartMinimized != WindowStartState::Minimized) {
            decision.clearMinimizedFlag = true;
            minimizedFlag = false;
        }
    }
    decision.written = minimizedFlag ? WindowStartState::Minimized : windowState;
    decision.text = windowStateText(decision.written);
    decision.writeBounds = windowState != WindowStartState::Maximized;
    return decision;
}

} // namespace narrix

#include "app/close_when_done.h"

namespace narrix {

CloseWhenDone decideCloseWhenDone(const ProgramState& state, bool windowMinimized)
{
    CloseWhenDone decision;
    if (state.openModalDialogs != 0)
        return decision;
    decision.close = true;
    if (windowMinimized) {
        // The settings then remember the state the window had before the program minimised it.
        decision.hideWithState = state.stateBeforeStartMinimized;
        decision.clearMinimizedFlag = state.stateBeforeStartMinimized != WindowStartState::Minimized;
    }
    return decision;
}

} // namespace narrix

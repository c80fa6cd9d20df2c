#include "app/close_when_done.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(CloseWhenDone, WaitsForModalDialogsAndHidesAMinimisedWindowWithItsEarlierState)
{
    ProgramState state;
    state.openModalDialogs = 1;
    EXPECT_FALSE(decideCloseWhenDone(state, false).close);

    state.openModalDialogs = 0;
    CloseWhenDone d = decideCloseWhenDone(state, false);
    EXPECT_TRUE(d.close);
    EXPECT_FALSE(d.hideWithState.has_value());
    EXPECT_FALSE(d.clearMinimizedFlag);

    state.stateBeforeStartMinimized = WindowStartState::Maximized;
    d = decideCloseWhenDone(state, true);
    EXPECT_TRUE(d.close);
    EXPECT_EQ(d.hideWithState, WindowStartState::Maximized);
    EXPECT_TRUE(d.clearMinimizedFlag);

    // Minimised before the program minimised itself: the flag stays, so the tray state is remembered.
    state.stateBeforeStartMinimized = WindowStartState::Minimized;
    d = decideCloseWhenDone(state, true);
    EXPECT_EQ(d.hideWithState, WindowStartState::Minimized);
    EXPECT_FALSE(d.clearMinimizedFlag);
}

} // namespace
} // namespace narrix

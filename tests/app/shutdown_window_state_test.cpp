#include "app/shutdown_window_state.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

constexpr auto Normal = WindowStartState::Normal;
constexpr auto Minimized = WindowStartState::Minimized;
constexpr auto Maximized = WindowStartState::Maximized;

TEST(ShutdownWindowState, WithoutStartMinimisedTheWindowsOwnStateIsWritten)
{
    auto d = decideShutdownWindowState(Normal, false, Normal, false);
    EXPECT_EQ(d.text, QStringLiteral("Normal"));
    EXPECT_TRUE(d.writeBounds);
    EXPECT_FALSE(d.restoreWindowTo.has_value());

    d = decideShutdownWindowState(Maximized, false, Normal, false);
    EXPECT_EQ(d.text, QStringLiteral("Maximize"));
    EXPECT_FALSE(d.writeBounds); // the bounds stored before stay

    d = decideShutdownWindowState(Minimized, false, Normal, false);
    EXPECT_EQ(d.text, QStringLiteral("Minimize"));
    EXPECT_TRUE(d.writeBounds);
}

TEST(ShutdownWindowState, TheMinimisedFlagWritesMinimize)
{
    const auto d = decideShutdownWindowState(Normal, false, Normal, true);
    EXPECT_EQ(d.text, QStringLiteral("Minimize"));
    EXPECT_FALSE(d.clearMinimizedFlag);
}

TEST(ShutdownWindowState, StartMinimisedRestoresTheStateFromBefore)
{
    // Started minimised from a normal window and still in the tray: written as it was before.
    auto d = decideShutdownWindowState(Minimized, true, Normal, true);
    ASSERT_TRUE(d.restoreWindowTo.has_value());
    EXPECT_EQ(*d.restoreWindowTo, Normal);
    EXPECT_TRUE(d.clearMinimizedFlag);
    EXPECT_EQ(d.text, QStringLiteral("Normal"));

    // From a maximised window: "Maximize", and the bounds are not written.
    d = decideShutdownWindowState(Minimized, true, Maximized, true);
    EXPECT_EQ(*d.restoreWindowTo, Maximized);
    EXPECT_EQ(d.text, QStringLiteral("Maximize"));
    EXPECT_FALSE(d.writeBounds);

    // The window was already minimised by its stored state: it stays "Minimize".
    d = decideShutdownWindowState(Minimized, true, Minimized, true);
    EXPECT_FALSE(d.clearMinimizedFlag);
    EXPECT_EQ(d.text, QStringLiteral("Minimize"));

    // Restored by the user meanwhile: nothing to restore, the flag is cleared.
    d = decideShutdownWindowState(Normal, true, Normal, false);
    EXPECT_FALSE(d.restoreWindowTo.has_value());
    EXPECT_EQ(d.text, QStringLiteral("Normal"));
}

} // namespace
} // namespace narrix

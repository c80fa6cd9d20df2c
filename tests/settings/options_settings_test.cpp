#include "settings/options_settings.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

// Every value the options dialog edits goes into the settings and comes back unchanged.
TEST(OptionsSettings, EachEditedValueGoesBothWays)
{
    OptionsValues edited;
    edited.realMode = QStringLiteral("Custom");
    edited.realCustom = QStringLiteral(", ;");
    edited.tellTime = QStringLiteral("Never");
    edited.dateStyle = QStringLiteral("Date #");
    edited.timeStyle = QStringLiteral("Time #");
    edited.hourFormat = QStringLiteral("24");
    edited.theme = 7;
    edited.normalIcon = QStringLiteral("n.ico");
    edited.openIcon = QStringLiteral("o.ico");
    edited.closeIcon = QStringLiteral("c.ico");
    edited.proxy = QStringLiteral("proxy.example");
    edited.port = QStringLiteral("3128");
    edited.greetings = QStringLiteral("Hello");
    edited.startMinimized = true;
    edited.shortcutReadClipboard = QStringLiteral("Ctrl+Alt+C");
    edited.shortcutPlayPause = QStringLiteral("Ctrl+Alt+P");
    edited.shortcutStop = QStringLiteral("Ctrl+Alt+S");
    Settings settings;
    const Settings before = settings;
    applyOptions(edited, settings);
    EXPECT_EQ(optionsFrom(settings), edited);
    applyOptions(optionsFrom(before), settings);
    EXPECT_EQ(settings, before);
}

} // namespace
} // namespace narrix

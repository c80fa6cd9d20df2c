// What the background sources hear on each desktop: X11 and the other platforms keep both, Wayland
// keeps typing speech only through XWayland and never hears the clipboard in the background.
#include "platform/environment.h"
#include "sources/source_availability.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(SourceAvailability, ByPlatformAndDisplay)
{
    struct Row
    {
        const char* platform;
        const char* display;
        bool typing;
        bool clipboard;
    };
    const Row rows[] = {
        {"xcb", ":0", true, true},
        {"xcb", "", true, true}, // Qt's xcb needs a display; nothing is decided from its absence
        {"offscreen", "", true, true},
        {"offscreen", ":99", true, true},
        {"wayland", "", false, false},
        {"wayland", ":1", true, false}, // XWayland hears keys typed into X11 windows
        {"wayland-egl", "", false, false},
        {"wayland-egl", ":0", true, false},
        {"Wayland", "", false, false},
        {"minimal", "", true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.platform) + " DISPLAY=" + row.display);
        Environment environment;
        environment.x11Display = QString::fromLatin1(row.display);
        const SourceAvailability availability =
            sourceAvailability(QString::fromLatin1(row.platform), environment);
        EXPECT_EQ(availability.typingHeard(), row.typing);
        EXPECT_EQ(availability.clipboardHeard(), row.clipboard);
        // A source that hears nothing says why; the texts name what is missing.
        EXPECT_EQ(availability.typingUnavailable.contains(QLatin1String("XWayland")), !row.typing);
        EXPECT_EQ(availability.clipboardUnavailable.contains(QLatin1String("Wayland")), !row.clipboard);
    }
}

} // namespace
} // namespace narrix

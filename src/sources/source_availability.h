#pragma once

#include <QString>
#include <QStringView>

namespace narrix {

struct Environment;

// Whether the desktop session lets the background sources hear anything: typing speech needs the keys
// of an X11 display, clipboard speech needs clipboard changes made while another program has the
// focus. Each reason is empty when the source works, else the text that tells the user why not.
struct SourceAvailability
{
    QString typingUnavailable;
    QString clipboardUnavailable;

    bool typingHeard() const { return typingUnavailable.isEmpty(); }
    bool clipboardHeard() const { return clipboardUnavailable.isEmpty(); }
};

// Decides from Qt's platform name ("xcb", "wayland", "wayland-egl", "offscreen", ...) and the session's
// display. Under Wayland the keys come from XWayland when it runs (typing into X11 windows is heard),
// and Wayland hands clipboard changes only to the program with the focus. Other platforms keep both.
SourceAvailability sourceAvailability(QStringView platformName, const Environment& environment);

} // namespace narrix

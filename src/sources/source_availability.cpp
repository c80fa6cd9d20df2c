#include "sources/source_availability.h"

#include "platform/environment.h"

#include <QCoreApplication>

namespace narrix {

SourceAvailability sourceAvailability(QStringView platformName, const Environment& environment)
{
    SourceAvailability availability;
    if (!platformName.startsWith(u"wayland", Qt::CaseInsensitive))
        return availability;
    if (environment.x11Display.isEmpty())
        availability.typingUnavailable = QCoreApplication::translate(
            "SourceAvailability", "Real-time speech cannot hear keys here: this Wayland session has no "
                                  "X11 display (XWayland).");
    availability.clipboardUnavailable = QCoreApplication::translate(
        "SourceAvailability", "Clipboard speech cannot hear what other programs copy: Wayland tells only "
                              "the program in front about a new clipboard.");
    return availability;
}

} // namespace narrix

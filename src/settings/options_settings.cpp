#include "settings/options_settings.h"

namespace narrix {

OptionsValues optionsFrom(const Settings& s)
{
    OptionsValues o;
    o.realMode = s.realMode;
    o.realCustom = s.realCustom;
    o.tellTime = s.tellTime;
    o.dateStyle = s.dateStyle;
    o.timeStyle = s.timeStyle;
    o.hourFormat = s.hourFormat;
    o.theme = s.theme;
    o.normalIcon = s.normalIcon;
    o.openIcon = s.openIcon;
    o.closeIcon = s.closeIcon;
    o.proxy = s.proxy;
    o.port = s.port;
    o.greetings = s.greetings;
    o.startMinimized = s.startMinimized;
    return o;
}

void applyOptions(const OptionsValues& o, Settings& s)
{
    s.realMode = o.realMode;
    s.realCustom = o.realCustom;
    s.tellTime = o.tellTime;
    s.dateStyle = o.dateStyle;
    s.timeStyle = o.timeStyle;
    s.hourFormat = o.hourFormat;
    s.theme = o.theme;
    s.normalIcon = o.normalIcon;
    s.openIcon = o.openIcon;
    s.closeIcon = o.closeIcon;
    s.proxy = o.proxy;
    s.port = o.port;
    s.greetings = o.greetings;
    s.startMinimized = o.startMinimized;
}

} // namespace narrix

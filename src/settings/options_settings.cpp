#include "settings/options_settings.h"

#include "base/paired_fields.h"

namespace narrix {
namespace {

// The settings the options dialog edits, each as its place in the record and in the dialog's values:
// the one list both directions copy, so that they cannot fall out of step.
template <typename SettingsRecord, typename Values, typename Copy>
void forEachOption(SettingsRecord& s, Values& o, Copy copy)
{
    copy(s.realMode, o.realMode);
    copy(s.realCustom, o.realCustom);
    copy(s.tellTime, o.tellTime);
    copy(s.dateStyle, o.dateStyle);
    copy(s.timeStyle, o.timeStyle);
    copy(s.hourFormat, o.hourFormat);
    copy(s.theme, o.theme);
    copy(s.normalIcon, o.normalIcon);
    copy(s.openIcon, o.openIcon);
    copy(s.closeIcon, o.closeIcon);
    copy(s.proxy, o.proxy);
    copy(s.port, o.port);
    copy(s.greetings, o.greetings);
    copy(s.startMinimized, o.startMinimized);
    copy(s.shortcutReadClipboard, o.shortcutReadClipboard);
    copy(s.shortcutPlayPause, o.shortcutPlayPause);
    copy(s.shortcutStop, o.shortcutStop);
}

} // namespace

OptionsValues optionsFrom(const Settings& s)
{
    OptionsValues o;
    forEachOption(s, o, copyToSecond);
    return o;
}

void applyOptions(const OptionsValues& o, Settings& s)
{
    forEachOption(s, o, copyToFirst);
}

} // namespace narrix

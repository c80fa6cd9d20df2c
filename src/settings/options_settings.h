#pragma once

#include "dialogs/options_values.h"
#include "settings/settings.h"

namespace narrix {

// The settings the options dialog edits, taken from and put back into the settings record.
OptionsValues optionsFrom(const Settings& settings);
void applyOptions(const OptionsValues& options, Settings& settings);

} // namespace narrix

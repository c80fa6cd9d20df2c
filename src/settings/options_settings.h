#pragma once

#include "app/settings.h"
#include "dialogs/options_values.h"

namespace narrix {

// The settings the options dialog edits, taken from and put back into the settings record.
OptionsValues optionsFrom(const Settings& settings);
void applyOptions(const OptionsValues& options, Settings& settings);

} // namespace narrix

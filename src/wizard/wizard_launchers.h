#pragma once

#include "shell/search_console.h"
#include "shell/window_openers.h"

namespace quarrion {

// The Search Results Preferences wizard over the application's catalog and store, shown
// modally over `parent`: what the side bar's Columns button opens.
ColumnsWizardLauncher MakePreferencesWizardLauncher();

// The per-search Display Columns wizard for one type of a search, shown modally:
// true when the user finished and `columns` was rebuilt, false on Cancel with `columns`
// unchanged.
DisplayColumnsLauncher MakeDisplayColumnsLauncher();

}  // namespace quarrion

#pragma once

#include "shell/search_console.h"
#include "shell/window_openers.h"

namespace quarrion {

// The factory the program's main() hands to the main window: it makes the search
// console with the given openers. An empty opener leaves its command disabled
// (results windows, or the per-search display-columns wizard, not part of the build).
SearchConsoleFactory MakeSearchConsoleFactory(ResultsWindowOpener openResults,
                                              DisplayColumnsLauncher displayColumns);

}  // namespace quarrion

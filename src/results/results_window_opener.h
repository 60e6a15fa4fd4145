#pragma once

#include "shell/window_openers.h"

namespace quarrion {

// The opener the search console's Search and the saved searches' Execute call: it
// creates a results window, copies `search` into it, captions it with the search's
// caption, starts its completion timer with the busy text "Initializing, please wait
// ...", shows it through `host.createMdiChild`, lays out its tabs (SetDisplay) and
// starts the search, then tells the host a results window opened. `outputs` are the
// export, workbook and data-view windows the results window hands its lists to.
ResultsWindowOpener MakeResultsWindowOpener(OutputWindows outputs);

}  // namespace quarrion

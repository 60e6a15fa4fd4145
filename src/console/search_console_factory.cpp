#include "console/search_console_factory.h"

#include "console/search_console_control.h"

namespace quarrion {

SearchConsoleFactory MakeSearchConsoleFactory(ResultsWindowOpener openResults,
                                              DisplayColumnsLauncher displayColumns) {
    return [openResults = std::move(openResults), displayColumns = std::move(displayColumns)](
               ConsoleHost& host, QWidget* parent) -> SearchConsole* {
        return new SearchConsoleControl(host, openResults, displayColumns, parent);
    };
}

}  // namespace quarrion

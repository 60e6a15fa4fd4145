#include "results/results_window_opener.h"

#include <QTimer>

#include "model/search_object2.h"
#include "results/frm_search_results.h"
#include "shell/search_console.h"

namespace quarrion {

ResultsWindowOpener MakeResultsWindowOpener(OutputWindows outputs) {
    return [outputs = std::move(outputs)](ConsoleHost& host, const SearchObject2& search) {
        auto* window = new frmSearchResults(host, outputs);
        // Copy reads the source without changing it; its signature takes both sides
        // as non-const because one call serves both directions.
        window->SearchObject().Copy(const_cast<SearchObject2&>(search), CopyDirection::FromTarget);
        window->setWindowTitle(QString::fromStdString(window->SearchObject().Caption()));
        window->tmrCheck()->start();
        window->SetBusyText(QString::fromLatin1(frmSearchResults::WaitText));
        host.createMdiChild(window);
        window->SetDisplay();
        window->Start();
        host.ResultsWindowOpened();
    };
}

}  // namespace quarrion

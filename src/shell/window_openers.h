#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <pugixml.hpp>
#include <vector>

#include "results/result_list.h"
#include "shell/results_window.h"

class QWidget;

namespace quarrion {

class ConsoleHost;
class DisplayColumns;
class SearchObject2;

// How the rooms' windows open one another without knowing each other's classes. The
// program's main() fills these with the real windows; tests fill them with fakes that
// record what was handed over. An empty function means "not part of this build": the
// caller offers the command disabled or uses a plain stand-in.

// Opens a results window for `search` as the console's Search does: the window copies
// the definition, takes its caption, shows itself through `host.createMdiChild`, lays
// out its tabs and starts the search.
using ResultsWindowOpener = std::function<void(ConsoleHost& host, const SearchObject2& search)>;

// Opens the per-search display-columns wizard for one request type over `parent`.
// `columns` is the type's current choice and is changed only when the user finishes;
// true then.
using DisplayColumnsLauncher = std::function<bool(ConsoleHost& host, std::int32_t requestType,
                                                  DisplayColumns& columns, QWidget* parent)>;

// The output windows a results window uses. Lists are handed over as shown (column
// order and sort order of the window).
struct OutputWindows {
    // One list to a delimited file: the save dialog unless `silent`; the same in/out
    // arguments as ResultsWindow::Export. True when the file was written.
    std::function<bool(ConsoleHost& host, QWidget* parent, const ResultList& list,
                       QString& fileName, QString& folder, int& format, bool silent)>
        ExportList;
    // The export-all dialog over `lists`; `entries` name them in menu order.
    std::function<void(ConsoleHost& host, QWidget* parent, const std::vector<ResultList>& lists,
                       const QList<ExportListEntry>& entries)>
        ExportAll;
    // The workbook window of `lists`, captioned `caption` + " [Excel WorkBook]".
    std::function<void(ConsoleHost& host, const QString& caption, std::vector<ResultList> lists)>
        Excel;
    // The data-view window of one record (copied): `old` and `requestType` as the data
    // view takes them.
    std::function<void(ConsoleHost& host, const pugi::xml_node& record, bool old,
                       std::int32_t requestType)>
        DataView;
};

}  // namespace quarrion

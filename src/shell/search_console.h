#pragma once

#include <QWidget>
#include <functional>

class QMdiSubWindow;

namespace quarrion {

class AppState;

// What the main window offers the search console.
class ConsoleHost {
  public:
    virtual ~ConsoleHost() = default;

    // The shared state (store, hub, code tables, folders, window counter).
    virtual AppState& State() = 0;
    // Adds `child` (a results window) to the MDI area and shows it; the area owns it.
    virtual QMdiSubWindow* createMdiChild(QWidget* child) = 0;
    // Call after opening a results window: the main window arranges its children with
    // the user's arrangement.
    virtual void ResultsWindowOpened() = 0;
};

// The search console docked in the main window. The console is a QWidget that
// implements this interface; the main window puts it into its console dock (which then
// owns it) and calls InitControl once during its load, after the catalog is loaded.
// The console reaches the shared IOManager through ConsoleHost::State().
class SearchConsole {
  public:
    virtual ~SearchConsole() = default;

    virtual QWidget* Widget() = 0;
    // Fills the console's lists and restores its last dates, filter and ticks.
    virtual void InitControl() = 0;
};

// Creates the console for `host`, its widget parented to `parent`. The program's
// main() passes one to the main window; without one the dock shows where the console
// goes.
using SearchConsoleFactory = std::function<SearchConsole*(ConsoleHost& host, QWidget* parent)>;

// Opens the display-columns wizard modally over `parent`.
using ColumnsWizardLauncher = std::function<void(AppState& state, QWidget* parent)>;

}  // namespace quarrion

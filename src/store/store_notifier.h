#pragma once

#include <functional>
#include <string>

namespace quarrion {

// How the store reaches the person using the program. The core opens no windows: the
// desktop program implements this with its message and question dialogs and its wait
// window, the terminal tool with plain text and a command-line flag, tests by recording.
// Every method has a harmless default so a caller only overrides what it shows.
class StoreNotifier {
  public:
    virtual ~StoreNotifier() = default;

    // A catalog maintenance step or a database check failed. `title` is "Quarrion::"
    // + the operation ("Quarrion::LoadData", "Quarrion::InitDataB", ...), `text` is
    // "(" + error number + ")" + CR + description.
    virtual void ShowError(const std::string& title, const std::string& text) {
        (void)title;
        (void)text;
    }

    // Saving a search failed at one of its steps; `operation` is "IOManager::" + the
    // step ("IOManager::SaveFieldCriteria"). The store has already undone the save.
    virtual void ErrorOccurred(long number, const std::string& description,
                               const std::string& source, const std::string& operation) {
        (void)number;
        (void)description;
        (void)source;
        (void)operation;
    }

    // Asked once before a save replaces another search that holds the same name; true
    // (OK) replaces it, false (CANCEL) leaves the store unchanged. The default refuses,
    // so nothing is ever replaced without someone agreeing to it.
    virtual bool ConfirmReplace(const std::string& caption, const std::string& message) {
        (void)caption;
        (void)message;
        return false;
    }

    // LoadData found no catalog in the database: the first-time initialisation has to
    // run now. The desktop program shows its wait window around `run`; the default
    // just runs it. `run` answers whether the initialisation succeeded.
    virtual void RunFirstTimeInitialisation(const std::function<bool()>& run) { run(); }

    // Called between units of long work (control-file lines, catalog rows) at most every
    // few tens of milliseconds, so a window can let pending events run. It must not
    // call back into the store.
    virtual void LetEventsRun() {}
};

}  // namespace quarrion

#pragma once

#include <functional>
#include <string>

#include "catalog/qbxml_tags.h"
#include "store/io_manager.h"
#include "store/store_notifier.h"

namespace quarrion {

// The store opened the way the program starts it, for a tool without windows (the
// terminal tool, tests): database files of earlier versions removed, the current one
// checked; then the catalog initialised from the control file on a first run, else
// loaded from the database and updated when the database asks for it.
//
// The session owns the catalog and the manager. What the store says goes to
// `notifier` (may be null: silent, every replacement refused); it must outlive the
// session. Nothing is opened before `Open`.
class StoreSession : private StoreNotifier {
  public:
    explicit StoreSession(StoreNotifier* notifier = nullptr);
    ~StoreSession() override;
    StoreSession(const StoreSession&) = delete;
    StoreSession& operator=(const StoreSession&) = delete;

    // Runs the start-up steps above against DataFolder(). On failure the result
    // carries the store's message (which the notifier has heard too).
    StoreResult Open();

    IOManager& Manager() { return io_; }
    QBXMLTags& Catalog() { return catalog_; }

    // True when this session initialised the catalog (a first run).
    bool Initialised() const { return initialised_; }

  private:
    void ShowError(const std::string& title, const std::string& text) override;
    void ErrorOccurred(long number, const std::string& description, const std::string& source,
                       const std::string& operation) override;
    bool ConfirmReplace(const std::string& caption, const std::string& message) override;
    void RunFirstTimeInitialisation(const std::function<bool()>& run) override;
    void LetEventsRun() override;

    StoreNotifier* notifier_;
    // Declared before the manager, which fills it, so it outlives the manager.
    QBXMLTags catalog_;
    IOManager io_;
    bool initialised_ = false;
};

}  // namespace quarrion

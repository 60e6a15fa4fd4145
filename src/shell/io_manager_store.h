#pragma once

#include <functional>
#include <memory>
#include <string>

#include "shell/store_life_cycle.h"
#include "store/io_manager.h"
#include "store/store_notifier.h"

namespace quarrion {

class QBXMLTags;

// The program's store: the shared IOManager, with the desktop's way of telling the user
// what the store has to say. Errors appear in the program's message dialog under the
// store's title, replacing a saved search asks with OK and Cancel, and the first-time
// initialisation the store starts by itself runs in the "Initialization" window.
class IOManagerStore : public StoreLifeCycle, private StoreNotifier {
  public:
    // `catalog` must outlive the store.
    explicit IOManagerStore(QBXMLTags& catalog);
    ~IOManagerStore() override;

    bool DeleteFile(const std::string& path) override;
    bool CheckDatabase(const std::string& path) override;
    bool FirstTime() const override;
    bool NeedsUpdate() const override;
    void LoadData() override;
    bool InitDataA() override;
    bool InitDataB() override;
    bool InitDataC() override;
    std::size_t CatalogCount() const override;
    IOManager* Manager() override { return &io_; }

    // Who hears a failed search save (the saved-search panel sets this); without one
    // the failure is shown in a message dialog titled with the failing step.
    using ErrorHandler =
        std::function<void(long number, const std::string& description, const std::string& source,
                           const std::string& operation)>;
    void SetErrorOccurredHandler(ErrorHandler handler) { onError_ = std::move(handler); }

  private:
    void ShowError(const std::string& title, const std::string& text) override;
    void ErrorOccurred(long number, const std::string& description, const std::string& source,
                       const std::string& operation) override;
    bool ConfirmReplace(const std::string& caption, const std::string& message) override;
    void RunFirstTimeInitialisation(const std::function<bool()>& run) override;
    void LetEventsRun() override;

    QBXMLTags& catalog_;
    IOManager io_;
    ErrorHandler onError_;
};

}  // namespace quarrion
